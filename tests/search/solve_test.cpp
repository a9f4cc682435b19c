#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "search/node_table.h"
#include "support/solve_run.h"

namespace {

void ExpectReadmeAnswers(int32_t workers) {
    const std::vector<ExampleAnswer> answers = readExampleAnswers();
    size_t problems = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examplePath(""))) {
        problems += entry.path().extension() == ".ban";
    }
    ASSERT_EQ(answers.size(), problems) << "every example has a row in examples/README.md";
    for (const ExampleAnswer& answer : answers) {
        SCOPED_TRACE(answer.file);
        ASSERT_TRUE(loadProblem(examplePath(answer.file)));
        const SolveRun run = solveCurrentProblem(workers);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.result, answer.verdict);
        EXPECT_EQ(run.moves, answer.moves);
    }
}

// The answers from Go knowledge; every worker count is held to one worker's
// answers by the threaded signature test.
TEST(SolveThreaded, OneWorkerGivesTheReadmeAnswers) { ExpectReadmeAnswers(1); }

// Each example's SGF twin gives the same answer.
TEST(SolveThreaded, SgfExamplesGiveTheReadmeAnswers) {
    for (const ExampleAnswer& answer : readExampleAnswers()) {
        const std::string sgf = answer.file.substr(0, answer.file.size() - 4) + ".sgf";
        SCOPED_TRACE(sgf);
        ASSERT_TRUE(loadSgfProblem(examplePath(sgf)));
        const SolveRun run = solveCurrentProblem(1);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.result, answer.verdict);
        EXPECT_EQ(run.moves, answer.moves);
    }
}

// Only what load cannot break: the cut-off happens, no worker hangs (a
// watchdog far beyond the limit) and the reported time is not below the limit.
TEST(SolveThreaded, TimeLimitCutsEveryWorkerOffWithoutHanging) {
    ASSERT_TRUE(loadProblem(writeHeavyProblem()));
    for (int32_t limit : {0, 1}) {
        for (int32_t workers : {1, 2, 4, 16}) {
            SCOPED_TRACE(testing::Message() << limit << " s, " << workers << " workers");
            const SolveRun run = solveCurrentProblem(workers, 1, limit, 60);
            ASSERT_TRUE(run.finished);
            EXPECT_EQ(run.result, kSolveCutOff);
            EXPECT_GE(run.outcome.seconds, static_cast<uint32_t>(limit));
            EXPECT_EQ(memoryUsed.load(), 0u);
            ASSERT_EQ(run.shown.outcomesShown, 1);
            EXPECT_EQ(run.shown.outcome.boxText,
                      "読み打ち切り time=" + std::to_string(run.outcome.seconds) + "[sec]");
            EXPECT_EQ(run.shown.outcome.labelledCount, 0);
        }
    }
}

TEST(SolveThreaded, StopRequestEndsTheSolveAsTheTimeLimitDoes) {
    ASSERT_TRUE(loadProblem(writeHeavyProblem()));
    for (int32_t workers : {1, 4}) {
        SCOPED_TRACE(testing::Message() << workers << " workers");
        PrepareKeysFromSeed(1);
        timeLimitSeconds = 100000;
        HeadlessReset();
        ASSERT_TRUE(LaunchSolveWorkers(workers));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        RequestSolveStop();
        const auto watchdog = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (solveResult.load() == kSolveRunning && std::chrono::steady_clock::now() < watchdog) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        WaitForWorkersToExit();
        EXPECT_EQ(solveResult.load(), kSolveCutOff);
        const HeadlessRecord shown = HeadlessSnapshot();
        ASSERT_EQ(shown.outcomesShown, 1);
        EXPECT_EQ(shown.outcome.boxText,
                  "読み打ち切り time=" + std::to_string(lastOutcome.seconds) + "[sec]");
        EXPECT_EQ(memoryUsed.load(), 0u);
    }
    // A stop asked for while nothing runs does not reach the next solve.
    RequestSolveStop();
    ASSERT_TRUE(loadProblem(examplePath("corner_bent_three_white_kills.ban")));
    EXPECT_EQ(solveCurrentProblem(2).result, kSolveDead);
}

