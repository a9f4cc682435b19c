#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "position/corner_rewrites.h"
#include "position/judgment.h"
#include "problem/problem.h"
#include "support/board_text.h"

namespace {

// Attacker walls count as safe only with the outside mark.
void markSafe(Board& board, uint8_t colour) {
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (board[p] == colour) board[p] |= kOutsideMark;
    }
}

PointList listOf(std::initializer_list<int32_t> points) {
    PointList list{};
    for (int32_t p : points) addPoint(list, p);
    return list;
}

bool sameBoard(const Board& a, const Board& b) {
    return std::memcmp(a.cell, b.cell, kBoardCells) == 0;
}

// A black ring with two one-point eyes, (4,4) and (6,4), inside a safe white wall.
Board twoEyeGroup() {
    Board board = boardFromText({
        "",
        ".OOOOOOO",
        ".OXXXXXO",
        ".OX.X.XO",
        ".OXXXXXO",
        ".OOOOOOO",
    });
    markSafe(board, kWhite);
    return board;
}

// Black on the top edge: an eye at (5,1) whose two on-board diagonals are empty
// points where White may play, and a solid eye at (8,3).
Board edgeEyeGroup() {
    Board board = boardFromText({
        ".OXX.XXXXO",
        ".OX.X.XXXO",
        ".OX.X.X.XO",
        ".OXXXXXXXO",
        ".OOOOOOOOO",
    });
    markSafe(board, kWhite);
    return board;
}

// Corner rule 1: White at (1,1) (2,1) (1,2) inside Black's corner, (3,1) and
// (1,3) empty, the seven black stones around, all inside a safe white wall.
Board cornerRuleOneGroup() {
    Board board = boardFromText({
        "OO.XO",
        "OXXXO",
        ".XOOO",
        "XXO..",
        "OOO..",
    });
    for (int32_t p : {pointAt(5, 1), pointAt(5, 2), pointAt(5, 3), pointAt(4, 3), pointAt(3, 3),
                      pointAt(3, 4), pointAt(3, 5), pointAt(2, 5), pointAt(1, 5)}) {
        board[p] |= kOutsideMark;
    }
    return board;
}

class JudgmentTest : public testing::Test {
protected:
    void SetUp() override { savedTarget = targetPoint; }
    void TearDown() override { targetPoint = savedTarget; }
    int32_t savedTarget = 0;
};

// ---------------------------------------------------------------------------
// judgePosition: hand-checked positions
// ---------------------------------------------------------------------------

TEST_F(JudgmentTest, CapturedTargetIsDeadAndStillCounted) {
    Board board = twoEyeGroup();
    targetPoint = pointAt(4, 4);  // the empty eye point: the stone is gone
    const uint32_t before = judgeCount.load();
    EXPECT_EQ(judgePosition(board, listOf({pointAt(4, 4)})), kJudgedDead);
    EXPECT_EQ(judgeCount.load(), before + 1);

    targetPoint = 0;  // no target at all reads the edge cell
    EXPECT_EQ(judgePosition(board, PointList{}), kJudgedDead);
    targetPoint = 5000;  // never read outside the array
    EXPECT_EQ(judgePosition(board, PointList{}), kJudgedDead);
}

TEST_F(JudgmentTest, TwoSolidEyesTouchingTheTargetLive) {
    Board board = twoEyeGroup();
    targetPoint = pointAt(3, 3);
    EXPECT_EQ(judgePosition(board, listOf({pointAt(4, 4), pointAt(6, 4)})), kJudgedAlive);
    // The eyes must touch the target's own string: the same eyes seen from a
    // separate black stone of the wall-less corner only score.
    board[pointAt(1, 1)] = kBlack;
    targetPoint = pointAt(1, 1);
    EXPECT_NE(judgePosition(board, listOf({pointAt(4, 4), pointAt(6, 4)})), kJudgedAlive);
}

