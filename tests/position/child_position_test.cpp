// The child positions of the search: the board after a move and the two
// candidate lists, whose order is the order the child tries its moves in.
#include <gtest/gtest.h>

#include "position/child_position.h"
#include "support/board_text.h"

namespace {

using Rows = std::vector<std::string>;
constexpr int32_t W = 2;

PointList listOf(std::initializer_list<int32_t> points) {
    PointList list{};
    for (int32_t p : points) addPoint(list, p);
    return list;
}

// Black at (3, 2) takes the two white stones of column 2.
const Board kBeforeCapture = boardFromText({"XOX..", "XO...", ".X...", "....."});

struct Child {
    Board board;
    PointList mover;
    PointList other;
};

Child build(const Board& parent, int32_t side, int32_t move, ChildSteps steps,
            const PointList& moverList = listOf({pointAt(5, 4)}),
            const PointList& otherList = listOf({pointAt(5, 4)})) {
    Child child{parent, {}, {}};
    buildChildPosition(W, child.board, side, move, moverList, otherList, child.mover,
                       child.other, steps);
    return child;
}

TEST(ChildPosition, TheTwoListOrdersOfADefendersCapture) {
    const int32_t move = pointAt(3, 2);
    // Expansion and root: the move's empty neighbours (up, left, right, down)
    // join the other side's list before the captured points.
    Child child = build(kBeforeCapture, kBlack, move,
                        {Mover::kDefender, ListOrder::kEmptyNeighboursFirst, false, false});
    EXPECT_EQ(boardPicture(child.board, child.other, 5, 4, true),
              (Rows{"XeX..", "XbXc.", ".Xd..", "....a"}));
    EXPECT_EQ(boardPicture(child.board, child.mover, 5, 4, true),
              (Rows{"XcX..", "XbX..", ".X...", "....a"}));

    // Descent: captured points first, and the played point leaves both lists.
    const PointList withMove = listOf({pointAt(5, 4), move});
    child = build(kBeforeCapture, kBlack, move,
                  {Mover::kDefender, ListOrder::kCapturedPointsFirst, true, true}, withMove,
                  withMove);
    EXPECT_EQ(boardPicture(child.board, child.other, 5, 4, true),
              (Rows{"XcX..", "XbXd.", ".Xe..", "....a"}));
    EXPECT_EQ(boardPicture(child.board, child.mover, 5, 4, true),
              (Rows{"XcX..", "XbX..", ".X...", "....a"}));
}

TEST(ChildPosition, AnAttackersStoneNextToTheOpenAreaJoinsIt) {
    // White plays (2, 2) next to the open area '#': the string it makes takes
    // the outside mark. Lists gain no empty neighbours.
    Board parent = boardFromText({"#O...", "#.O..", "...O."});
    Child child = build(parent, kWhite, pointAt(2, 2),
                        {Mover::kAttacker, ListOrder::kEmptyNeighboursFirst, false, false});
    EXPECT_EQ(child.board[pointAt(2, 2)], kWhite | kOutsideMark);
    EXPECT_EQ(child.board[pointAt(2, 1)], kWhite | kOutsideMark);
    EXPECT_EQ(child.board[pointAt(3, 2)], kWhite | kOutsideMark);
    EXPECT_EQ(child.board[pointAt(4, 3)], kWhite);  // diagonal: another string
    EXPECT_EQ(listLength(child.other), 1);
    EXPECT_EQ(listLength(child.mover), 1);

    // Away from it nothing is marked.
    child = build(parent, kWhite, pointAt(5, 3),
                  {Mover::kAttacker, ListOrder::kEmptyNeighboursFirst, false, false});
    EXPECT_EQ(child.board[pointAt(5, 3)], kWhite);
    EXPECT_EQ(child.board[pointAt(4, 3)], kWhite);
}

TEST(ChildPosition, TheDescentTreatsAnIllegalMoveAsABrokenInvariant) {
    const Board suicide = boardFromText({".X", "X."});
    EXPECT_EXIT(build(suicide, kWhite, pointAt(1, 1),
                      {Mover::kAttacker, ListOrder::kCapturedPointsFirst, true, true}),
                testing::ExitedWithCode(1), "^tume_iki_utu error pos=21\n$");
}

}  // namespace
