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

bool sameBoard(const Board& a, const Board& b) {
    return std::memcmp(a.cell, b.cell, kBoardCells) == 0;
}

// ---------------------------------------------------------------------------
// falseEyeTest
// ---------------------------------------------------------------------------

// (5,5) is a false eye of Black (White on two diagonals); every black wall
// stone but the upper one, (5,4), is joined to another black stone.
Board falseEyeInTheOpen() {
    return boardFromText({
        "",
        "",
        "",
        "...OX.",
        "...X.XX",
        "...XXO",
    });
}

TEST(FalseEyeTest, LoneWallStoneNextToAFalseEye) {
    Board board = boardFromText({
        "",
        "",
        "",
        "...OX",
        "...X.X.",
        "...XXO",
    });
    board[pointAt(3, 5)] = kBlack;  // joins (4,5)
    board[pointAt(7, 5)] = kBlack;  // joins (6,5)
    board[pointAt(4, 7)] = kBlack;  // joins (4,6), and through it (5,6)
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(5, 5)})), 1);

    board[pointAt(6, 4)] = kBlack;  // now (5,4) is joined as well
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(5, 5)})), 0);
}

TEST(FalseEyeTest, RealEyesAndOpenPointsDoNotCount) {
    Board board = falseEyeInTheOpen();
    // (5,5) has only one white diagonal once (6,6) is empty: a real eye.
    board[pointAt(6, 6)] = kEmpty;
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(5, 5)})), 0);

    // An empty or white orthogonal neighbour: not an eye at all.
    Board open = boardFromText({"", "", "", "...O.", "...X.X", "...XXO"});
    EXPECT_EQ(falseEyeTest(open, kBlack, listOf({pointAt(5, 5)})), 0);
    Board touched = boardFromText({"", "", "", "...OO", "...X.X", "...XXO"});
    EXPECT_EQ(falseEyeTest(touched, kBlack, listOf({pointAt(5, 5)})), 0);
}

TEST(FalseEyeTest, ListIsReadUpToItsEnd) {
    Board board = boardFromText({"", "", "", "...OX", "...X.X.", "...XXO"});
    // Occupied points are passed over; the false eye is found later in the list.
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(4, 4), pointAt(1, 1), pointAt(5, 5)})),
              1);
    // Nothing after the closing 0 is looked at.
    PointList list = listOf({pointAt(1, 1)});
    list[2] = pointAt(5, 5);
    EXPECT_EQ(falseEyeTest(board, kBlack, list), 0);
    // The colour asked about matters: for White the point is no eye.
    EXPECT_EQ(falseEyeTest(board, kWhite, listOf({pointAt(5, 5)})), 0);
}

TEST(FalseEyeTest, MarksAreIgnored) {
    Board board = boardFromText({"", "", "", "...OX", "...X.X.", "...XXO"});
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (colourOf(board[p]) == kBlack || colourOf(board[p]) == kWhite) board[p] |= kOutsideMark;
    }
    board[pointAt(5, 5)] = kKoMark;
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(5, 5)})), 1);
}

TEST(FalseEyeTest, TopRowFalseEyeIsAnsweredByTheEdgeAbove) {
    // (5,1): two edge diagonals and White on (4,2). All black stones are well
    // joined, yet the edge cell above the point has no black neighbour.
    Board board = boardFromText({
        "..XX.XX",
        "..XOXXX",
        "..XXXXX",
    });
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(5, 1)})), 1);
    board[pointAt(4, 2)] = kBlack;  // no white diagonal: a real eye
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(5, 1)})), 0);
}

TEST(FalseEyeTest, LeftEdgeCellSeesTheRowAbove) {
    // False eye at (1,5): White on (2,4). The edge cell 100 beside it touches
    // (19,4) and (1,5): it counts as joined only when (19,4) is black.
    Board board;
    clearBoard(board);
    for (int32_t p : {pointAt(1, 3), pointAt(1, 4), pointAt(2, 5), pointAt(3, 5), pointAt(1, 6),
                      pointAt(1, 7)}) {
        board[p] = kBlack;
    }
    board[pointAt(2, 4)] = kWhite;
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(1, 5)})), 1);
    board[pointAt(19, 4)] = kBlack;
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(1, 5)})), 0);
}

TEST(FalseEyeTest, RightEdgeCellSeesTheRowBelow) {
    // False eye at (19,5): White on (18,4). The edge cell 120 touches (1,6).
    Board board;
    clearBoard(board);
    for (int32_t p : {pointAt(19, 3), pointAt(19, 4), pointAt(18, 5), pointAt(17, 5),
                      pointAt(19, 6), pointAt(19, 7)}) {
        board[p] = kBlack;
    }
    board[pointAt(18, 4)] = kWhite;
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(19, 5)})), 1);
    board[pointAt(1, 6)] = kBlack;
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(19, 5)})), 0);
    board[pointAt(1, 6)] = kEmpty;
    board[pointAt(1, 4)] = kBlack;  // the row above does not help on this side
    EXPECT_EQ(falseEyeTest(board, kBlack, listOf({pointAt(19, 5)})), 1);
}

