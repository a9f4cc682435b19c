#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "position/board.h"
#include "support/board_text.h"

namespace {

bool isEdgeIndex(int32_t p) {
    return p <= 20 || p >= 400 || p % 20 == 0;
}

TEST(BoardLayout, ClearBoardHasEdgeCellsOnlyWhereTheyBelong) {
    Board board;
    std::memset(board.cell, 0x55, sizeof board.cell);
    clearBoard(board);
    int32_t points = 0;
    for (int32_t p = 0; p < kBoardCells; ++p) {
        EXPECT_EQ(board[p], isEdgeIndex(p) ? kEdge : kEmpty) << "cell " << p;
        points += isOnBoard(p);
    }
    EXPECT_EQ(points, 361);
    EXPECT_EQ(board[pointAt(0, 1)], kEdge);
    // one shared edge column: both sideways steps off the board land on it
    EXPECT_EQ(board[pointAt(19, 7) + 1], kEdge);
    EXPECT_EQ(board[pointAt(1, 7) - 1], kEdge);
}

TEST(BoardLayout, MaskedCopiesKeepTheRightBits) {
    Board source;
    clearBoard(source);
    source[pointAt(4, 4)] = kOutsideMark | kKoMark;  // 72
    source[pointAt(5, 4)] = kBlack | kOutsideMark;
    Board out;
    copyColours(out, source);
    EXPECT_EQ(out[pointAt(4, 4)], 0);
    EXPECT_EQ(out[pointAt(5, 4)], kBlack);
    copyWithKoMarks(out, source);
    EXPECT_EQ(out[pointAt(4, 4)], 8);
    copyWithoutKoMarks(out, source);
    EXPECT_EQ(out[pointAt(4, 4)], 64);
    EXPECT_EQ(out[pointAt(5, 4)], kBlack | kOutsideMark);
    copyColours(source, source);  // in place
    EXPECT_EQ(source[pointAt(5, 4)], kBlack);
    EXPECT_EQ(source[pointAt(0, 0)], kEdge);
}

TEST(BoardLayout, SymmetriesMapPointsAndInvertExactly) {
    Board source;
    clearBoard(source);
    source[pointAt(3, 1)] = kBlack;
    source[pointAt(1, 1)] = kWhite;
    Board image;
    transformBoard(0, image, source);
    EXPECT_EQ(0, std::memcmp(image.cell, source.cell, sizeof image.cell));
    transformBoard(1, image, source);
    EXPECT_EQ(image[pointAt(1, 3)], kBlack);
    EXPECT_EQ(image[pointAt(3, 1)], kEmpty);
    transformBoard(6, image, source);
    EXPECT_EQ(image[pointAt(19, 19)], kWhite);

    std::mt19937 random(7);
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry) {
        Board b;
        clearBoard(b);
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (isOnBoard(p)) {
                b[p] = static_cast<uint8_t>(random() % 3);
            }
        }
        transformBoard(symmetry, image, b);
        int32_t edges = 0;
        for (int32_t q = 0; q < kBoardCells; ++q) {
            edges += image[q] == kEdge;
            if (isOnBoard(q)) {
                const int32_t back = inversePoint(symmetry, q);
                ASSERT_TRUE(isOnBoard(back));
                EXPECT_EQ(image[q], b[back]) << "symmetry " << symmetry << " point " << q;
            }
        }
        EXPECT_EQ(edges, kBoardCells - 361) << "symmetry " << symmetry;
    }
}

TEST(BoardLayout, StringAndAreaMarking) {
    Board board = boardFromText({
        "XX.O",
        ".X.O",
        "..XO",
    });
    markString(board, pointAt(1, 1), kBlack);
    EXPECT_EQ(board[pointAt(1, 1)], kBlack | kOutsideMark);
    EXPECT_EQ(board[pointAt(2, 2)], kBlack | kOutsideMark);
    EXPECT_EQ(board[pointAt(3, 3)], kBlack);  // diagonal: another string
    // an already marked stone stops markString but not markStringFrom
    Board again = board;
    markString(again, pointAt(1, 1), kBlack);
    EXPECT_EQ(0, std::memcmp(again.cell, board.cell, sizeof board.cell));
    board[pointAt(3, 3)] = kBlack | kOutsideMark;
    board[pointAt(3, 4)] = kBlack;
    markStringFrom(board, pointAt(3, 3), kBlack);
    EXPECT_EQ(board[pointAt(3, 4)], kBlack | kOutsideMark);

    Board area = boardFromText({"..O", "OOO"});
    rulesScratch[3].floodCount = 0;
    markEmptyArea(3, area, pointAt(1, 1));
    EXPECT_EQ(rulesScratch[3].floodCount, 2);
    EXPECT_EQ(area[pointAt(2, 1)], kOutsideMark);
    EXPECT_EQ(area[pointAt(4, 1)], kEmpty);

    PointList list{};
    list[0] = pointAt(1, 1);
    list[1] = pointAt(4, 1);
    clearOutsideAtPoints(area, list);
    EXPECT_EQ(area[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(area[pointAt(2, 1)], kOutsideMark);
}

TEST(PointListOps, AddAndRemoveKeepOrderAndCapacity) {
    PointList list{};
    addPoint(list, pointAt(1, 2));
    addPoint(list, pointAt(2, 2));
    addPoint(list, pointAt(3, 2));
    addPoint(list, pointAt(2, 2));
    EXPECT_EQ(listLength(list), 3);
    removePoint(list, pointAt(1, 2));
    EXPECT_EQ(list[0], pointAt(2, 2));
    EXPECT_EQ(list[1], pointAt(3, 2));
    EXPECT_EQ(list[2], 0);
    removePoint(list, pointAt(19, 4));  // absent: unchanged
    EXPECT_EQ(listLength(list), 2);

    PointList full{};
    for (int32_t i = 0; i < 99; ++i) {
        addPoint(full, pointAt(1 + i % 19, 1 + i / 19));
    }
    EXPECT_EQ(listLength(full), 99);
    addPoint(full, pointAt(10, 15));
    EXPECT_EQ(listLength(full), 100);
    EXPECT_EQ(full[99], pointAt(10, 15));
    addPoint(full, pointAt(11, 15));  // full: dropped
    EXPECT_FALSE(listContains(full, pointAt(11, 15)));
    removePoint(full, pointAt(10, 15));
    EXPECT_EQ(full[99], 0);
}

TEST(BoardDeathTest, OpponentOfANonColourIsFatal) {
    EXPECT_EQ(opponent(kBlack), kWhite);
    EXPECT_EQ(opponent(kWhite), kBlack);
    EXPECT_EXIT(opponent(0), testing::ExitedWithCode(1), "^macroinv error 0\n$");
    EXPECT_EXIT(opponent(3), testing::ExitedWithCode(1), "^macroinv error 3\n$");
}

}  // namespace
