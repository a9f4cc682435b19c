// ostrel-solve on SGF files and on collections: --target and --side, the
// answer written with --sgf-out, --batch over a folder with a broken file in
// it, and --check against the first moves a file marks correct.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/run_command.h"
#include "support/solve_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

CommandResult solve(const std::string& arguments) {
    return runCommand(solveBinary() + " " + arguments);
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// A fresh folder of this test process.
std::string freshFolder(const std::string& name) {
    const std::string folder = processTempPath(name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// White to kill Black's bent three in the corner; (1,1) kills, (2,1) does not.
//   . . X O
//   . X X O
//   X X O O
//   O O O
const std::string kBentThree =
    "(;GM[1]FF[4]SZ[19]PL[W]AB[ca][bb][cb][ac][bc]AW[da][db][cc][dc][ad][bd][cd]MA[bb]";

TEST(SgfCommand, TargetAndSideFromTheCommandLine) {
    const std::string folder = freshFolder("sgf_command");
    // Three strings marked: refused, naming them, unless --target picks one.
    const std::string several = folder + "/several.sgf";
    std::ofstream(several) << "(;PL[W]AB[ca][bb][cb][ac][bc]AW[da][db][cc][dc][ad][bd][cd][ss]"
                              "TR[bb][cc][ss])";
    const CommandResult refused = solve(quoted(several));
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_EQ(refused.err, "ostrel-solve: " + several +
                               ": the marked stones lie on several strings, any of which may be "
                               "the target: (2,2) (3,3) (19,19); pick one with --target x,y\n");
    const CommandResult picked = solve("--threads 1 --target 2,2 " + quoted(several));
    EXPECT_EQ(picked.status, 0) << picked.err;
    EXPECT_EQ(linesOf(picked.out).back(), "Ａ 1,1");

    // No side and no mark: both can be given; a bad value is named.
    const std::string bare = folder + "/bare.sgf";
    std::ofstream(bare) << "(;AB[ca][bb][cb][ac][bc]AW[da][db][cc][dc][ad][bd][cd])";
    EXPECT_EQ(solve(quoted(bare)).err,
              "ostrel-solve: " + bare +
                  ": no side to move (neither PL nor a first move in the main line); give one "
                  "with --side black|white\n");
    EXPECT_EQ(solve("--side white " + quoted(bare)).err,
              "ostrel-solve: " + bare +
                  ": no target stone: mark one with MA, TR, SQ or CR, or give --target x,y\n");
    const json shown = json::parse(solve("--show --json --side black --target 2,2 " + quoted(bare)).out);
    EXPECT_EQ(shown["sideToMove"], 1);
    EXPECT_EQ(shown["target"], json::parse("[2, 2]"));
    EXPECT_EQ(solve("--target 0,3 " + quoted(bare)).err,
              "ostrel-solve: --target takes a point x,y with x and y from 1 to 19\n");
    EXPECT_EQ(solve("--side red " + quoted(bare)).err, "ostrel-solve: --side takes black or white\n");
    // --target works on a .ban as well: an empty point is no target.
    const CommandResult empty = solve("--target 1,1 " + quoted(examplePath("corner_bent_three_white_kills.ban")));
    EXPECT_NE(empty.err.find("no stone at the target point"), std::string::npos) << empty.err;
}

TEST(SgfCommand, SgfOutWritesTheAnswerAndReadsBack) {
    const std::string folder = freshFolder("sgf_out");
    // --show --sgf-out turns a .ban into its SGF twin.
    const std::string twin = folder + "/twin.sgf";
    ASSERT_EQ(solve("--show --sgf-out " + quoted(twin) + " " +
                    quoted(examplePath("side_bulky_five_white_lives.ban")))
                  .status,
              0);
    EXPECT_EQ(readFile(twin), readFile(examplePath("side_bulky_five_white_lives.sgf")));

    // After a solve: labels, comment and one variation per working first move.
    const std::string solved = folder + "/solved.sgf";
    const CommandResult r = solve("--threads 1 --seed 5 --sgf-out " + quoted(solved) + " " + quoted(twin));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(readFile(solved).find("LB[jb:A][ib:B][ja:C]C[生き / alive: 3 correct first moves]\n(;W[jb]C[Correct])"),
              std::string::npos);

    // A file that cannot be written: the message and status 1, the output still printed.
    const CommandResult unwritable = solve("--sgf-out /nonexistent/dir/x.sgf " + quoted(twin));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_FALSE(unwritable.out.empty());
    EXPECT_EQ(unwritable.err, "ostrel-solve: cannot write /nonexistent/dir/x.sgf: No such file or directory\n");
}

// Every example, as .ban and as .sgf, in a nested copy of examples/ with one
// broken file among them: all answered, the broken one named, status 2.
TEST(BatchCommand, FolderWithABrokenFile) {
    const std::string folder = freshFolder("batch");
    fs::create_directories(folder + "/nested/deeper");
    int32_t copied = 0;
    for (const auto& entry : fs::directory_iterator(examplePath(""))) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".ban" || extension == ".sgf") {
            fs::copy_file(entry.path(), folder + (copied % 2 ? "/nested/deeper/" : "/") +
                                            entry.path().filename().string());
            copied += 1;
        }
    }
    ASSERT_EQ(copied, 30);
    std::ofstream(folder + "/nested/broken.sgf") << "(;AB[aa]AW[tt])";
    std::ofstream(folder + "/notes.txt") << "not a problem";

    const CommandResult text = solve("--batch --threads 1 " + quoted(folder));
    EXPECT_EQ(text.status, 2) << text.err;
    const std::vector<std::string> lines = linesOf(text.out);
    ASSERT_EQ(lines.size(), 32u) << text.out;
    std::vector<std::string> sorted(lines.begin(), lines.end() - 1);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    const std::regex answered(R"(.+\.(ban|sgf)  (alive|dead|ko)  moves (-|\d+,\d+( \d+,\d+)*)  judgments \d+  \d+\.\d{3} s)");
    for (const std::string& line : sorted) {
        EXPECT_TRUE(line.find("broken.sgf") != std::string::npos || std::regex_match(line, answered)) << line;
    }
    EXPECT_EQ(std::count(sorted.begin(), sorted.end(),
                         folder + "/nested/broken.sgf  broken: AW[tt] on line 1: the point is off the 19x19 board"),
              1);
    EXPECT_TRUE(std::regex_match(lines.back(), std::regex(
        R"(summary: 31 files, 30 solved: alive 14, dead 14, ko 2, cut off 0; broken 1; \d+\.\d{3} s in all, median \d+\.\d{3} s)")))
        << lines.back();
    EXPECT_NE(text.err.find("progress: 31/31 done, "), std::string::npos) << text.err;

    // JSON lines: each one parses on its own; the summary object comes last.
    const CommandResult lines2 = solve("--batch --json --threads 1 " + quoted(folder) + " /nonexistent.ban");
    EXPECT_EQ(lines2.status, 2);
    const std::vector<std::string> objects = linesOf(lines2.out);
    ASSERT_EQ(objects.size(), 33u);
    for (size_t i = 0; i + 1 < objects.size(); ++i) {
        const json line = json::parse(objects[i]);
        EXPECT_TRUE(line.contains("file") && line.contains("error") != line.contains("verdict")) << objects[i];
    }
    json summary = json::parse(objects.back())["summary"];
    EXPECT_GE(summary["totalSeconds"].get<double>(), summary["medianSeconds"].get<double>());
    summary.erase("totalSeconds");
    summary.erase("medianSeconds");
    EXPECT_EQ(summary, json::parse(R"({"files": 32, "solved": 30, "alive": 14, "dead": 14, "ko": 2,
                                       "cutOff": 0, "broken": 2})"));

    // Every file read: status 0.
    fs::remove(folder + "/nested/broken.sgf");
    EXPECT_EQ(solve("--batch --threads 1 " + quoted(folder + "/nested")).status, 0);
}

// Solves in one process repeat a lone solve: the same judgments with one
// worker and a seed, also for a solve cut off at its first clock check, and in
// the strong order too (its table is kept only for the window's play-out).
TEST(BatchCommand, EachSolveAsInAProcessOfItsOwn) {
    const auto repeatsAlone = [](const std::string& options, const std::string& file,
                                 const std::string& verdict) {
        SCOPED_TRACE(options);
        const std::string copy = processTempPath("batch_copy_" + fs::path(file).filename().string());
        fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
        const json alone = json::parse(solve(options + quoted(file)).out);
        EXPECT_EQ(alone["verdict"], verdict);
        const std::vector<std::string> twice =
            linesOf(solve("--batch " + options + quoted(file) + " " + quoted(copy)).out);
        ASSERT_EQ(twice.size(), 3u);
        for (int32_t i = 0; i < 2; ++i) {
            const json line = json::parse(twice[i]);
            EXPECT_EQ(line["verdict"], alone["verdict"]) << i;
            EXPECT_EQ(line["moves"], alone["moves"]) << i;
            EXPECT_EQ(line["judgeCount"], alone["judgeCount"]) << i;
        }
    };
    repeatsAlone("--json --threads 1 --seed 7 --time-limit 0 ", writeHeavyProblem(), "cut off");
    const std::string bulky = examplePath("side_bulky_five_white_lives.sgf");
    repeatsAlone("--json --threads 1 --seed 7 ", bulky, "alive");
    repeatsAlone("--json --threads 1 --seed 7 --search strong ", bulky, "alive");
}

TEST(CheckCommand, BookMovesAgainstTheSolver) {
    const std::string folder = freshFolder("check");
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(folder + "/" + name) << text;
    };
    write("a_agrees.sgf", kBentThree + "(;W[aa]C[Correct];B[ba];W[ab])(;W[ba]C[Wrong];B[aa]))");
    write("b_refuted.sgf", kBentThree + "(;W[aa]TE[1])(;W[ba]TE[2]))");
    write("d_unmarked.sgf", kBentThree + "(;W[aa]))");
    write("e_not_sgf.ban", readFile(examplePath("corner_bent_three_white_kills.ban")));
    // Bulky five: White lives with (10,2), (10,1) or (9,2).
    const std::string bulky = readFile(examplePath("side_bulky_five_white_lives.sgf"));
    write("f_three_ways.sgf", bulky.substr(0, bulky.size() - 2) +
                                  "(;W[jb]C[Correct])(;W[ja]C[Correct])(;W[ib]C[Correct]))");
    write("g_not_in_book.sgf", bulky.substr(0, bulky.size() - 2) + "(;W[jb]C[Correct])(;W[ja]))");

    const CommandResult r = solve("--check --threads 1 --seed 5 " + quoted(folder));
    EXPECT_EQ(r.status, 2) << r.err;
    const std::vector<std::string> lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    const std::regex seconds("  \\d+\\.\\d{3} s$");
    const auto timeless = [&](size_t i) { return std::regex_replace(lines[i], seconds, ""); };
    EXPECT_EQ(timeless(0), folder + "/a_agrees.sgf  agrees  book 1,1  solver 1,1");
    EXPECT_EQ(timeless(1), folder + "/b_refuted.sgf  book move refuted  book 1,1 2,1  solver 1,1");
    EXPECT_EQ(lines[2], folder + "/d_unmarked.sgf  broken: no first move is marked correct (a "
                                 "variation with \"Correct\" or \"RIGHT\" in a comment, or TE[1] or TE[2])");
    EXPECT_EQ(timeless(3), folder + "/f_three_ways.sgf  agrees  book 10,2 10,1 9,2  solver 10,2 9,2 10,1");
    EXPECT_EQ(timeless(4), folder + "/g_not_in_book.sgf  solver move not in book  book 10,2  solver 10,2 9,2 10,1");
    EXPECT_TRUE(std::regex_match(lines[5], std::regex(
        "summary: 5 files, agrees 2, book move refuted 1, solver move not in book 1, cut off 0, "
        "broken 1; .*")))
        << lines[5];

    // An explicit .ban is taken but marks nothing; a cut-off solve is its own answer.
    const std::vector<std::string> json = linesOf(
        solve("--check --json --threads 1 --time-limit 0 " + quoted(folder + "/e_not_sgf.ban") + " " +
              quoted(folder + "/f_three_ways.sgf"))
            .out);
    ASSERT_EQ(json.size(), 3u);
    EXPECT_EQ(nlohmann::json::parse(json[0])["error"], "a .ban file marks no correct first move");
    const nlohmann::json cut = nlohmann::json::parse(json[1]);
    EXPECT_EQ(cut["check"], "cut off");
    EXPECT_EQ(cut["bookMoves"].size(), 3u);
    const nlohmann::json summary = nlohmann::json::parse(json[2])["summary"];
    EXPECT_EQ(summary["cutOff"], 1);
    EXPECT_EQ(summary["broken"], 1);
    EXPECT_EQ(summary["agrees"], 0);
}

}  // namespace
