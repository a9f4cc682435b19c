#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "position/board.h"

namespace {

TEST(BoardLayout, ClearBoardHasEdgeCellsOnlyWhereTheyBelong) {
    Board board;
    std::memset(board.cell, 0x55, sizeof board.cell);
    clearBoard(board);
    int32_t points = 0;
    int32_t edges = 0;
    for (int32_t p = 0; p < kBoardCells; ++p) {
        points += isOnBoard(p) && board[p] == kEmpty;
        edges += board[p] == kEdge;
    }
    EXPECT_EQ(points, 361);
    EXPECT_EQ(edges, kBoardCells - 361);
    // one shared edge column: both sideways steps off the board land on it
    EXPECT_EQ(board[pointAt(19, 7) + 1], kEdge);
    EXPECT_EQ(board[pointAt(1, 7) - 1], kEdge);
}

TEST(BoardLayout, SymmetriesMapPointsAndInvertExactly) {
    Board source;
    clearBoard(source);
    source[pointAt(3, 1)] = kBlack;
    source[pointAt(1, 1)] = kWhite;
    Board image;
    transformBoard(1, image, source);
    EXPECT_EQ(image[pointAt(1, 3)], kBlack);
    EXPECT_EQ(image[pointAt(3, 1)], kEmpty);
    transformBoard(6, image, source);
    EXPECT_EQ(image[pointAt(19, 19)], kWhite);

    std::mt19937 random(7);
    Board b;
    clearBoard(b);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (isOnBoard(p)) b[p] = static_cast<uint8_t>(random() % 3);
    }
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry) {
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
    for (int32_t i = 0; i < 100; ++i) {
        addPoint(full, pointAt(1 + i % 19, 1 + i / 19));
    }
    EXPECT_EQ(listLength(full), 100);
    addPoint(full, pointAt(11, 15));  // full: dropped
    EXPECT_FALSE(listContains(full, pointAt(11, 15)));
    removePoint(full, pointAt(5, 6));  // the last slot
    EXPECT_EQ(full[99], 0);
}

TEST(BoardDeathTest, OpponentOfANonColourIsFatal) {
    EXPECT_EQ(opponent(kBlack), kWhite);
    EXPECT_EQ(opponent(kWhite), kBlack);
    EXPECT_EXIT(opponent(0), testing::ExitedWithCode(1), "^macroinv error 0\n$");
    EXPECT_EXIT(opponent(3), testing::ExitedWithCode(1), "^macroinv error 3\n$");
}

}  // namespace
