#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "search/node_table.h"
#include "support/solve_run.h"

namespace {

// Examples where the judgment-driven search answers differently from Go
// knowledge, with the reason from the algorithm; filled in from the runs.
const std::map<std::string, std::string> kExplainedDifferences = {};

void ExpectReadmeAnswer(int32_t workers) {
    const std::vector<ExampleAnswer> answers = readExampleAnswers();
    ASSERT_GE(answers.size(), 9u);
    for (const ExampleAnswer& answer : answers) {
        SCOPED_TRACE(answer.file);
        if (kExplainedDifferences.count(answer.file) != 0) {
            continue;
        }
        ASSERT_TRUE(loadExample(answer.file));
        const SolveRun run = solveCurrentProblem(workers);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.result, answer.verdict);
        EXPECT_EQ(movesOf(run.outcome), answer.moves);
    }
}

TEST(SolveExamples, OneWorkerGivesTheReadmeAnswers) { ExpectReadmeAnswer(1); }

TEST(SolveThreaded, TwoWorkersGiveTheReadmeAnswers) { ExpectReadmeAnswer(2); }

TEST(SolveThreaded, WorkerCountsAgreeOnVerdictAndFirstMoves) {
    for (const ExampleAnswer& answer : readExampleAnswers()) {
        SCOPED_TRACE(answer.file);
        ASSERT_TRUE(loadExample(answer.file));
        const SolveRun single = solveCurrentProblem(1, 3);
        ASSERT_TRUE(single.finished);
        for (int32_t workers : {2, 4, 16}) {
            SCOPED_TRACE(workers);
            const SolveRun many = solveCurrentProblem(workers, 3);
            ASSERT_TRUE(many.finished);
            EXPECT_EQ(many.result, single.result);
            EXPECT_EQ(movesOf(many.outcome), movesOf(single.outcome));
        }
    }
}

TEST(SolveThreaded, TimeLimitCutsEveryWorkerOffWithoutHanging) {
    ASSERT_TRUE(loadHeavyProblem());
    for (int32_t limit : {0, 1}) {
        for (int32_t workers : {1, 2, 4, 16}) {
            SCOPED_TRACE(testing::Message() << limit << " s, " << workers << " workers");
            const SolveRun run = solveCurrentProblem(workers, 1, limit, std::chrono::seconds(30));
            ASSERT_TRUE(run.finished);
            EXPECT_EQ(memoryUsed.load(), 0u);
            EXPECT_EQ(run.result, kSolveCutOff);
            {
                ASSERT_EQ(run.shown.boxes.size(), 1u);
                EXPECT_EQ(run.shown.boxes[0].text,
                          "読み打ち切り time=" + std::to_string(run.outcome.seconds) + "[sec]");
                EXPECT_EQ(run.shown.boxes[0].caption, "詰碁");
                EXPECT_TRUE(run.shown.labels.empty());
                EXPECT_LE(run.outcome.seconds, static_cast<uint32_t>(limit) + 2);
            }
        }
    }
}

TEST(SolveOutcomeDisplay, BoxTextLabelsAndTheBoardAfterwards) {
    ASSERT_TRUE(loadExample("corner_bent_three_white_kills.ban"));
    Board before;
    copyColours(before, problemBoard);
    const SolveRun run = solveCurrentProblem(1);
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.result, kSolveDead);
    ASSERT_EQ(run.shown.boxes.size(), 1u);
    const std::string expected = "死に  " + std::to_string(run.outcome.seconds) +
                                 "[sec]  メモリ " +
                                 std::to_string(run.outcome.memoryBytes / 1048576) +
                                 "MByte\nJudged 回数 " + std::to_string(run.outcome.judgments) +
                                 " 回  読深さ " + std::to_string(run.outcome.depth);
    EXPECT_EQ(run.shown.boxes[0].text, expected);
    EXPECT_EQ(run.shown.boxes[0].caption, "詰碁");
    ASSERT_FALSE(run.shown.labels.empty());
    EXPECT_EQ(run.shown.labels[0].label, "Ａ");
    EXPECT_EQ(run.shown.labels[0].column, pointX(run.outcome.moves[0]));
    EXPECT_EQ(run.shown.targetColumn, pointX(targetPoint));
    EXPECT_EQ(run.shown.targetRow, pointY(targetPoint));
    EXPECT_GT(run.outcome.judgments, 0u);
    // The table is empty again and the problem keeps its stones.
    EXPECT_EQ(memoryUsed.load(), 0u);
    EXPECT_EQ(0, std::memcmp(before.cell, problemBoard.cell, kBoardCells));
}

TEST(SolveOutcomeDisplay, NoFirstMoveToShow) {
    // Defender to move with no region: nothing lives in either pass.
    ASSERT_TRUE(loadExample("centre_straight_three_black_lives.ban"));
    regionPoints = PointList{};
    SolveRun run = solveCurrentProblem(1);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result, kSolveDead);
    ASSERT_EQ(run.shown.boxes.size(), 1u);
    EXPECT_EQ(run.shown.boxes[0].text, "打つ手が有りません");
    EXPECT_EQ(run.outcome.outcomeLine.rfind("死に  ", 0), 0u);

    // Attacker to move with no region: nothing kills.
    ASSERT_TRUE(loadExample("centre_pyramid_four_black_kills.ban"));
    regionPoints = PointList{};
    run = solveCurrentProblem(1);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result, kSolveAlive);
    EXPECT_EQ(run.shown.boxes[0].text, "打つ手が有りません");
}

TEST(SolveOutcomeDisplay, OneWorkerWithAFixedSeedIsRepeatable) {
    ASSERT_TRUE(loadExample("side_cutting_point_white_makes_ko.ban"));
    const SolveRun first = solveCurrentProblem(1, 11);
    const SolveRun second = solveCurrentProblem(1, 11);
    ASSERT_TRUE(first.finished && second.finished);
    EXPECT_EQ(first.result, second.result);
    EXPECT_EQ(first.outcome.judgments, second.outcome.judgments);
    EXPECT_EQ(first.outcome.depth, second.outcome.depth);
    EXPECT_EQ(first.outcome.memoryBytes, second.outcome.memoryBytes);
    EXPECT_EQ(movesOf(first.outcome), movesOf(second.outcome));
}

TEST(SolveRefusals, IncompleteProblemsAndWorkerCounts) {
    ASSERT_TRUE(loadExample("corner_bent_three_white_kills.ban"));
    EXPECT_EQ(SolveRefusal(1), nullptr);
    EXPECT_EQ(SolveRefusal(16), nullptr);
    EXPECT_NE(SolveRefusal(0), nullptr);
    EXPECT_NE(SolveRefusal(17), nullptr);
    const int32_t side = sideToMove;
    sideToMove = 0;
    EXPECT_NE(SolveRefusal(1), nullptr);
    sideToMove = side;
    targetPoint = pointAt(10, 10);  // an empty point
    EXPECT_NE(SolveRefusal(1), nullptr);
    targetPoint = 5000;             // outside the board array
    EXPECT_NE(SolveRefusal(1), nullptr);
}

}  // namespace
