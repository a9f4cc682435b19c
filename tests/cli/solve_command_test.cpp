// ostrel-solve on one problem: --show, the solve's text and JSON output, bad
// input, output that cannot be written, and the strong order's knobs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "support/run_command.h"
#include "support/solve_run.h"

namespace {

using nlohmann::json;

CommandResult solve(const std::string& options, const std::string& problem) {
    return runCommand(solveBinary() + " " + options + " '" + problem + "'");
}

bool matches(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}

// Strict: anything but one JSON object on one line (valid UTF-8 included) fails.
json parseStrict(const std::string& text) {
    EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
    return json::parse(text);  // throws on any fault, invalid UTF-8 included
}

// A .ban problem whose fifth row is `row5`, the other rows empty.
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

TEST(ShowCommand, PrintsProblemAndRegion) {
    // A lone white stone at (10, 5), and a Z point at (1, 5).
    const std::string path =
        writeProblem("lone.ban", "* /t=1 /mark=[10,5]", "Z000000002000000000");
    const CommandResult text = solve("--show", path);
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* part : {"side to move: black\n", "target: (10, 5)\n", "\nZ.......+O+........\n",
                             "region: 4 points\n(10, 4)\n(9, 5)\n(11, 5)\n(10, 6)\n"}) {
        EXPECT_NE(text.out.find(part), std::string::npos) << part << text.out;
    }
    EXPECT_NE(solve("--show --json", path)
                  .out.find("\"sideToMove\": 1, \"target\": [10, 5], "
                            "\"region\": [[10, 4], [9, 5], [11, 5], [10, 6]], \"targetStone\": 2}"),
              std::string::npos);

    // No stone at the target: shown, with no region.
    const std::string none = writeProblem("notarget.ban", "* /t=2 /mark=[3,3]", std::string(19, '0'));
    const std::string bare = solve("--show", none).out;
    EXPECT_NE(bare.find("target: (3, 3) (no stone there)\n"), std::string::npos) << bare;
    EXPECT_NE(bare.find("region: empty (no target stone)"), std::string::npos);
    EXPECT_NE(solve("--show --json", none).out.find("\"region\": [], \"targetStone\": 0}"),
              std::string::npos);
}

