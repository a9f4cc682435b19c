#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "position/corner_rewrites.h"
#include "position/judgment.h"
#include "support/board_text.h"

namespace {

// Text board whose white stones carry the outside mark (a safe attacker wall).
Board withSafeWhite(std::initializer_list<std::string> rows) {
    Board board = boardFromText(rows);
    for (uint8_t& cell : board.cell)
        if (cell == kWhite) cell |= kOutsideMark;
    return board;
}

PointList listOf(std::initializer_list<int32_t> points) {
    PointList list{};
    for (int32_t p : points) addPoint(list, p);
    return list;
}

bool same(const Board& a, const Board& b) { return std::memcmp(a.cell, b.cell, kBoardCells) == 0; }

const Board kTwoEyes = withSafeWhite(
    {"", ".OOOOOOO", ".OXXXXXO", ".OX.X.XO", ".OXXXXXO", ".OOOOOOO"});

TEST(Judgment, SolidEyesOneEyeAndCapturedTarget) {
    const PointList eyes = listOf({pointAt(4, 4), pointAt(6, 4)});
    int32_t target = pointAt(3, 3);
    EXPECT_EQ(judgePosition(kTwoEyes, target, eyes), kJudgedAlive);
    EXPECT_EQ(judgePosition(kTwoEyes, target, listOf({pointAt(4, 4)})), 6 + 30);  // one eye listed

    Board oneEye = kTwoEyes;
    oneEye[pointAt(6, 4)] = kBlack;
    EXPECT_EQ(countEyeSpace(oneEye, kBlack), kJudgedDead);
    EXPECT_EQ(judgePosition(oneEye, target, eyes), kJudgedDead);

    for (int32_t gone : {pointAt(4, 4), 0, 5000}) {  // captured, none, outside the array
        target = gone;
        const uint32_t before = JudgeCount();
        EXPECT_EQ(judgePosition(kTwoEyes, target, eyes), kJudgedDead);
        EXPECT_EQ(JudgeCount(), before + 1);
    }
}

TEST(Judgment, DiagonalsDecideHowMuchAnEyeIsWorth) {
    // (5,1): edge diagonals plus two empty diagonals White may play, q = 4: +10,
    // not touching. (8,3) is solid: +30. Six eye points: 18.
    Board edge = withSafeWhite(
        {".OXX.XXXXO", ".OX.X.XXXO", ".OX.X.X.XO", ".OXXXXXXXO", ".OOOOOOOOO"});
    const PointList list = listOf({pointAt(5, 1), pointAt(8, 3)});
    int32_t target = pointAt(3, 2);
    EXPECT_EQ(countEyeSpace(edge, kBlack), 18);
    EXPECT_EQ(judgePosition(edge, target, list), 18 + 10 + 30);
    edge[pointAt(4, 3)] = edge[pointAt(6, 3)] = kBlack;  // White can no longer play there
    EXPECT_EQ(judgePosition(edge, target, list), kJudgedAlive);

    // (7,4): one white diagonal (6,5) and one playable (8,3), q = 3: +20.
    Board inner = withSafeWhite(
        {"", ".OOOOOOOO", ".OXXXXX.O", ".OX.XX.XO", ".OXXXOXXO", ".OOOOOOOO"});
    const PointList three = listOf({pointAt(4, 4), pointAt(7, 4), pointAt(8, 3)});
    target = pointAt(3, 3);
    EXPECT_EQ(judgePosition(inner, target, three), 6 + 30 + 20);
    inner[pointAt(8, 3)] = kBlack;
    EXPECT_EQ(judgePosition(inner, target, three), kJudgedAlive);
}

// Corner rule 1 inside a safe white wall.
const Board kCornerRuleOne = [] {
    Board board = withSafeWhite({"OO.XO", "OXXXO", ".XOOO", "XXO..", "OOO.."});
    for (int32_t p : {pointAt(1, 1), pointAt(2, 1), pointAt(1, 2)}) board[p] = kWhite;
    return board;
}();

TEST(Judgment, CornerRewriteLeavesTheCornerEyeOnly) {
    int32_t target = pointAt(2, 2);
    EXPECT_EQ(countEyeSpace(kCornerRuleOne, kBlack), 6);  // unrewritten: (1,2) and (2,1)
    EXPECT_EQ(judgePosition(kCornerRuleOne, target, listOf({pointAt(3, 1), pointAt(1, 3)})),
              kJudgedDead);

    Board board = kCornerRuleOne;
    board[pointAt(2, 1)] |= kOutsideMark;  // the rules read colours
    rewriteCornerShapes(board, kBlack);
    EXPECT_EQ(board[pointAt(1, 1)], kEmpty);
    for (int32_t p : {pointAt(2, 1), pointAt(3, 1), pointAt(1, 2), pointAt(1, 3)})
        EXPECT_EQ(board[p], kBlack) << p;
    for (int32_t p : {pointAt(1, 4), pointAt(3, 1)}) {  // a C stone missing, a B point taken
        Board broken = kCornerRuleOne;
        broken[p] = p == pointAt(1, 4) ? kEmpty : kBlack;
        Board copy = broken;
        rewriteCornerShapes(copy, kBlack);
        EXPECT_TRUE(same(copy, broken));
    }
}

TEST(Judgment, CornerRulesAreMirroredOntoEveryCorner) {
    for (int32_t rule = 0; rule < 5; ++rule) {
        Board base;
        clearBoard(base);
        for (int32_t p : cornerRewrites[rule].attacker) base[p] = kWhite;
        for (int32_t p : cornerRewrites[rule].defender) base[p] = kBlack;
        Board rewritten = base;
        rewriteCornerShapes(rewritten, kBlack);
        ASSERT_EQ(rewritten[pointAt(1, 1)], kEmpty);
        for (int32_t symmetry : {2, 4, 6}) {  // flip x, flip y, both
            Board image, imageRewritten;
            transformBoard(symmetry, image, base);
            transformBoard(symmetry, imageRewritten, rewritten);
            rewriteCornerShapes(image, kBlack);
            EXPECT_TRUE(same(image, imageRewritten)) << "rule " << rule + 1 << " sym " << symmetry;
        }
    }
}

TEST(EyeCountSteps, DeadStonesEdgeLinksAndEyePoints) {
    // An unmarked white string inside: removed (64), plain empty neighbours to Black.
    Board inside = withSafeWhite({"", ".OOOOOO", ".OX.O.O", ".OX.OXO", ".OX..XO", ".OOOOOO"});
    inside[pointAt(5, 3)] = inside[pointAt(5, 4)] = kWhite;
    inside[pointAt(5, 5)] = kOutsideMark;
    tumejudgesini2(inside, kWhite);
    EXPECT_EQ(inside[pointAt(5, 4)], kOutsideMark);
    EXPECT_EQ(inside[pointAt(4, 3)], kBlack);
    EXPECT_EQ(inside[pointAt(5, 5)], kOutsideMark);  // marked empty points are left
    EXPECT_EQ(inside[pointAt(4, 5)], kEmpty);
    EXPECT_EQ(inside[pointAt(5, 2)], kWhite | kOutsideMark);

    // (2,1) links to the safe (3,2) in the top-row pass, (1,2) to (2,1) in the
    // left-column pass; a stone between them breaks the link.
    for (bool blocked : {false, true}) {
        Board edge = boardFromText({".O..", blocked ? "OXO." : "O.O."});
        edge[pointAt(3, 2)] |= kOutsideMark;
        linkEdgeDiagonals(edge, kWhite);
        const uint8_t expected = blocked ? kWhite : kWhite | kOutsideMark;
        EXPECT_EQ(edge[pointAt(2, 1)], expected);
        EXPECT_EQ(edge[pointAt(1, 2)], expected);
    }

    // Eye points: an attacker neighbour, one spoiled diagonal in the open, at the edge.
    Board touched = boardFromText({"", ".XOX", ".X.X", ".XXX"});
    EXPECT_EQ(isEyePoint(touched, pointAt(3, 3), kBlack), 0);
    Board open = boardFromText({"", ".O.X", "...X", ".XXX"});
    EXPECT_EQ(isEyePoint(open, pointAt(3, 3), kBlack), 1);
    EXPECT_EQ(open[pointAt(3, 2)], kBlack);
    EXPECT_EQ(open[pointAt(2, 3)], kBlack);
    Board edgeEye = boardFromText({".X.X", ".OXX"});
    EXPECT_EQ(isEyePoint(edgeEye, pointAt(3, 1), kBlack), 0);
}

TEST(EyeCountSteps, FewNeighbourPointsMoveToTheFront) {
    PointList list;
    collectMarkedPoints(boardFromText({"##X", "#X.", "X.."}), list);
    // (1,1) has two empty neighbours; the exchanges move the others in front.
    EXPECT_EQ(std::vector<int32_t>(list.p.begin(), list.p.begin() + 4),
              (std::vector{pointAt(1, 2), pointAt(2, 1), pointAt(1, 1), 0}));
}

TEST(Judgment, CountsEveryCallAcrossThreads) {
    const int32_t target = pointAt(3, 3);
    const uint32_t before = JudgeCount();
    std::vector<std::thread> threads;
    for (int32_t t = 0; t < 4; ++t) {
        threads.emplace_back([target] {
            for (int32_t i = 0; i < 2000; ++i) judgePosition(kTwoEyes, target, PointList{});
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(JudgeCount(), before + 4 * 2000);
}

}  // namespace
