#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "position/board.h"
#include "support/board_text.h"

namespace {

constexpr int32_t W = 0;  // worker index used throughout

// The first `n` points the last move's capture record names.
std::vector<int32_t> captured(int32_t n) {
    return {rulesScratch[W].captureRecord, rulesScratch[W].captureRecord + n};
}

TEST(Moves, SingleStoneCaptureInKoShapeLeavesKoMark) {
    // Black at (3,2) takes the white stone at (2,2); the black stone stands alone
    // with that point as its only liberty: a ko.
    Board board = boardFromText({".XO..", "XO.O.", ".XO.."});
    playMove(W, board, kBlack, pointAt(3, 2));
    EXPECT_EQ(captured(rulesScratch[W].capturedByMove), std::vector{pointAt(2, 2)});
    EXPECT_EQ(rulesScratch[W].koFlag, 1);
    EXPECT_EQ(board[pointAt(2, 2)], kKoMark);
    // The next move on the board drops the ko mark again.
    playMove(W, board, kWhite, pointAt(10, 10));
    EXPECT_EQ(board[pointAt(2, 2)], kEmpty);
    EXPECT_EQ(rulesScratch[W].koFlag, 0);
}

TEST(Moves, CapturesThatAreNotKo) {
    // The same single-stone capture, but the capturing stone touches a black stone.
    Board joined = boardFromText({".XO.", "XO.X", ".XO."});
    playMove(W, joined, kBlack, pointAt(3, 2));
    EXPECT_EQ(rulesScratch[W].capturedByMove, 1);
    EXPECT_EQ(rulesScratch[W].koFlag, 0);
    EXPECT_EQ(joined[pointAt(2, 2)], kEmpty);

    // One stone from each of four strings, recorded in the order up, left, right, down.
    Board four = boardFromText({
        "..X..",
        ".XOX.",
        "XO.OX",
        ".XOX.",
        "..X..",
    });
    playMove(W, four, kBlack, pointAt(3, 3));
    ASSERT_EQ(rulesScratch[W].capturedByMove, 4);
    EXPECT_EQ(rulesScratch[W].koFlag, 0);
    EXPECT_EQ(captured(4),
              (std::vector{pointAt(3, 2), pointAt(2, 3), pointAt(4, 3), pointAt(3, 4)}));
}

TEST(Moves, CaptureRecordOfAStringIsDepthFirst) {
    // White string (1,1) (2,1) (1,2) has one liberty (2,2).
    Board board = boardFromText({"OOX", "O.X", "XX."});
    playMove(W, board, kBlack, pointAt(2, 2));
    ASSERT_EQ(rulesScratch[W].capturedByMove, 3);
    // From (2,2): up neighbour (2,1) first, then its left (1,1), then (1,2).
    EXPECT_EQ(captured(3), (std::vector{pointAt(2, 1), pointAt(1, 1), pointAt(1, 2)}));
    for (int32_t p = 0; p < kBoardCells; ++p) EXPECT_NE(board[p], kRegionMark) << p;
}

TEST(Moves, LegalityTest) {
    Board corner = boardFromText({".X.", "X.."});
    EXPECT_EQ(tumetst1(corner, kWhite, pointAt(1, 1)), 0);  // suicide
    EXPECT_EQ(tumetst1(corner, kBlack, pointAt(1, 1)), 1);  // joins a string with liberties
    EXPECT_EQ(tumetst1(corner, kBlack, pointAt(2, 1)), 0);  // occupied
    EXPECT_EQ(tumetst1(corner, kBlack, pointAt(0, 1)), 0);  // edge cells
    EXPECT_EQ(tumetst1(corner, kBlack, pointAt(1, 21)), 0);  // 421: the last index taken

    // (2,3) is the last liberty of the white string (2,1)-(2,2): white may not fill it...
    EXPECT_EQ(tumetst1(boardFromText({"XOX", "XOX", "X.X", ".X."}), kWhite, pointAt(2, 3)), 0);
    // ...unless it also takes the last liberty of the black string (1,1)-(1,3).
    EXPECT_EQ(tumetst1(boardFromText({"XOX", "XOX", "X.X", "OXO"}), kWhite, pointAt(2, 3)), 1);
    // An empty neighbour with the ko mark still counts as a liberty here.
    EXPECT_EQ(tumetst1(boardFromText({".ZX", "XX."}), kWhite, pointAt(1, 1)), 1);
}

// A point walled in by stones, (2,2) in each diagram: the strings around it
// decide, however many sides of it one string holds and however far its
// liberties lie.
TEST(Moves, LegalityInsideWalls) {
    struct Case {
        const char* why;
        std::vector<std::string> rows;
        int32_t side;
        int32_t legal;
    };
    const std::vector<Case> cases = {
        {"one black string, a liberty far off", {"XXXX.", "X.XX.", "XXXX."}, kWhite, 0},
        {"the same for black", {"XXXX.", "X.XX.", "XXXX."}, kBlack, 1},
        {"(2,2) is its last liberty", {"XXXXO", "X.XXO", "XXXXO", "OOOO."}, kWhite, 1},
        // The left string has a liberty at (1,4); the second walk finds the capture.
        {"two strings, the right one in atari", {"XOXXO", "X.XXO", "XOOOO", ".O..."}, kWhite, 1},
        {"a ring whose other liberty is (6,4)",
         {"XXXXXO", "X.OOXO", "XO.OXO", "XOOOX.", "XXXXXO", "OOOOOO"}, kBlack, 1},
        {"the ring with (6,4) filled",
         {"XXXXXO", "X.OOXO", "XO.OXO", "XOOOXO", "XXXXXO", "OOOOOO"}, kBlack, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tumetst1(boardFromText(c.rows), c.side, pointAt(2, 2)), c.legal) << c.why;
    }
}

// On dense random boards (ko marks and outside marks on some points)
// tumetst1 agrees with playing the stone on a plain copy: legal when it
// takes a neighbouring string or its own string keeps a liberty; and a
// list's count of legal points, which reuses the strings one point's test
// found for the next, is the number of those.
TEST(Moves, LegalityAgreesWithPlayingOnACopy) {
    std::mt19937 random(77);
    for (int32_t round = 0; round < 300; ++round) {
        Board board;
        clearBoard(board);
        const uint32_t emptyShare = 1 + random() % 4;  // in tenths
        for (int32_t y = 1; y <= 19; ++y) {
            for (int32_t x = 1; x <= 19; ++x) {
                const uint32_t r = random() % 10;
                uint8_t cell = r < emptyShare ? kEmpty : (r % 2 == 0 ? kBlack : kWhite);
                if (random() % 8 == 0) {
                    cell |= cell == kEmpty && random() % 2 == 0 ? kKoMark : kOutsideMark;
                }
                board[pointAt(x, y)] = cell;
            }
        }
        // Up to 99 points, walled-in ones mostly, in a random order.
        std::vector<int32_t> points;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (isOnBoard(p) && (colourOf(board[p]) != kEmpty || random() % 4 == 0 ||
                                 tumetst1(board, kBlack, p) + tumetst1(board, kWhite, p) < 2)) {
                points.push_back(p);
            }
        }
        std::shuffle(points.begin(), points.end(), random);
        points.resize(std::min<size_t>(points.size(), kListSlots - 1));
        PointList list{};
        for (const int32_t p : points) addPoint(list, p);
        std::array<int32_t, 3> legalInList{};
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (!isOnBoard(p) || colourOf(board[p]) != kEmpty) {
                continue;
            }
            const bool listed = std::find(points.begin(), points.end(), p) != points.end();
            for (const int32_t s : {kBlack, kWhite}) {
                Board played;
                copyColours(played, board);
                played[p] = static_cast<uint8_t>(s);
                bool legal = tumedame(played, p) == 1;
                for (const int32_t offset : orthogonalOffsets) {
                    const int32_t n = p + offset;
                    if (played[n] == opponent(s) && tumedame(played, n) == 0) {
                        legal = true;
                    }
                }
                ASSERT_EQ(tumetst1(board, s, p), legal ? 1 : 0)
                    << "round " << round << " point " << p << " side " << s;
                legalInList[s] += listed && legal ? 1 : 0;
            }
        }
        for (const int32_t s : {kBlack, kWhite}) {
            ASSERT_EQ(countLegalMoves(board, s, list), legalInList[s]) << "round " << round;
        }
    }
}