// Workers past the searching limit wait for worker 0's pass results: with one
// searcher, four workers give exactly one worker's solve, through a pass 2 or
// not, and a cut-off reaches the waiting workers too.
TEST(SolveThreaded, WorkersPastTheSearchingLimitWaitForWorkerZero) {
    for (const char* name : {"side_cutting_point_white_makes_ko.ban", "centre_rabbity_six_white_kills.ban",
                             "side_second_line_eight_white_cannot_kill.ban"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(loadProblem(examplePath(name)));
        const SolveRun alone = solveCurrentProblem(1);
        const SolveRun waited = solveCurrentProblem(4, 1, 100000, 120, 1);
        ASSERT_TRUE(waited.finished);
        EXPECT_EQ(waited.result, alone.result);
        EXPECT_EQ(waited.outcome.moves.p, alone.outcome.moves.p);
        EXPECT_EQ(waited.outcome.judgments, alone.outcome.judgments);
        EXPECT_EQ(waited.outcome.depth, alone.outcome.depth);
        EXPECT_EQ(waited.outcome.memoryBytes, alone.outcome.memoryBytes);
    }
    ASSERT_TRUE(loadProblem(writeHeavyProblem()));
    for (int32_t limit : {0, 1}) {
        SCOPED_TRACE(testing::Message() << limit << " s");
        const SolveRun run = solveCurrentProblem(16, 1, limit, 60, 2);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.result, kSolveCutOff);
        EXPECT_EQ(memoryUsed.load(), 0u);
    }
    searchingWorkerLimit = 0;
}

// Threads that start for the first `allowed` calls, then a refusal.
int32_t threadsAllowed = 0;
bool StartSomeThreads(void (*entry)()) {
    if (threadsAllowed == 0) {
        return false;
    }
    threadsAllowed -= 1;
    return StartDetachedThread(entry);
}

TEST(SolveThreaded, ThreadStartFailureSendsTheStartedWorkersHome) {
    ASSERT_TRUE(loadProblem(examplePath("corner_bent_three_white_kills.ban")));
    for (int32_t started : {0, 1, 3}) {
        SCOPED_TRACE(testing::Message() << started << " of 4 started");
        threadsAllowed = started;
        startWorkerThread = StartSomeThreads;
        HeadlessReset();
        EXPECT_FALSE(LaunchSolveWorkers(4));
        startWorkerThread = StartDetachedThread;
        EXPECT_EQ(workersRunning.load(), 0);
        EXPECT_EQ(solveResult.load(), kSolveNotStarted);
        EXPECT_EQ(HeadlessSnapshot().outcomesShown, 0);  // nothing was solved
    }
    // Nothing is left half started: the next solve runs as usual.
    const SolveRun run = solveCurrentProblem(4);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.result, kSolveDead);
}

TEST(SolveOutcomeThreaded, BoxLabelsAndTheProblemAfterwards) {
    ASSERT_TRUE(loadProblem(examplePath("corner_bent_three_white_kills.ban")));
    Board before;
    copyColours(before, problemBoard);
    const SolveRun run = solveCurrentProblem(1);
    ASSERT_EQ(run.result, kSolveDead);
    ASSERT_EQ(run.shown.outcomesShown, 1);
    const SolveOutcome& shown = run.shown.outcome;
    EXPECT_EQ(shown.boxText,
              "死に  " + std::to_string(run.outcome.seconds) + "[sec]  メモリ 0MByte\nJudged 回数 " +
                  std::to_string(run.outcome.judgments) + " 回  読深さ " +
                  std::to_string(run.outcome.depth));
    ASSERT_EQ(shown.labelledCount, 1);
    EXPECT_EQ(shown.labelled[0].label, "Ａ");
    EXPECT_EQ(pointX(shown.labelled[0].point), 1);
    EXPECT_EQ(shown.target, targetPoint);
    EXPECT_EQ(shown.judgments, run.outcome.judgments);
    EXPECT_EQ(0, std::memcmp(before.cell, shown.board.cell, kBoardCells));
    EXPECT_EQ(memoryUsed.load(), 0u);
    EXPECT_EQ(0, std::memcmp(before.cell, problemBoard.cell, kBoardCells));

    // Repeatable with one worker and the same keys.
    const SolveRun again = solveCurrentProblem(1);
    EXPECT_EQ(again.outcome.judgments, run.outcome.judgments);
    EXPECT_EQ(again.outcome.memoryBytes, run.outcome.memoryBytes);
    EXPECT_EQ(again.outcome.depth, run.outcome.depth);
}