TEST_F(JudgmentTest, EyesMissingFromTheListAreNotCounted) {
    Board board = twoEyeGroup();
    targetPoint = pointAt(3, 3);
    // Only one eye listed: score = 3*2 (two eye points) + 30, not alive.
    EXPECT_EQ(judgePosition(board, listOf({pointAt(4, 4)})), 36);
    EXPECT_EQ(judgePosition(board, PointList{}), 6);
}

TEST_F(JudgmentTest, SingleEnclosedEyeIsDead) {
    Board board = boardFromText({
        "",
        ".OOOOO",
        ".OXXXO",
        ".OX.XO",
        ".OXXXO",
        ".OOOOO",
    });
    markSafe(board, kWhite);
    targetPoint = pointAt(3, 3);
    EXPECT_EQ(countEyeSpace(board, kBlack), kJudgedDead);
    EXPECT_EQ(judgePosition(board, listOf({pointAt(4, 4)})), kJudgedDead);
}

TEST_F(JudgmentTest, FirstLineEyeWithPlayableDiagonalsOnlyScores) {
    Board board = edgeEyeGroup();
    targetPoint = pointAt(3, 2);
    EXPECT_EQ(countEyeSpace(board, kBlack), 18);  // six eye points
    // (5,1): q = 2 (edge) + 1 + 1 = 4, adds 10 and does not touch; (8,3) adds 30.
    EXPECT_EQ(judgePosition(board, listOf({pointAt(5, 1), pointAt(8, 3)})), 18 + 10 + 30);

    // With the diagonals unplayable for White the edge eye is solid: alive.
    board[pointAt(4, 3)] = kBlack;
    board[pointAt(6, 3)] = kBlack;
    EXPECT_EQ(judgePosition(board, listOf({pointAt(5, 1), pointAt(8, 3)})), kJudgedAlive);
}

TEST_F(JudgmentTest, EyeWithAttackerDiagonalAndPlayablePointScoresTwenty) {
    // (7,4): one safe white diagonal (6,5) and one empty diagonal (8,3) where
    // White may play: q = 2 + 1 = 3, adds 20. (4,4) is solid and touches.
    Board board = boardFromText({
        "",
        ".OOOOOOOO",
        ".OXXXXX.O",
        ".OX.XX.XO",
        ".OXXXOXXO",
        ".OOOOOOOO",
    });
    markSafe(board, kWhite);
    targetPoint = pointAt(3, 3);
    const PointList list = listOf({pointAt(4, 4), pointAt(7, 4), pointAt(8, 3)});
    EXPECT_EQ(countEyeSpace(board, kBlack), 6);
    EXPECT_EQ(judgePosition(board, list), 6 + 30 + 20);

    // Once (8,3) is Black's the white diagonal alone leaves q = 2: two solid eyes.
    board[pointAt(8, 3)] = kBlack;
    EXPECT_EQ(judgePosition(board, list), kJudgedAlive);
}

TEST_F(JudgmentTest, CornerRewriteLeavesOneEye) {
    Board board = cornerRuleOneGroup();
    targetPoint = pointAt(2, 2);
    // Without the rewrite the dead white stones would leave two eye points,
    // (1,2) and (2,1).
    EXPECT_EQ(countEyeSpace(board, kBlack), 6);
    EXPECT_EQ(judgePosition(board, listOf({pointAt(3, 1), pointAt(1, 3)})), kJudgedDead);

    Board rewritten = board;
    rewriteCornerShapes(rewritten, kBlack);
    EXPECT_EQ(rewritten[pointAt(1, 1)], kEmpty);
    for (int32_t p : {pointAt(2, 1), pointAt(3, 1), pointAt(1, 2), pointAt(1, 3)}) {
        EXPECT_EQ(rewritten[p], kBlack);
    }
    EXPECT_EQ(countEyeSpace(rewritten, kBlack), kJudgedDead);
}