TEST(ShowCommand, BadInputIsOneLineAndStatusTwo) {
    const std::string good = writeProblem("good.ban", "* /t=1 /mark=[10,5]", "0000000002000000000");
    const std::string cases[] = {
        "",                                  // no file
        " --threads 17 " + good,             // out of range
        " --threads two " + good,            // not a number
        " --time-limit -1 " + good,
        " --seed 99999999999 " + good,
        " --frobnicate " + good,             // unknown option
        " " + good + " " + good,             // two files
        " --batch --check " + good,
        " --batch --target 10,5 " + good,
        " --show /nonexistent/problem.ban",  // unreadable
        " --threads",                        // missing value
    };
    for (const std::string& args : cases) {
        const CommandResult r = runCommand(solveBinary() + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(!r.err.empty() && r.err.find('\n') == r.err.size() - 1) << args << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    EXPECT_EQ(runCommand(solveBinary() + " --help").status, 0);
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
    EXPECT_EQ(solve("--threads 2 --time-limit 0", writeHeavyProblem()).out, "読み打ち切り time=0[sec]\n");
}

// (That it repeats with one thread and a seed: BatchCommand.EachSolveAsInAProcessOfItsOwn.)
TEST(SolveCommand, JsonOutput) {
    const CommandResult first =
        solve("--threads 1 --seed 9 --json", examplePath("side_cutting_point_white_makes_ko.ban"));
    ASSERT_EQ(first.status, 0) << first.err;
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

    // A cut-off solve lists no moves as its answer, only apart as proven.
    const json cut = parseStrict(solve("--json --threads 2 --time-limit 0", writeHeavyProblem()).out);
    EXPECT_EQ(cut["verdict"], "cut off");
    EXPECT_EQ(cut["complete"], false);
    EXPECT_EQ(cut["moves"], json::array());
    EXPECT_TRUE(cut["provenMoves"].is_array());
    EXPECT_EQ(cut["labels"], json::array());
}

// The name shown with U+FFFD for each byte that is not UTF-8, the real bytes in hex.
TEST(SolveCommand, AFileNameThatIsNotUtf8) {
    const std::string path = processTempPath("name_\xFF\xFE.ban");
    std::filesystem::copy_file(examplePath("corner_bent_three_white_kills.ban"), path,
                               std::filesystem::copy_options::overwrite_existing);
    std::string hex;
    for (const unsigned char c : path) {
        hex += "0123456789abcdef"[c >> 4];
        hex += "0123456789abcdef"[c & 15];
    }
    const CommandResult r = solve("--json --threads 1", path);
    ASSERT_EQ(r.status, 0) << r.err;
    const json out = parseStrict(r.out);
    EXPECT_EQ(out["file"], processTempPath("name_\xEF\xBF\xBD\xEF\xBF\xBD.ban"));
    EXPECT_EQ(out["fileBytes"], hex);
    std::filesystem::remove(path);
}

TEST(SolveCommand, OutputThatCannotBeWrittenIsAnError) {
    const std::string problem = examplePath("corner_bent_three_white_kills.ban");
    for (const char* options : {"--show", "--show --json", "--threads 1", "--json --threads 1"}) {
        SCOPED_TRACE(options);
        const CommandResult full =
            runCommand(solveBinary() + " " + options + " '" + problem + "' >/dev/full");
        EXPECT_EQ(full.status, 1);
        EXPECT_EQ(full.err, "ostrel-solve: cannot write the output: No space left on device\n");
        const CommandResult closed =
            runCommand(solveBinary() + " " + options + " '" + problem + "' >&-");
        EXPECT_EQ(closed.status, 1);
        EXPECT_EQ(closed.err.rfind("ostrel-solve: cannot write the output: ", 0), 0u) << closed.err;
    }
    // Bad input keeps its own status and its one line.
    const CommandResult bad = runCommand(solveBinary() + " --threads 0 '" + problem + "' >/dev/full");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "ostrel-solve: --threads takes a number from 1 to 16\n");
    EXPECT_EQ(runCommand(solveBinary() + " --help >/dev/full").status, 1);
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
    // A device that never ends is refused unread.
    const CommandResult device = solve("--show", "/dev/zero");
    EXPECT_EQ(device.status, 2);
    EXPECT_EQ(device.err, "ostrel-solve: /dev/zero: is a device, not a problem file\n");
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
        runCommand("OSTREL_STRONG=eps=1/8,rooteps=3/2,order=0,open=0,judge=0,legal=0,carry=2,cut=0,"
                   "cache=0,weak=0,rooteps=0 " +
                   solveBinary() + " --json --search strong '" + ko + "'");
    EXPECT_NE(tuned.out.find("\"verdict\": \"ko\", \"moves\": [[9, 2]]"), std::string::npos) << tuned.err;
    const std::string search = "ostrel-solve: --search takes exact or strong\n";
    const std::string memory = "ostrel-solve: --memory takes a number of megabytes from 1 to 1048576\n";
    const std::pair<const char*, std::string> bad[] = {
        {"--search fast", search}, {"--search", search}, {"--memory 0", memory},
        {"--memory 1048577", memory}, {"--memory half", memory}, {"--memory", memory}};
    for (const auto& [options, message] : bad) {
        const CommandResult r = solve(options, ko);
        EXPECT_EQ(r.status, 2) << options;
        EXPECT_EQ(r.err, message) << options;
    }
    EXPECT_EQ(solve("--search strong --memory 1", ko).status, 0);
    for (const char* knobs : {"eps=1", "eps=1/0", "order=2", "eps=1/4,", "speed=3", "carry=3", "open=-1",
                              "cache=", "judge=1001", "rooteps=1/0", "rooteps=", "rooteps=00"}) {
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
