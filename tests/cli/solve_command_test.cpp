#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "support/run_command.h"
#include "support/solve_run.h"

namespace {

std::string solve(const std::string& options, const std::string& problem) {
    return solveBinary() + " " + options + " '" + problem + "'";
}

// The seconds are the one part of the output that may change between runs.
std::string withoutSeconds(const std::string& text) {
    static const std::regex seconds(R"(\d+\[sec\]|"seconds": \d+)");
    return std::regex_replace(text, seconds, "S");
}

TEST(SolveCommand, TextOutputIsOutcomeLineBoxTextAndLabels) {
    const CommandResult r =
        runCommand(solve("--threads 1 --seed 7", examplePath("corner_bent_three_white_kills.ban")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("死に  \\d+\\[sec\\]  メモリ 0MByte\n"
                                                   "Judged 回数 \\d+ 回  読深さ \\d+\n"
                                                   "Ａ 1,1\n")))
        << r.out;

    const CommandResult none =
        runCommand(solve("--threads 2", examplePath("corner_square_four_black_dead.ban")));
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_TRUE(std::regex_match(
        none.out, std::regex("死に  \\d+\\[sec\\]  メモリ 0MByte\n打つ手が有りません\n")))
        << none.out;
}

TEST(SolveCommand, OneThreadWithAFixedSeedPrintsTheSameTwice) {
    const std::string ko = examplePath("side_cutting_point_white_makes_ko.ban");
    for (const std::string options : {"--threads 1 --seed 9", "--threads 1 --seed 9 --json"}) {
        const CommandResult first = runCommand(solve(options, ko));
        const CommandResult second = runCommand(solve(options, ko));
        ASSERT_EQ(first.status, 0) << first.err;
        EXPECT_EQ(withoutSeconds(first.out), withoutSeconds(second.out));
    }
}

TEST(SolveCommand, JsonHasTheOutcomeFields) {
    const CommandResult r = runCommand(
        solve("--threads 2 --seed 1 --json", examplePath("side_cutting_point_white_makes_ko.ban")));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& out = r.out;
    EXPECT_NE(out.find("\"sideToMove\": 2"), std::string::npos) << out;
    EXPECT_NE(out.find("\"target\": [8, 2]"), std::string::npos) << out;
    EXPECT_NE(out.find("\"threads\": 2"), std::string::npos) << out;
    EXPECT_NE(out.find("\"solveResult\": 3, \"verdict\": \"ko\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"moves\": [[9, 2]]"), std::string::npos) << out;
    EXPECT_NE(out.find("\"labels\": [{\"label\": \"Ａ\", \"point\": [9, 2]}]"),
              std::string::npos)
        << out;
    EXPECT_TRUE(std::regex_search(out, std::regex("\"memoryBytes\": [1-9]\\d*, \"memoryMB\": 0, "
                                                  "\"judgeCount\": [1-9]\\d*, \"depth\": \\d+\\}")))
        << out;
}

TEST(SolveCommand, CutOffPrintsOnlyItsLine) {
    const CommandResult r = runCommand(solve("--threads 2 --time-limit 0", writeHeavyProblem()));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "読み打ち切り time=0[sec]\n");
    const CommandResult json =
        runCommand(solve("--threads 1 --time-limit 0 --json", writeHeavyProblem()));
    EXPECT_NE(json.out.find("\"solveResult\": 0, \"verdict\": \"cut off\""), std::string::npos)
        << json.out;
}

TEST(SolveCommand, IncompleteProblemIsRefusedWithStatus2) {
    const std::string path = testing::TempDir() + "ostrel_no_target.ban";
    {
        std::ofstream out(path, std::ios::binary);
        out << "* /t=1 /mark=[10,10]\r\n";
        for (int y = 1; y <= 19; ++y) {
            out << std::string(19, '0') << "\r\n";
        }
    }
    const CommandResult r = runCommand(solve("", path));
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("ostrel_no_target.ban"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("no stone at the target"), std::string::npos) << r.err;
}

}  // namespace