TEST_F(JudgmentTest, CornerRewriteNeedsTheWholeShape) {
    // One defender stone of list C missing, or list B not plain empty: no rewrite.
    Board missing = cornerRuleOneGroup();
    missing[pointAt(1, 4)] = kEmpty;
    Board copy = missing;
    rewriteCornerShapes(copy, kBlack);
    EXPECT_TRUE(sameBoard(copy, missing));

    Board filled = cornerRuleOneGroup();
    filled[pointAt(3, 1)] = kBlack;
    copy = filled;
    rewriteCornerShapes(copy, kBlack);
    EXPECT_TRUE(sameBoard(copy, filled));

    // The defender colour decides: as White's shape nothing matches.
    copy = cornerRuleOneGroup();
    rewriteCornerShapes(copy, kWhite);
    EXPECT_TRUE(sameBoard(copy, cornerRuleOneGroup()));
}

TEST_F(JudgmentTest, CornerRulesApplyInEveryCorner) {
    // Each of the five corner (1,1) shapes, mirrored onto the other corners,
    // rewrites to the mirror image of its rewrite.
    for (int32_t rule = 0; rule < 5; ++rule) {
        const CornerRewrite& r = cornerRewrites[rule];
        Board base;
        clearBoard(base);
        for (int32_t p : r.attacker) base[p] = kWhite;
        for (int32_t p : r.defender) base[p] = kBlack;
        Board expected = base;
        rewriteCornerShapes(expected, kBlack);
        ASSERT_EQ(expected[pointAt(1, 1)], kEmpty) << "rule " << rule + 1;

        for (int32_t symmetry : {2, 4, 6}) {
            Board mirrored;
            transformBoard(symmetry, mirrored, base);
            rewriteCornerShapes(mirrored, kBlack);
            Board mirroredExpected;
            transformBoard(symmetry, mirroredExpected, expected);
            EXPECT_TRUE(sameBoard(mirrored, mirroredExpected))
                << "rule " << rule + 1 << " symmetry " << symmetry;
        }
    }
}

TEST_F(JudgmentTest, CornerRulesReadColoursAndWritePlainCells) {
    // Marks do not stop a match: safe defender stones and a marked empty point.
    Board board = cornerRuleOneGroup();
    board[pointAt(4, 1)] |= kOutsideMark;
    board[pointAt(1, 3)] = kOutsideMark;
    board[pointAt(2, 1)] |= kOutsideMark;
    rewriteCornerShapes(board, kBlack);
    EXPECT_EQ(board[pointAt(1, 1)], kEmpty);
    EXPECT_EQ(board[pointAt(2, 1)], kBlack);
    EXPECT_EQ(board[pointAt(1, 3)], kBlack);
    EXPECT_EQ(board[pointAt(4, 1)], kBlack | kOutsideMark);  // not a rewritten point
}

// ---------------------------------------------------------------------------
// The steps of the eye count
// ---------------------------------------------------------------------------

TEST(EyeCountSteps, DeadAttackerStonesGiveTheirNeighboursToTheDefender) {
    Board board = boardFromText({
        "",
        ".OOOOOOO",
        ".OXXXXXO",
        ".OX.O.XO",
        ".OX...XO",
        ".OXXXXXO",
        ".OOOOOOO",
    });
    markSafe(board, kWhite);
    board[pointAt(5, 5)] = kOutsideMark;  // a marked empty point keeps its mark
    board[pointAt(5, 4)] = kWhite;        // the lone white stone inside, unmarked
    tumejudgesini2(board, kWhite);
    EXPECT_EQ(board[pointAt(5, 4)], kOutsideMark);
    EXPECT_EQ(board[pointAt(4, 4)], kBlack);
    EXPECT_EQ(board[pointAt(6, 4)], kBlack);
    EXPECT_EQ(board[pointAt(5, 5)], kOutsideMark);
    EXPECT_EQ(board[pointAt(4, 5)], kEmpty);  // not next to the removed stone
    EXPECT_EQ(board[pointAt(2, 2)], kWhite | kOutsideMark);
}

TEST(EyeCountSteps, DeadStringIsRemovedWhole) {
    Board board = boardFromText({
        "",
        ".XXXXX",
        ".X.OOX",
        ".X..OX",
        ".XXXXX",
    });
    tumejudgesini2(board, kWhite);
    for (int32_t p : {pointAt(4, 3), pointAt(5, 3), pointAt(5, 4)}) {
        EXPECT_EQ(board[p], kOutsideMark);
    }
    for (int32_t p : {pointAt(3, 3), pointAt(4, 4), pointAt(3, 4)}) {
        EXPECT_EQ(board[p], p == pointAt(3, 4) ? kEmpty : kBlack);
    }
}

