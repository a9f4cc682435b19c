#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "support/solve_run.h"

namespace {

const std::string kSetDirectory = "bench/problems";
const std::string kHardDirectory = "bench/problems/hard";

std::set<std::string> ProblemFiles(const std::string& directory = kSetDirectory) {
    std::set<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(OSTREL_SOURCE_DIR) + "/" + directory)) {
        if (entry.path().extension() == ".ban") {
            files.insert(entry.path().filename().string());
        }
    }
    return files;
}

std::string ProblemPath(const std::string& file, const std::string& directory = kSetDirectory) {
    return std::string(OSTREL_SOURCE_DIR) + "/" + directory + "/" + file;
}

// The set and its larger problems, each with its own table.
TEST(ProblemSet, EveryProblemHasOneRowAndLoadsAsAProblem) {
    for (const std::string& directory : {kSetDirectory, kHardDirectory}) {
        SCOPED_TRACE(directory);
        const std::vector<ExampleAnswer> answers = readAnswerTable(directory);
        std::set<std::string> rows;
        for (const ExampleAnswer& answer : answers) {
            SCOPED_TRACE(answer.file);
            EXPECT_TRUE(rows.insert(answer.file).second) << "a second row";
            EXPECT_NE(answer.verdict, -1) << "the answer is alive, dead or ko";
            ASSERT_TRUE(loadProblem(ProblemPath(answer.file, directory)));
            EXPECT_EQ(SolveRefusal(1), SolveRefusalCode::kNone);
            EXPECT_GT(regionPoints[0], 0);
        }
        EXPECT_EQ(rows, ProblemFiles(directory));
        EXPECT_GE(rows.size(), directory == kSetDirectory ? 25u : 8u);
    }
}

// A weak sum stops below INF, so a node searched towards INF must pass INF
// down: with these starting numbers a first move of this corner once reached
// INF - 10 on pn and was searched again and again without a step.
TEST(ProblemSet, WeakSumsNeverStallBelowInfinity) {
    ASSERT_TRUE(loadProblem(ProblemPath("corner_three_by_four_white_cannot_kill.ban")));
    StrongSearchSettings settings;
    settings.weakSums = true;
    settings.openWeight = 4;
    settings.judgmentWeight = 10;
    settings.rootEpsilonNumerator = 0;  // first moves taking turns, as when it stalled
    const StrongOrder strong(settings);
    const SolveRun run = solveCurrentProblem(1, 1, 30, 60);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.result, kSolveAlive);  // not cut off
}

// Solves the whole set five times over (about a minute or two per worker
// count on an idle machine), so it runs only when asked for:
//   OSTREL_PROBLEM_SET=1 build/ostrel_tests --gtest_filter='ProblemSetThreaded*'
TEST(ProblemSetThreaded, EveryWorkerCountGivesTheReadmeAnswers) {
    if (std::getenv("OSTREL_PROBLEM_SET") == nullptr) {
        GTEST_SKIP() << "set OSTREL_PROBLEM_SET=1 to solve the benchmark set";
    }
    for (const ExampleAnswer& answer : readAnswerTable(kSetDirectory)) {
        SCOPED_TRACE(answer.file);
        ASSERT_TRUE(loadProblem(ProblemPath(answer.file)));
        for (int32_t workers : {1, 2, 4, 16}) {
            const SolveRun run = solveCurrentProblem(workers);
            ASSERT_TRUE(run.finished) << workers << " workers";
            EXPECT_EQ(run.result, answer.verdict) << workers << " workers";
            EXPECT_EQ(run.moves, answer.moves) << workers << " workers";
        }
    }
}

}  // namespace
