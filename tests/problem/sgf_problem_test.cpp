#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "problem/problem.h"
#include "problem/sgf_problem.h"
#include "support/board_text.h"
#include "support/run_command.h"

namespace {

// The whole board as a picture: compared with a diagram of its corner, a
// stone anywhere else shows too.
std::vector<std::string> picture(const Board& board) {
    return boardPicture(board, PointList{}, kBoardSize, kBoardSize);
}

SgfProblem readOk(const std::string& text) {
    SgfProblem problem;
    std::string message;
    EXPECT_EQ(ParseSgfProblem(text, problem, message), kSgfOk) << message;
    return problem;
}

std::string refusal(const std::string& text) {
    SgfProblem problem;
    std::string message;
    EXPECT_NE(ParseSgfProblem(text, problem, message), kSgfOk);
    return message;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string examplesDir() {
    return std::string(OSTREL_SOURCE_DIR) + "/examples/";
}

PointList pointsOf(std::initializer_list<int32_t> points) {
    PointList list{};
    for (const int32_t p : points) {
        addPoint(list, p);
    }
    return list;
}

TEST(SgfProblem, SetUpOfTheMainLineUpToItsFirstMove) {
    // Set-up in two nodes, a compressed list, AE taking stones away; the stones
    // of the node with the first move and after it are not read.
    const SgfProblem problem = readOk(
        "(;GM[1]FF[4]SZ[19]AB[aa:cb]AW[da][db]\n"
        ";AE[ba]AW[ac][bc][cc]MA[ab]\n"
        ";W[ba]AB[dd];B[ee]\n"
        "(;AB[ff]))");
    EXPECT_EQ(picture(problem.board), picture(boardFromText({
                                          "X.XO",
                                          "XXXO",
                                          "OOO",
                                      })));
    EXPECT_EQ(problem.side, kWhite);  // the colour of the first move
    EXPECT_EQ(problem.target, pointAt(1, 2));
    EXPECT_EQ(SgfProblemGap(problem), "");

    // PL wins over the first move; the corners of a rectangle may come in any order.
    const SgfProblem reversed = readOk("(;PL[B]AW[cb:aa];W[dd])");
    EXPECT_EQ(reversed.side, kBlack);
    EXPECT_EQ(picture(reversed.board), picture(boardFromText({"OOO", "OOO"})));

    // No PL and no move: read, without a side.
    const SgfProblem sideless = readOk("(;AB[aa]MA[aa])");
    EXPECT_EQ(sideless.side, 0);

    // A later node may overwrite a point; one node may not set it twice.
    EXPECT_EQ(readOk("(;AB[aa];AW[aa])").board[pointAt(1, 1)], kWhite);
    EXPECT_EQ(refusal("(;AB[aa:bb]\nAW[bb])"), "a stone on a stone: bb is set twice in one node, the second time on line 2");
}

TEST(SgfProblem, TargetFromTheMarks) {
    // X X O
    // . O .      MA beats TR, TR beats SQ, SQ beats CR; marks on empty points
    // X . .      do not count, so TR here decides.
    const std::string stones = "(;PL[B]AB[aa][ba][ac]AW[ca][bb]";
    EXPECT_EQ(readOk(stones + "MA[cc]TR[bb]SQ[aa]CR[ac])").target, pointAt(2, 2));
    EXPECT_EQ(readOk(stones + "CR[ac]SQ[ca])").target, pointAt(3, 1));
    EXPECT_EQ(readOk(stones + "CR[ac])").target, pointAt(1, 3));
    // Two marked stones of one string: the first one marked is the target.
    EXPECT_EQ(readOk(stones + "MA[ba][aa])").target, pointAt(2, 1));

    // Marks on three strings: no target, one candidate stone per string.
    const SgfProblem several = readOk(stones + "TR[aa][ba][bb][ac])");
    EXPECT_EQ(several.target, 0);
    EXPECT_EQ(SgfProblemGap(several),
              "the marked stones lie on several strings, any of which may be the target: "
              "(1,1) (2,2) (1,3)");
    // A mark on an empty point only: no target, and no candidates.
    const SgfProblem unmarked = readOk(stones + "MA[cc])");
    EXPECT_EQ(unmarked.target, 0);
    EXPECT_EQ(unmarked.candidates[0], 0);
}

TEST(SgfProblem, RefusedProblemsSayWhy) {
    EXPECT_EQ(refusal("(;GM[1]SZ[13]AB[aa])"), "SZ[13]: only 19x19 problems are read");
    EXPECT_EQ(refusal("(;GM[2])"), "GM[2]: not a game of Go");
    EXPECT_EQ(refusal("(;\nAB[aa][tt])"), "AB[tt] on line 2: the point is off the 19x19 board");
    EXPECT_EQ(refusal("(;AW[aa:zz])"), "AW[aa:zz] on line 1: the point is off the 19x19 board");
    EXPECT_EQ(refusal("(;AB[AA])"), "AB[AA] on line 1: the point is off the 19x19 board");
    EXPECT_EQ(refusal("(;MA[s])"), "MA[s] on line 1: the point is off the 19x19 board");
    EXPECT_EQ(refusal("(;PL[X])"), "PL[X] on line 1 is neither B nor W");
    // SZ[19:19] and a missing SZ are the full board.
    readOk("(;SZ[19:19]AB[ss])");
    readOk("(;AB[ss])");

    // The file reader: a missing file, an empty one, one over the size limit.
    SgfProblem problem;
    std::string message;
    EXPECT_EQ(ReadSgfProblemFile("/nonexistent/dir/none.sgf", problem, message), kSgfCannotOpen);
    EXPECT_EQ(message, "cannot open the file: No such file or directory");
    EXPECT_EQ(ReadSgfProblemFile(examplesDir().c_str(), problem, message), kSgfCannotOpen);
    EXPECT_EQ(message, "is a directory, not a problem file");
    const std::string path = processTempPath("limit.sgf");
    std::ofstream(path, std::ios::binary) << "";
    EXPECT_EQ(ReadSgfProblemFile(path.c_str(), problem, message), kSgfEmpty);
    // A file of exactly 1 MB is read, one byte more is not.
    const std::string tree = "(;PL[B]AB[aa]MA[aa]C[";
    std::string exact = tree + std::string(kSgfMaxBytes - tree.size() - 2, 'x') + "])";
    std::ofstream(path, std::ios::binary) << exact;
    EXPECT_EQ(ReadSgfProblemFile(path.c_str(), problem, message), kSgfOk) << message;
    std::ofstream(path, std::ios::binary) << exact << "\n";
    EXPECT_EQ(ReadSgfProblemFile(path.c_str(), problem, message), kSgfTooLarge);
    EXPECT_EQ(message, "the file is larger than 1 MB");
}

TEST(SgfProblem, BookMovesFromMarkedLines) {
    // Black to play: (1,1) right by a comment deep in its line, (2,1) by TE[2],
    // (3,1) wrong, (4,1) "RIGHT" in a sub-variation; White's move is not Black's.
    const SgfProblem problem = readOk(
        "(;PL[B]AB[ss]AW[rs]MA[ss]"
        "(;B[aa];W[ab];B[ac]C[Correct!])"
        "(;B[ba]TE[2])"
        "(;B[ca];W[cb]C[Incorrect, White lives])"
        "(;B[da](;W[db]C[WRONG])(;W[dc];B[dd]C[RIGHT]))"
        "(;W[ea]C[Correct]))");
    EXPECT_EQ(problem.side, kBlack);
    EXPECT_EQ(listLength(problem.firstMoves), 4);
    PointList expected = pointsOf({pointAt(1, 1), pointAt(2, 1), pointAt(4, 1)});
    EXPECT_EQ(problem.bookMoves.p, expected.p);
}

TEST(SgfProblem, WriterOutput) {
    resetProblem();
    problemBoard = boardFromText({
        ".XO",
        "XXO",
        "OOZ",
    });
    sideToMove = kWhite;
    targetPoint = pointAt(2, 2);
    const std::string plain =
        "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[Ostrel:7]PL[W]AB[ba][ab][bb]AW[ca][cb][ac][bc]MA[bb])\n";
    EXPECT_EQ(SgfProblemText(problemBoard, sideToMove, targetPoint, nullptr), plain);

    SgfAnswer answer;
    answer.verdict = 2;  // dead
    answer.moves = pointsOf({pointAt(1, 1), pointAt(4, 4)});
    const std::string solved =
        "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[Ostrel:7]PL[W]AB[ba][ab][bb]AW[ca][cb][ac][bc]MA[bb]"
        "LB[aa:A][dd:B]C[死に / dead: 2 correct first moves]\n"
        "(;W[aa]C[Correct])\n"
        "(;W[dd]C[Correct]))\n";
    const std::string path = processTempPath("written.sgf");
    ASSERT_EQ(WriteSgfProblemFile(path.c_str(), &answer), 0);
    EXPECT_EQ(readFile(path), solved);
    EXPECT_EQ(WriteSgfProblemFile("/nonexistent/dir/x.sgf", &answer), 1);

    // Read back: the same problem (less the Z point), the answer as book moves,
    // and written again the same text.
    const SgfProblem back = readOk(solved);
    EXPECT_EQ(back.board[pointAt(3, 3)], kEmpty);
    EXPECT_EQ(back.bookMoves.p, answer.moves.p);
    EXPECT_EQ(SgfProblemText(back.board, back.side, back.target, &answer), solved);

    // The other verdicts' comments: one move, no move, and a cut-off solve.
    const std::tuple<int32_t, PointList, std::string> others[] = {
        {1, pointsOf({pointAt(1, 1)}), "C[生き / alive: 1 correct first move]\n(;B[aa]C[Correct]))"},
        {3, PointList{}, "MA[bb]C[コウ / ko: no correct first move])\n"},
        {0, PointList{}, "MA[bb]C[読み打ち切り / cut off])\n"},
    };
    for (const auto& [verdict, moves, comment] : others) {
        answer.verdict = verdict;
        answer.moves = moves;
        EXPECT_NE(SgfProblemText(problemBoard, kBlack, targetPoint, &answer).find(comment),
                  std::string::npos)
            << comment;
    }
}

// .ban -> SGF -> .ban gives the same bytes, every example's .sgf twin is what
// the writer makes of its .ban, and SGF -> problem -> SGF gives the same text.
TEST(SgfProblem, ExamplesRoundTrip) {
    int32_t examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examplesDir())) {
        if (entry.path().extension() != ".ban") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        examples += 1;
        const std::string ban = readFile(entry.path().string());
        ASSERT_EQ(ReadProblemFile(entry.path().c_str()), 0);
        const std::string sgfPath = processTempPath("example.sgf");
        ASSERT_EQ(WriteSgfProblemFile(sgfPath.c_str(), nullptr), 0);
        std::filesystem::path twin = entry.path();
        twin.replace_extension(".sgf");
        EXPECT_EQ(readFile(sgfPath), readFile(twin.string()));

        resetProblem();
        SgfProblem problem;
        std::string message;
        ASSERT_EQ(ReadSgfProblemFile(sgfPath.c_str(), problem, message), kSgfOk) << message;
        EXPECT_EQ(SgfProblemGap(problem), "");
        TakeSgfProblem(problem);
        const std::string banPath = processTempPath("example.ban");
        ASSERT_EQ(WriteProblemFile(banPath.c_str()), 0);
        EXPECT_EQ(readFile(banPath), ban);
        EXPECT_EQ(SgfProblemText(problemBoard, sideToMove, targetPoint, nullptr), readFile(sgfPath));
    }
    EXPECT_EQ(examples, 15);
}

}  // namespace
