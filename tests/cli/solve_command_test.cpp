#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "support/run_command.h"
#include "support/solve_run.h"

namespace {

CommandResult solve(const std::string& options, const std::string& problem) {
    return runCommand(solveBinary() + " " + options + " '" + problem + "'");
}

bool matches(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}

TEST(SolveCommand, TextOutput) {
    const CommandResult dead = solve("--threads 1", examplePath("corner_bent_three_white_kills.ban"));
    ASSERT_EQ(dead.status, 0) << dead.err;
    EXPECT_TRUE(matches(dead.out, "死に  \\d+\\[sec\\]  メモリ 0MByte\n"
                                  "Judged 回数 \\d+ 回  読深さ \\d+\nＡ 1,1\n"))
        << dead.out;
    const CommandResult none = solve("--threads 2", examplePath("corner_square_four_black_dead.ban"));
    EXPECT_TRUE(matches(none.out, "死に  \\d+\\[sec\\]  メモリ 0MByte\n打つ手が有りません\n"))
        << none.out;
    const CommandResult cut = solve("--threads 2 --time-limit 0", writeHeavyProblem());
    EXPECT_EQ(cut.status, 0);
    EXPECT_EQ(cut.out, "読み打ち切り time=0[sec]\n");
}

TEST(SolveCommand, JsonOutputRepeatsWithOneThreadAndAFixedSeed) {
    const std::string ko = examplePath("side_cutting_point_white_makes_ko.ban");
    const CommandResult first = solve("--threads 1 --seed 9 --json", ko);
    const CommandResult second = solve("--threads 1 --seed 9 --json", ko);
    ASSERT_EQ(first.status, 0) << first.err;
    const std::regex seconds("\"(seconds|wallSeconds)\": [\\d.e-]+");
    EXPECT_EQ(std::regex_replace(first.out, seconds, ""), std::regex_replace(second.out, seconds, ""));
    EXPECT_TRUE(matches(first.out,
                        "\\{\"file\": \".*\", \"sideToMove\": 2, \"target\": \\[8, 2\\], "
                        "\"region\": \\[(\\[\\d+, \\d+\\](, )?)+\\], \"threads\": 1, "
                        "\"search\": \"exact\", \"solveResult\": 3, \"verdict\": \"ko\", \"moves\": \\[\\[9, 2\\]\\], "
                        "\"complete\": true, "
                        "\"labels\": \\[\\{\"label\": \"Ａ\", \"point\": \\[9, 2\\]\\}\\], "
                        "\"seconds\": \\d+, \"memoryBytes\": [1-9]\\d*, \"memoryMB\": 0, "
                        "\"judgeCount\": [1-9]\\d*, \"depth\": [1-9]\\d*, "
                        "\"wallSeconds\": \\d+\\.\\d+\\}\n"))
        << first.out;
}

TEST(SolveCommand, IncompleteProblemIsRefusedWithStatus2) {
    const std::string path = processTempPath("no_target.ban");
    std::ofstream(path) << "* /t=1 /mark=[10,10]\n";
    const CommandResult r = solve("", path);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("no_target.ban: no stone at the target"), std::string::npos) << r.err;
}

TEST(SolveCommand, ImpossibleProblemsAndPathsThatAreNoFiles) {
    // White's stone at (2,1) is taken in by black, and black's at (1,1) too.
    const std::string path = processTempPath("no_liberty.ban");
    std::ofstream(path) << "* /t=2 /mark=[3,1]\n" << "1211\n" << "21\n" << "1\n";
    for (const char* options : {"", "--show", "--json"}) {
        const CommandResult r = solve(options, path);
        EXPECT_EQ(r.status, 2) << options;
        EXPECT_TRUE(r.out.empty()) << options;
        EXPECT_EQ(r.err, "ostrel-solve: " + path + ": a string without liberties at 1,1\n");
    }
    const CommandResult dir = solve("", testing::TempDir());
    EXPECT_EQ(dir.status, 2);
    EXPECT_NE(dir.err.find("is a directory"), std::string::npos) << dir.err;
    const CommandResult device = solve("--show", "/dev/zero");
    EXPECT_EQ(device.status, 2);
    EXPECT_NE(device.err.find("is a device"), std::string::npos) << device.err;
}

TEST(SolveCommand, SearchOrderIsChosenNamedInTheJsonAndCheckedWithItsKnobs) {
    const std::string ko = examplePath("side_cutting_point_white_makes_ko.ban");
    const CommandResult strong = solve("--threads 1 --json --search strong", ko);
    ASSERT_EQ(strong.status, 0) << strong.err;
    EXPECT_NE(strong.out.find("\"threads\": 1, \"search\": \"strong\", \"solveResult\": 3, "
                              "\"verdict\": \"ko\", \"moves\": [[9, 2]]"),
              std::string::npos)
        << strong.out;
    const CommandResult tuned =
        runCommand("OSTREL_STRONG=eps=1/8,order=0,open=0,judge=0,legal=0,carry=2,cut=0,cache=0 " +
                   solveBinary() + " --json --search strong '" +
                   ko + "'");
    EXPECT_EQ(tuned.status, 0) << tuned.err;
    EXPECT_NE(tuned.out.find("\"verdict\": \"ko\", \"moves\": [[9, 2]]"), std::string::npos)
        << tuned.out;
    for (const char* bad : {"--search fast", "--search"}) {
        const CommandResult r = solve(bad, ko);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.err, "ostrel-solve: --search takes exact or strong\n") << bad;
    }
    for (const char* knobs : {"eps=1", "eps=1/0", "order=2", "eps=1/4,", "speed=3", "carry=3", "open=-1",
                              "cache=", "judge=1001"}) {
        const CommandResult r = runCommand(std::string("OSTREL_STRONG=") + knobs + " " +
                                           solveBinary() + " --search strong '" + ko + "'");
        EXPECT_EQ(r.status, 2) << knobs;
        EXPECT_NE(r.err.find("OSTREL_STRONG takes"), std::string::npos) << knobs << r.err;
    }
}

// Large thread stacks in a small address space: the system refuses threads.
TEST(SolveCommand, ThreadsThatCannotStartEndWithStatus1) {
    const std::string limits = "ulimit -s 262144 && ulimit -v 1500000 && ";
    if (runCommand("sh -c '" + limits + solveBinary() + " --help' >/dev/null").status != 0) {
        GTEST_SKIP() << "the program does not run in a small address space (sanitizers)";
    }
    const CommandResult r = runCommand("sh -c '" + limits + solveBinary() +
                                       " --threads 16 \"" + examplePath("corner_bent_three_white_kills.ban") + "\"'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ostrel-solve: could not start 16 search threads\n");
    EXPECT_TRUE(r.out.empty());
}

}  // namespace