TEST(FalseEyeTest, CornerAndBottomEdgeStayInsideTheArray) {
    // The edge cells beside (19,19), (1,1) and (5,19) have neighbours beyond the
    // 424 cells, which hold no stone.
    Board board;
    clearBoard(board);
    for (int32_t p : {pointAt(18, 19), pointAt(19, 18), pointAt(17, 19), pointAt(19, 17)}) {
        board[p] = kWhite;
    }
    board[pointAt(18, 18)] = kBlack;
    EXPECT_EQ(falseEyeTest(board, kWhite, listOf({pointAt(19, 19)})), 1);

    Board corner;
    clearBoard(corner);
    for (int32_t p : {pointAt(2, 1), pointAt(1, 2), pointAt(3, 1), pointAt(1, 3)}) {
        corner[p] = kWhite;
    }
    corner[pointAt(2, 2)] = kBlack;
    EXPECT_EQ(falseEyeTest(corner, kWhite, listOf({pointAt(1, 1)})), 1);

    Board bottom = boardFromText({});
    for (int32_t p : {pointAt(4, 19), pointAt(6, 19), pointAt(5, 18), pointAt(3, 19),
                      pointAt(7, 19), pointAt(5, 17)}) {
        bottom[p] = kBlack;
    }
    bottom[pointAt(4, 18)] = kWhite;
    EXPECT_EQ(falseEyeTest(bottom, kBlack, listOf({pointAt(5, 19)})), 1);
}

TEST(FalseEyeTest, BadColourIsFatal) {
    Board board;
    clearBoard(board);
    EXPECT_EXIT(falseEyeTest(board, 3, PointList{}), testing::ExitedWithCode(1),
                "^macroinv error 3\n$");
}

// ---------------------------------------------------------------------------
// isOpenEdgePoint and openEdgePreset
// ---------------------------------------------------------------------------

// White (4,19), Black (5,18), three empty points along both lines after
// (5,19), then the open area at (9,19) and (9,18).
Board openBottomEdge() {
    Board board;
    clearBoard(board);
    board[pointAt(4, 19)] = kWhite;
    board[pointAt(5, 18)] = kBlack;
    board[pointAt(9, 19)] = kOutsideMark;
    board[pointAt(9, 18)] = kOutsideMark;
    return board;
}

TEST(OpenEdgePreset, FillsTheOpenEdgePoint) {
    Board board = openBottomEdge();
    EXPECT_EQ(isOpenEdgePoint(board, kWhite, pointAt(5, 19)), 1);
    openEdgePreset(board, kWhite, listOf({pointAt(6, 19), pointAt(5, 19)}));
    Board expected = openBottomEdge();
    expected[pointAt(5, 19)] = kBlack;
    EXPECT_TRUE(sameBoard(board, expected));
}

TEST(OpenEdgePreset, NeedsTheOpenAreaAtTheFourthPoint) {
    Board plain = openBottomEdge();
    plain[pointAt(9, 18)] = kEmpty;
    EXPECT_EQ(isOpenEdgePoint(plain, kWhite, pointAt(5, 19)), 0);

    Board stone = openBottomEdge();
    stone[pointAt(9, 19)] = kBlack | kOutsideMark;  // a safe stone is not the open area
    EXPECT_EQ(isOpenEdgePoint(stone, kWhite, pointAt(5, 19)), 0);

    Board blocked = openBottomEdge();
    blocked[pointAt(7, 18)] = kWhite;
    EXPECT_EQ(isOpenEdgePoint(blocked, kWhite, pointAt(5, 19)), 0);

    // Marked empty points on the way still read as empty.
    Board marked = openBottomEdge();
    marked[pointAt(6, 19)] = kOutsideMark;
    marked[pointAt(7, 18)] = kRegionMark;
    EXPECT_EQ(isOpenEdgePoint(marked, kWhite, pointAt(5, 19)), 1);
}

TEST(OpenEdgePreset, ColoursMustBeTheRightWayRound) {
    Board board = openBottomEdge();
    EXPECT_EQ(isOpenEdgePoint(board, kBlack, pointAt(5, 19)), 0);
    board[pointAt(5, 18)] = kEmpty;
    EXPECT_EQ(isOpenEdgePoint(board, kWhite, pointAt(5, 19)), 0);
    // Not on the first line: the step out does not reach an edge cell.
    Board inner = openBottomEdge();
    EXPECT_EQ(isOpenEdgePoint(inner, kWhite, pointAt(5, 17)), 0);
}

TEST(OpenEdgePreset, EveryEdgeAndDirection) {
    // The eight symmetries carry the bottom-edge shape onto every (out, along) pair.
    const Board base = openBottomEdge();
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry) {
        Board image;
        transformBoard(symmetry, image, base);
        int32_t target = 0;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (isOnBoard(p) && inversePoint(symmetry, p) == pointAt(5, 19)) target = p;
        }
        ASSERT_NE(target, 0);
        openEdgePreset(image, kWhite, listOf({target}));
        EXPECT_EQ(image[target], kBlack) << "symmetry " << symmetry;
    }
}

TEST(OpenEdgePreset, EmptyListOrNoMatchChangesNothing) {
    Board board = openBottomEdge();
    openEdgePreset(board, kWhite, PointList{});
    EXPECT_TRUE(sameBoard(board, openBottomEdge()));
    openEdgePreset(board, kWhite, listOf({pointAt(1, 1), pointAt(19, 19), pointAt(10, 10)}));
    EXPECT_TRUE(sameBoard(board, openBottomEdge()));
}

TEST(OpenEdgePreset, BadColourIsFatalOnlyWithAPoint) {
    Board board = openBottomEdge();
    openEdgePreset(board, 0, PointList{});  // nothing to test, nothing computed
    EXPECT_EXIT(openEdgePreset(board, 0, listOf({pointAt(5, 19)})), testing::ExitedWithCode(1),
                "^macroinv error 0\n$");
}

}  // namespace