TEST(EyeCountSteps, EdgeStonesLinkToSafeDiagonals) {
    // (2,1) links to the safe (3,2) in the top-row pass; (1,2) then links to
    // (2,1) in the left-column pass.
    Board board = boardFromText({
        ".O..",
        "O.O.",
    });
    board[pointAt(3, 2)] |= kOutsideMark;
    linkEdgeDiagonals(board, kWhite);
    EXPECT_EQ(board[pointAt(2, 1)], kWhite | kOutsideMark);
    EXPECT_EQ(board[pointAt(1, 2)], kWhite | kOutsideMark);

    // A stone on a point between them breaks the link.
    Board blocked = boardFromText({
        ".O..",
        "OXO.",
    });
    blocked[pointAt(3, 2)] |= kOutsideMark;
    linkEdgeDiagonals(blocked, kWhite);
    EXPECT_EQ(blocked[pointAt(2, 1)], kWhite);
    EXPECT_EQ(blocked[pointAt(1, 2)], kWhite);
}

TEST(EyeCountSteps, EdgeLinksOnTheOtherSides) {
    Board board;
    clearBoard(board);
    // bottom row: (10,19) with safe (11,18); right column: (19,10) with safe (18,11).
    board[pointAt(10, 19)] = kBlack;
    board[pointAt(11, 18)] = kBlack | kOutsideMark;
    board[pointAt(19, 10)] = kBlack;
    board[pointAt(18, 11)] = kBlack | kOutsideMark;
    // A first-line stone whose diagonal stone is not safe stays unmarked.
    board[pointAt(1, 10)] = kBlack;
    board[pointAt(2, 11)] = kBlack;
    linkEdgeDiagonals(board, kBlack);
    EXPECT_EQ(board[pointAt(10, 19)], kBlack | kOutsideMark);
    EXPECT_EQ(board[pointAt(19, 10)], kBlack | kOutsideMark);
    EXPECT_EQ(board[pointAt(1, 10)], kBlack);
}

TEST(EyeCountSteps, MarkedPointsMoveTowardTheFrontByExchange) {
    Board board = boardFromText({
        "##X",
        "#X.",
        "X..",
    });
    PointList list;
    collectMarkedPoints(board, list);
    // (1,1) has two empty neighbours; (2,1) and (1,2) have one each.
    EXPECT_EQ(list[0], pointAt(1, 2));
    EXPECT_EQ(list[1], pointAt(2, 1));
    EXPECT_EQ(list[2], pointAt(1, 1));
    EXPECT_EQ(list[3], 0);
}

TEST(EyeCountSteps, AllFewNeighbourPointsEndReversed) {
    Board board = edgeEyeGroup();
    for (int32_t p : {pointAt(5, 1), pointAt(4, 2), pointAt(6, 2), pointAt(4, 3), pointAt(6, 3),
                      pointAt(8, 3)}) {
        board[p] = kOutsideMark;
    }
    PointList list;
    collectMarkedPoints(board, list);
    const int32_t expected[] = {pointAt(8, 3), pointAt(6, 3), pointAt(4, 3),
                                pointAt(6, 2), pointAt(4, 2), pointAt(5, 1), 0};
    for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(list[i], expected[i]) << "slot " << i;
}

TEST(EyeCountSteps, AtMostOneHundredMarkedPoints) {
    Board board;
    clearBoard(board);
    for (int32_t p = pointAt(1, 1); p <= pointAt(19, 6); ++p) {
        if (isOnBoard(p)) board[p] = kOutsideMark;  // 114 points
    }
    PointList list;
    collectMarkedPoints(board, list);
    // None has fewer than two empty neighbours: the first 100 in index order.
    int32_t expected = pointAt(1, 1);
    for (int32_t i = 0; i < kListSlots; ++i) {
        EXPECT_EQ(list[i], expected);
        expected += (expected % 20 == 19) ? 2 : 1;
    }
}