TEST(MovesDeathTest, BrokenInvariantsAreFatal) {
    Board board = boardFromText({".X.", "XOX", ".X."});
    // The messages give the raw cell index: (2, 21) is 422.
    EXPECT_EXIT(tumetst1(board, kBlack, pointAt(2, 21)), testing::ExitedWithCode(1),
                "^tumetst1 error pos=422\n$");
    EXPECT_EXIT(tumetst1(board, kBlack, -1), testing::ExitedWithCode(1),
                "^tumetst1 error pos=-1\n$");
    EXPECT_EXIT(tumedame(board, pointAt(1, 1)), testing::ExitedWithCode(1),
                "^tumedame error ishi=0\n$");
    Board free = boardFromText({"XO."});
    // The white string still has its liberty at (3,1).
    EXPECT_EXIT(tumetoru(W, free, pointAt(2, 1)), testing::ExitedWithCode(1),
                "^tumetorus error pos=23\n$");
}

// Random legal games keep the board's invariants after every move: outside
// marks stay exactly where they were (also under captured stones), at most one
// ko mark, the capture count matches the stones taken, no string without liberty.
TEST(Moves, RandomLegalSequencesKeepInvariants) {
    std::mt19937 random(2024);
    for (int32_t game = 0; game < 40; ++game) {
        Board board;
        clearBoard(board);
        // a random sprinkling of outside marks on empty points
        for (int32_t i = 0; i < 10; ++i)
            board[pointAt(1 + random() % 19, 1 + random() % 19)] = kOutsideMark;
        int32_t side = kBlack;
        for (int32_t move = 0; move < 250; ++move) {
            int32_t p = 0;
            for (int32_t tries = 0; tries < 50; ++tries) {
                const int32_t q = pointAt(1 + random() % 19, 1 + random() % 19);
                if (tumetst1(board, side, q)) {
                    p = q;
                    break;
                }
            }
            if (p == 0) {
                side = opponent(side);
                continue;
            }
            const Board before = board;
            int32_t stonesBefore = 0;
            for (int32_t q = kFirstPoint; q <= kLastPoint; ++q)
                stonesBefore += colourOf(before[q]) == opponent(side);
            playMove(W, board, side, p);
            int32_t stonesAfter = 0;
            int32_t koMarks = 0;
            for (int32_t q = 0; q < kBoardCells; ++q) {
                const uint8_t cell = board[q];
                if (!isOnBoard(q)) {
                    ASSERT_EQ(cell, kEdge) << "edge cell " << q;
                    continue;
                }
                ASSERT_EQ(cell & (kRegionMark | 4 | 32 | 128), 0) << "stray bits at " << q;
                ASSERT_NE(colourOf(cell), kEdge);
                ASSERT_EQ((cell & kOutsideMark) != 0, (before[q] & kOutsideMark) != 0);
                stonesAfter += colourOf(cell) == opponent(side);
                if (cell & kKoMark) {
                    ++koMarks;
                    ASSERT_EQ(colourOf(cell), kEmpty);
                    ASSERT_EQ(rulesScratch[W].koFlag, 1);
                    ASSERT_EQ(rulesScratch[W].capturedByMove, 1);
                    ASSERT_EQ(rulesScratch[W].captureRecord[0], q);
                }
            }
            ASSERT_EQ(stonesBefore - stonesAfter, rulesScratch[W].capturedByMove);
            ASSERT_LE(koMarks, 1);
            ASSERT_EQ(koMarks, rulesScratch[W].koFlag);
            ASSERT_EQ(colourOf(board[p]), side);
            ASSERT_EQ(stoneWithoutLiberty(board), 0);
            side = opponent(side);
        }
    }
}

TEST(Moves, StringsWithoutLibertiesAreFound) {
    EXPECT_EQ(stoneWithoutLiberty(boardFromText({"XO", "O."})), pointAt(1, 1));
    // Every white stone is taken in; the first in point order is named.
    EXPECT_EQ(stoneWithoutLiberty(boardFromText({".XXX", "XOOOX", ".XOX", "..X"})), pointAt(2, 2));
    // A Z point is an empty point: the stones beside it breathe.
    EXPECT_EQ(stoneWithoutLiberty(boardFromText({"XZ", "OX"})), 0);
    Board full;
    clearBoard(full);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p)
        if (isOnBoard(p)) full[p] = kBlack;
    EXPECT_EQ(stoneWithoutLiberty(full), kFirstPoint);
    clearBoard(full);
    EXPECT_EQ(stoneWithoutLiberty(full), 0);
}

}  // namespace
