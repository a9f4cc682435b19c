#include <gtest/gtest.h>

#include <cstring>

#include "position/shape_tests.h"
#include "support/board_text.h"

namespace {

PointList listOf(std::initializer_list<int32_t> points) {
    PointList list{};
    for (int32_t p : points) addPoint(list, p);
    return list;
}

Board stones(std::initializer_list<int32_t> black, std::initializer_list<int32_t> white) {
    Board board;
    clearBoard(board);
    for (int32_t p : black) board[p] = kBlack;
    for (int32_t p : white) board[p] = kWhite;
    return board;
}

TEST(FalseEyeTest, FalseEyeNextToALoneStone) {
    // (5,5): White on two diagonals; only the upper wall stone (5,4) stands alone.
    Board board = boardFromText({"", "", "", "...OX", "..XX.XX", "...XXO"});
    const PointList eye = listOf({pointAt(4, 4), pointAt(5, 5)});  // occupied points are passed
    EXPECT_EQ(falseEyeTest(board, kBlack, eye), 1);
    EXPECT_EQ(falseEyeTest(board, kWhite, eye), 0);
    board[pointAt(6, 4)] = kBlack;  // joins (5,4)
    EXPECT_EQ(falseEyeTest(board, kBlack, eye), 0);

    Board real = boardFromText({"", "", "", "...OX", "..XX.XX", "...XX."});  // one white diagonal
    EXPECT_EQ(falseEyeTest(real, kBlack, eye), 0);
    Board open = boardFromText({"", "", "", "...O.", "..XX.XX", "...XXO"});  // not enclosed
    EXPECT_EQ(falseEyeTest(open, kBlack, eye), 0);
}

TEST(FalseEyeTest, EdgeCellsCountAsLoneWalls) {
    // Top row: every stone is joined, but the edge cell above (5,1) is not.
    Board top = boardFromText({"..XX.XX", "..XOXXX", "..XXXXX"});
    EXPECT_EQ(falseEyeTest(top, kBlack, listOf({pointAt(5, 1)})), 1);

    // Left edge (1,5): the edge cell (0,5) left of it is also right of (19,4).
    Board left = stones({pointAt(1, 3), pointAt(1, 4), pointAt(2, 5), pointAt(3, 5),
                         pointAt(1, 6), pointAt(1, 7)},
                        {pointAt(2, 4)});
    EXPECT_EQ(falseEyeTest(left, kBlack, listOf({pointAt(1, 5)})), 1);
    left[pointAt(19, 4)] = kBlack;
    EXPECT_EQ(falseEyeTest(left, kBlack, listOf({pointAt(1, 5)})), 0);

    // Right edge (19,5): the edge cell right of it is (0,6), which touches
    // (1,6), not (1,4).
    Board right = stones({pointAt(19, 3), pointAt(19, 4), pointAt(18, 5), pointAt(17, 5),
                          pointAt(19, 6), pointAt(19, 7), pointAt(1, 4)},
                         {pointAt(18, 4)});
    EXPECT_EQ(falseEyeTest(right, kBlack, listOf({pointAt(19, 5)})), 1);
    right[pointAt(1, 6)] = kBlack;
    EXPECT_EQ(falseEyeTest(right, kBlack, listOf({pointAt(19, 5)})), 0);

    // Bottom row: the edge cell below (5,19) has a neighbour past the array.
    Board bottom = stones({pointAt(4, 19), pointAt(6, 19), pointAt(5, 18), pointAt(3, 19),
                           pointAt(7, 19), pointAt(5, 17)},
                          {pointAt(4, 18)});
    EXPECT_EQ(falseEyeTest(bottom, kBlack, listOf({pointAt(5, 19)})), 1);
}

// White (4,19), Black (5,18), three empty points along both lines, then the
// open area at (9,19) and (9,18).
Board openBottomEdge() {
    Board board = stones({pointAt(5, 18)}, {pointAt(4, 19)});
    board[pointAt(9, 19)] = board[pointAt(9, 18)] = kOutsideMark;
    return board;
}

TEST(OpenEdgePreset, FillsOnlyTheOpenEdgePoint) {
    Board board = openBottomEdge();
    openEdgePreset(board, kWhite, listOf({pointAt(6, 19), pointAt(5, 19), pointAt(5, 17)}));
    Board expected = openBottomEdge();
    expected[pointAt(5, 19)] = kBlack;
    EXPECT_EQ(std::memcmp(board.cell, expected.cell, kBoardCells), 0);

    EXPECT_EQ(isOpenEdgePoint(openBottomEdge(), kBlack, pointAt(5, 19)), 0);
    Board marked = openBottomEdge();  // marked empty points on the way read as empty
    marked[pointAt(6, 19)] = kOutsideMark;
    marked[pointAt(7, 18)] = kRegionMark;
    EXPECT_EQ(isOpenEdgePoint(marked, kWhite, pointAt(5, 19)), 1);
    for (uint8_t fourth : {kEmpty, static_cast<uint8_t>(kBlack | kOutsideMark)}) {
        Board closed = openBottomEdge();
        closed[pointAt(9, 18)] = fourth;  // not exactly the open area
        EXPECT_EQ(isOpenEdgePoint(closed, kWhite, pointAt(5, 19)), 0);
    }
}

TEST(OpenEdgePreset, EveryEdgeAndDirection) {
    // The eight symmetries carry the shape onto every (out, along) pair.
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry) {
        Board image;
        transformBoard(symmetry, image, openBottomEdge());
        int32_t target = 0;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (isOnBoard(p) && inversePoint(symmetry, p) == pointAt(5, 19)) target = p;
        }
        openEdgePreset(image, kWhite, listOf({target}));
        EXPECT_EQ(image[target], kBlack) << "symmetry " << symmetry;
    }
}

}  // namespace