TEST(EyeCountSteps, EyePointTestAndFill) {
    // An attacker neighbour: no eye, nothing written.
    Board touched = boardFromText({"", ".XOX", ".X.X", ".XXX"});
    Board before = touched;
    EXPECT_EQ(isEyePoint(touched, pointAt(3, 3), kBlack), 0);
    EXPECT_TRUE(sameBoard(touched, before));

    // One attacker diagonal in the open: still an eye; empty neighbours filled.
    Board open = boardFromText({"", ".O.X", "...X", ".XXX"});
    EXPECT_EQ(isEyePoint(open, pointAt(3, 3), kBlack), 1);
    EXPECT_EQ(open[pointAt(3, 2)], kBlack);
    EXPECT_EQ(open[pointAt(2, 3)], kBlack);
    EXPECT_EQ(open[pointAt(3, 3)], kEmpty);  // the point itself is left alone

    // Two attacker diagonals: a false eye.
    Board twoDiagonals = boardFromText({"", ".O.O", ".X.X", ".XXX"});
    EXPECT_EQ(isEyePoint(twoDiagonals, pointAt(3, 3), kBlack), 0);

    // At the edge one attacker diagonal is enough to spoil it.
    Board edge = boardFromText({".X.X", ".OXX"});
    EXPECT_EQ(isEyePoint(edge, pointAt(3, 1), kBlack), 0);
    Board edgeSolid = boardFromText({".X.X", ".XXX"});
    EXPECT_EQ(isEyePoint(edgeSolid, pointAt(3, 1), kBlack), 1);
}

TEST(EyeCountSteps, BadAttackerColourIsFatal) {
    Board board;
    clearBoard(board);
    EXPECT_EXIT(tumejudgesini2(board, 0), testing::ExitedWithCode(1),
                "^tumejudgesini2 error ishi=0\n$");
    EXPECT_EXIT(countEyeSpace(board, 3), testing::ExitedWithCode(1), "^macroinv error 3\n$");
}

// ---------------------------------------------------------------------------
// Properties
// ---------------------------------------------------------------------------

Board randomPosition(std::mt19937& rng) {
    Board board;
    clearBoard(board);
    std::uniform_int_distribution<int32_t> cell(0, 9);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (!isOnBoard(p)) continue;
        const int32_t r = cell(rng);
        if (r < 3) board[p] = kBlack;
        else if (r < 6) board[p] = kWhite;
        else if (r == 6) board[p] = kOutsideMark;
        else if (r == 7) board[p] = static_cast<uint8_t>((r & 1) + 1) | kOutsideMark;
    }
    return board;
}

TEST_F(JudgmentTest, RandomPositionsAreNeverChanged) {
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int32_t> point(kFirstPoint, kLastPoint);
    for (int32_t round = 0; round < 300; ++round) {
        const Board board = randomPosition(rng);
        PointList list{};
        for (int32_t i = 0; i < 60; ++i) {
            const int32_t p = point(rng);
            if (isOnBoard(p)) addPoint(list, p);
        }
        targetPoint = point(rng);
        const Board copy = board;
        const uint32_t before = judgeCount.load();
        const int32_t value = judgePosition(board, list);
        EXPECT_EQ(judgeCount.load(), before + 1);
        EXPECT_TRUE(sameBoard(board, copy)) << "round " << round;
        EXPECT_TRUE(value == kJudgedDead || value > 0) << value;
    }
}

TEST_F(JudgmentTest, CountIsExactUnderConcurrentJudgments) {
    Board board = twoEyeGroup();
    targetPoint = pointAt(3, 3);
    const PointList list = listOf({pointAt(4, 4), pointAt(6, 4)});
    constexpr int32_t kThreads = 4;
    constexpr int32_t kCalls = 2000;
    const uint32_t before = judgeCount.load();
    std::vector<std::thread> threads;
    for (int32_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int32_t i = 0; i < kCalls; ++i) judgePosition(board, list);
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(judgeCount.load(), before + kThreads * kCalls);
}

}  // namespace
