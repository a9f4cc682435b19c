#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/run_command.h"

namespace {

std::string writeProblem(const std::string& name, const std::string& header,
                         const std::string& row5) {
    const std::string path = processTempPath(name);
    std::ofstream out(path, std::ios::binary);
    out << header << "\r\n";
    for (int y = 1; y <= 19; ++y) {
        out << (y == 5 ? row5 : std::string(19, '0')) << "\r\n";
    }
    return path;
}

int countLines(const std::string& text) {
    int lines = 0;
    for (const char c : text) {
        lines += c == '\n';
    }
    return lines;
}

TEST(ShowCommand, PrintsProblemAndRegion) {
    // A lone white stone at (10, 5), and a Z point at (1, 5).
    const std::string path =
        writeProblem("lone.ban", "* /t=1 /mark=[10,5]", "Z000000002000000000");
    const CommandResult text = runCommand(solveBinary() + " --show " + path);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("side to move: black\n"), std::string::npos);
    EXPECT_NE(text.out.find("target: (10, 5)\n"), std::string::npos);
    EXPECT_NE(text.out.find("\nZ.......+O+........\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("region: 4 points\n(10, 4)\n(9, 5)\n(11, 5)\n(10, 6)\n"),
              std::string::npos)
        << text.out;

    const CommandResult json = runCommand(solveBinary() + " --show --json " + path);
    ASSERT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"sideToMove\": 1, \"target\": [10, 5], "
                            "\"region\": [[10, 4], [9, 5], [11, 5], [10, 6]], \"targetStone\": 2}"),
              std::string::npos)
        << json.out;
}

TEST(ShowCommand, ProblemWithoutTargetStoneHasNoRegion) {
    const std::string path = writeProblem("notarget.ban", "* /t=2 /mark=[3,3]", std::string(19, '0'));
    const CommandResult text = runCommand(solveBinary() + " --show " + path);
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("target: (3, 3) (no stone there)"), std::string::npos);
    EXPECT_NE(text.out.find("region: empty (no target stone)"), std::string::npos);
    const CommandResult json = runCommand(solveBinary() + " --show --json " + path);
    EXPECT_NE(json.out.find("\"region\": [], \"targetStone\": 0}"), std::string::npos);
}

TEST(ShowCommand, BadInputIsOneLineAndStatusTwo) {
    const std::string good = writeProblem("good.ban", "* /t=1 /mark=[10,5]", "0000000002000000000");
    const std::string cases[] = {
        "",                                  // no file
        " --threads 0 " + good,              // out of range
        " --threads 17 " + good,
        " --threads two " + good,            // not a number
        " --time-limit -1 " + good,
        " --seed 99999999999 " + good,
        " --frobnicate " + good,             // unknown option
        " " + good + " " + good,             // two files
        " --show /nonexistent/problem.ban",  // unreadable
        " --threads",                        // missing value
    };
    for (const std::string& args : cases) {
        const CommandResult r = runCommand(solveBinary() + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(countLines(r.err), 1) << args << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    const CommandResult help = runCommand(solveBinary() + " --help");
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--show", "--json", "--threads", "--time-limit", "--seed", "--help"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
}

}  // namespace