TEST(SolveOutcomeThreaded, NoFirstMoveToShow) {
    // Without region points nothing lives for the defender, and nothing kills for the attacker.
    const std::pair<const char*, int32_t> cases[] = {
        {"centre_straight_three_black_lives.ban", kSolveDead},   // defender to move
        {"centre_pyramid_four_black_kills.ban", kSolveAlive}};   // attacker to move
    for (const auto& [file, verdict] : cases) {
        ASSERT_TRUE(loadProblem(examplePath(file)));
        regionPoints = PointList{};
        const SolveRun run = solveCurrentProblem(1);
        EXPECT_EQ(run.result, verdict) << file;
        ASSERT_EQ(run.shown.outcomesShown, 1);
        EXPECT_EQ(run.shown.outcome.boxText,
                  std::string(verdict == kSolveDead ? "死に" : "生き") + "  " +
                      std::to_string(run.outcome.seconds) + "[sec]  メモリ 0MByte\n打つ手が有りません");
        EXPECT_EQ(run.shown.outcome.labelledCount, 0);
    }
}

// Past its memory limit a strong solve searches new positions without
// storing them: slower, the same answer, the table no larger. The exact
// order has no limit.
TEST(SolveThreaded, StrongSolvesPastTheirMemoryLimitKeepTheirAnswer) {
    const std::string file = "side_second_line_seven_six_liberties_black_lives.ban";
    ASSERT_TRUE(loadProblem(std::string(OSTREL_SOURCE_DIR) + "/bench/problems/" + file));
    const MoveSet lives{{7, 1}, {10, 1}, {13, 1}};
    strongMemoryMegabytes = 1;
    const uint64_t limit = uint64_t{1} << 20;
    const SolveRun exact = solveCurrentProblem(1);
    EXPECT_GT(exact.outcome.memoryBytes, limit + limit / 8);  // the limit does bite
    for (int32_t workers : {1, 2}) {
        SCOPED_TRACE(workers);
        const StrongOrder strong;
        // Unstored positions are searched again and again: slow under the
        // thread checker, so the limits are wide.
        const SolveRun run = solveCurrentProblem(workers, 1, 400, 480);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.result, kSolveAlive);
        EXPECT_EQ(run.moves, lives);
        // Only the expansions under way when the limit was reached add to it.
        EXPECT_LT(run.outcome.memoryBytes, limit + 64 * 1024);
    }
    strongMemoryMegabytes = 0;
}

TEST(SolveRefusal, IncompleteProblemsAndWorkerCounts) {
    using enum SolveRefusalCode;
    ASSERT_TRUE(loadProblem(examplePath("corner_bent_three_white_kills.ban")));
    EXPECT_EQ(SolveRefusal(1), kNone);
    EXPECT_EQ(SolveRefusal(16), kNone);
    EXPECT_EQ(SolveRefusal(0), kWorkerCount);
    EXPECT_EQ(SolveRefusal(17), kWorkerCount);
    sideToMove = 0;
    EXPECT_EQ(SolveRefusal(1), kNoSide);
    sideToMove = kWhite;
    targetPoint = pointAt(10, 10);  // an empty point
    EXPECT_EQ(SolveRefusal(1), kNoTarget);

    // A black stone in the corner taken in by white, white to move.
    resetProblem();
    problemBoard[pointAt(1, 1)] = kBlack;
    problemBoard[pointAt(2, 1)] = kWhite;
    problemBoard[pointAt(1, 2)] = kWhite;
    targetPoint = pointAt(1, 1);
    sideToMove = kWhite;
    EXPECT_EQ(SolveRefusal(1), kStringWithoutLiberty);
}

}  // namespace
