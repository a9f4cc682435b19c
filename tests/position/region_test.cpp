// Search region set-up: whole positions with hand-worked regions, the single
// steps on crafted scratch boards, and a property over random positions.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "position/region.h"
#include "problem/problem.h"
#include "support/board_text.h"

namespace {

using XY = std::pair<int32_t, int32_t>;
using Points = std::vector<XY>;

Points regionXY() {
    Points out;
    for (int32_t i = 0; i < kListSlots && regionPoints[i] != 0; ++i)
        out.emplace_back(pointX(regionPoints[i]), pointY(regionPoints[i]));
    return out;
}

// A scratch board from text rows like boardFromText, with its marks: '+' a
// region point, 'x' / 'o' a stone with the outside mark. Points that no
// character names hold `rest`.
Board scratchFromText(std::initializer_list<std::string> rows, uint8_t rest = kEmpty) {
    Board board;
    clearBoard(board);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p)
        if (isOnBoard(p)) board[p] = rest;
    int32_t y = 1;
    for (const std::string& row : rows) {
        for (int32_t x = 1; x <= static_cast<int32_t>(row.size()); ++x) {
            uint8_t cell = kEmpty;
            switch (row[x - 1]) {
                case 'X': cell = kBlack; break;
                case 'O': cell = kWhite; break;
                case 'x': cell = kBlack | kOutsideMark; break;
                case 'o': cell = kWhite | kOutsideMark; break;
                case '+': cell = kRegionMark; break;
                case '#': cell = kOutsideMark; break;
                default: break;
            }
            board[pointAt(x, y)] = cell;
        }
        ++y;
    }
    return board;
}

class RegionTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearBoard(problemBoard);
        targetPoint = 0;
        regionPoints = PointList{};
    }
    Points setUp(std::initializer_list<std::string> rows, XY target) {
        problemBoard = boardFromText(rows);
        targetPoint = pointAt(target.first, target.second);
        setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
        return regionXY();
    }
    Points seed(std::initializer_list<std::string> rows, XY target) {
        problemBoard = boardFromText(rows);
        targetPoint = pointAt(target.first, target.second);
        seedRegion(problemBoard, targetPoint, regionPoints);
        return regionXY();
    }
};

// --- whole set-up on hand-worked positions ----------------------------------

TEST_F(RegionTest, LoneStoneGetsItsFourLibertiesInOrder) {
    const std::string row9(19, '.');
    const std::string row10 = ".........X.........";
    EXPECT_EQ(setUp({"", "", "", "", "", "", "", "", row9, row10}, {10, 10}),
              (Points{{10, 9}, {9, 10}, {11, 10}, {10, 11}}));
    // A Z point is not plain empty and is never seeded.
    EXPECT_EQ(setUp({"", "", "", "", "", "", "", "", ".........Z", row10}, {10, 10}),
              (Points{{9, 10}, {11, 10}, {10, 11}}));
}

TEST_F(RegionTest, SecondLineStoneSeedsTheEdgeAndExtendsAlongIt) {
    const std::initializer_list<std::string> rows = {"", "", "", "", ".X"};
    // (3, 4) and (3, 6) are pruned; the first-line points come from the seed.
    EXPECT_EQ(seed(rows, {2, 5}), (Points{{1, 4}, {2, 4}, {1, 5}, {3, 5}, {1, 6}, {2, 6}}));
    EXPECT_EQ(setUp(rows, {2, 5}), (Points{{1, 4}, {2, 4}, {1, 5}, {3, 5}, {1, 6}, {2, 6},
                                           {1, 3}, {2, 3}, {1, 7}, {2, 7}}));
}

TEST_F(RegionTest, EdgeMarginScansAndTheCornerRule) {
    // Third line: the second-line scan adds (10, 1), then the third-line scan
    // adds first line before second line.
    EXPECT_EQ(seed({"", "", ".........O"}, {10, 3}),
              (Points{{10, 2}, {9, 3}, {11, 3}, {10, 4}, {10, 1}, {9, 1}, {9, 2}, {11, 1}, {11, 2}}));
    // (1, 1) comes last, once (1, 2) and (2, 1) are both listed.
    EXPECT_EQ(seed({"..X", "", "X"}, {1, 3}),
              (Points{{2, 1}, {4, 1}, {3, 2}, {1, 2}, {2, 3}, {1, 4}, {2, 2}, {1, 1}}));
    seed({"O.X", "", "X"}, {1, 3});
    EXPECT_FALSE(listContains(regionPoints, pointAt(1, 1)));
}

TEST_F(RegionTest, ColumnToTheEdgeBesideAttackersIsRemoved) {
    // The seed and the third-line scan give (5, 1) and (5, 2); the removal
    // shape takes them out again and nothing later brings them back.
    EXPECT_EQ(setUp({"", ".....OO", "...O", "....X"}, {5, 4}),
              (Points{{5, 3}, {4, 4}, {6, 4}, {5, 5}}));
}

TEST_F(RegionTest, EnclosedAttackerAreasJoinButOutsideEyesDoNot) {
    // A white wall around three points and a one-point white eye, both
    // touching the open area, away from a lone black target.
    EXPECT_EQ(setUp({"", "", "", "", "", "", "", "", "", ".........X", "", "", "",
                     "...OOO........O", "..O...O......O.O", "...OOO........O"},
                    {10, 10}),
              (Points{{10, 9}, {9, 10}, {11, 10}, {10, 11}, {4, 15}, {5, 15}, {6, 15}}));
}

TEST_F(RegionTest, WithoutTargetStoneTheRegionIsEmptied) {
    for (int32_t t : {0, pointAt(10, 11), pointAt(0, 5), pointAt(1, 1), -1, kBoardCells, 5000}) {
        problemBoard = boardFromText({"Z", "", "", "", "", "", "", "", "", ".........X"});
        regionPoints[0] = pointAt(3, 3);
        targetPoint = t;
        setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
        EXPECT_EQ(listLength(regionPoints), 0) << "target " << t;
    }
}

// --- markOutside ----------------------------------------------------------------

// Black everywhere except the first `points` points of the top rows.
Board filledWithCornerArea(int32_t points) {
    Board board;
    clearBoard(board);
    int32_t emptied = 0;
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p)
        if (isOnBoard(p)) board[p] = (emptied++ < points) ? kEmpty : kBlack;
    return board;
}

TEST_F(RegionTest, OpenAreaNeedsMoreThanFiftyPoints) {
    Board board = filledWithCornerArea(50);
    const Board before = board;
    markOutside(0, board, regionPoints);
    EXPECT_EQ(0, std::memcmp(board.cell, before.cell, kBoardCells));

    board = filledWithCornerArea(51);
    markOutside(0, board, regionPoints);
    EXPECT_EQ(rulesScratch[0].floodCount, 51);
    EXPECT_EQ(board[pointAt(13, 3)], kOutsideMark);              // the 51st point
    EXPECT_EQ(board[pointAt(19, 19)], kOutsideMark | kBlack);    // the touching string
}

TEST_F(RegionTest, ListedPointsStayPlainAndShieldTheStringsBehindThem) {
    // The first corner is occupied, so the flood starts at (19, 1). The white
    // stone touches only black stones and listed points: it stays unmarked.
    Board board = boardFromText({"X", "", "", "", "....X", "....XOX"});
    for (XY xy : {XY{6, 5}, XY{6, 7}, XY{7, 5}, XY{7, 7}, XY{8, 6}})
        addPoint(regionPoints, pointAt(xy.first, xy.second));
    markOutside(0, board, regionPoints);
    EXPECT_EQ(board[pointAt(1, 1)], kOutsideMark | kBlack);
    EXPECT_EQ(board[pointAt(5, 6)], kOutsideMark | kBlack);
    EXPECT_EQ(board[pointAt(6, 6)], kWhite);
    EXPECT_EQ(board[pointAt(7, 6)], kBlack);
    EXPECT_EQ(board[pointAt(6, 5)], kEmpty);
    EXPECT_EQ(board[pointAt(6, 4)], kOutsideMark);
}

// --- single steps on crafted scratch boards ---------------------------------

// Settles a board where every point not named is outside, with white the
// attacker, and answers what became of point `at` and whether it joined.
std::pair<int32_t, bool> settle(std::initializer_list<std::string> rows, XY at = {5, 5}) {
    Board board = scratchFromText(rows, kOutsideMark);
    regionPoints = PointList{};
    settleEnclosedPoints(board, kWhite, regionPoints);
    const int32_t p = pointAt(at.first, at.second);
    return {board[p], listContains(regionPoints, p)};
}

TEST_F(RegionTest, SettleScoresDiagonalsAgainstTheDefender) {
    const std::pair<int32_t, bool> outside = {kOutsideMark, false}, joined = {kRegionMark, true};
    EXPECT_EQ(settle({"", "", "", "#####", "###O.O", "####O"}), outside);
    EXPECT_EQ(settle({"", "", "", "###X#", "###O.O", "####O"}), outside);
    EXPECT_EQ(settle({"", "", "", "###X#", "###O.O", "####OX"}), joined);
    // A marked defender stone does not score, but counts as outside.
    EXPECT_EQ(settle({"", "", "", "###X#", "###O.O", "####Ox"}), outside);
    EXPECT_EQ(settle({"", "", "", "####x", "###O.O", "####o"}), outside);
    // Any other neighbour ends the test, and a point with no outside
    // neighbour joins even when the attacker surrounds it.
    EXPECT_EQ(settle({"", "", "", "#####", "###O.O", "####X"}), joined);
    EXPECT_EQ(settle({"", "", "", "#####", "###O.O", "####+"}), joined);
    EXPECT_EQ(settle({"", "", "", "####O", "###O.O", "####O"}), joined);
}

TEST_F(RegionTest, SettleOnTheEdgeScoresTheEdgeDiagonal) {
    EXPECT_EQ(settle({"", "", "", "#X", ".O", "O#"}, {1, 5}), std::make_pair(kRegionMark + 0, true));
    EXPECT_EQ(settle({"", "", "", "", ".O", "O"}, {1, 5}), std::make_pair(kOutsideMark + 0, false));
}

TEST_F(RegionTest, ShapeAdditionsOnTheScratchBoard) {
    // Cutting points: above (5, 5) and right of (10, 5) the flanks hold
    // opposed pairs; below (5, 5) they do not, and a marked flank at (16, 5)
    // is no plain stone.
    addCuttingPoints(scratchFromText({"", "", "", "...O.O...OX..O.O", "...X+X..X+...X+x",
                                      "...X.X...OX"}), regionPoints);
    EXPECT_EQ(regionXY(), (Points{{5, 4}, {11, 5}}));

    regionPoints = PointList{};
    addSandwichedPoints(scratchFromText({"", "", "", ".........+", "...+.+...", ".........+"}), regionPoints);
    EXPECT_EQ(regionXY(), (Points{{5, 5}, {10, 5}}));

    // First line: two plain stones and the diagonal region point between them.
    regionPoints = PointList{};
    addEdgeCornerPoints(scratchFromText({"...X.", "...+O", "", "", "", "", "", "X", ".X"}), regionPoints);
    EXPECT_EQ(regionXY(), (Points{{5, 1}}));
}

TEST_F(RegionTest, EdgeExtensionAddsTheInnerPointOnlyAfterTheEdgePoint) {
    // (8, 1) with (8, 2) below it: to the right the first line is blocked, so
    // (9, 2) is not added; to the left both lines are.
    extendAlongEdges(scratchFromText({".......+X", ".......+."}), regionPoints);
    EXPECT_EQ(regionXY(), (Points{{7, 1}, {7, 2}}));

    regionPoints = PointList{};
    extendAlongEdges(scratchFromText({"", "", "", "", "", "", "", "", "", "++", ".O"}), regionPoints);
    EXPECT_EQ(regionXY(), (Points{{1, 9}, {2, 9}, {1, 11}}));
}

// --- property over random positions ------------------------------------------

TEST_F(RegionTest, RandomPositionsGiveAtMostOneHundredDistinctEmptyPoints) {
    std::mt19937 rng(12345);
    int32_t fullLists = 0;
    for (int32_t round = 0; round < 300; ++round) {
        clearBoard(problemBoard);
        const uint32_t density = 5 + rng() % 60;
        std::vector<int32_t> stones;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (!isOnBoard(p)) continue;
            const uint32_t r = rng() % 100;
            if (r < density) {
                problemBoard[p] = (rng() & 1) ? kBlack : kWhite;
                stones.push_back(p);
            } else if (r < density + 2) {
                problemBoard[p] = kKoMark;
            }
        }
        if (stones.empty()) continue;
        targetPoint = stones[rng() % stones.size()];
        regionPoints[5] = pointAt(1, 1);  // stale content must not survive
        const Board before = problemBoard;
        setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);

        const int32_t n = listLength(regionPoints);
        fullLists += n == kListSlots;
        std::set<int32_t> seen;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t p = regionPoints[i];
            ASSERT_TRUE(isOnBoard(p)) << "round " << round << " point " << p;
            ASSERT_EQ(colourOf(problemBoard[p]), kEmpty) << "round " << round << " point " << p;
            ASSERT_TRUE(seen.insert(p).second) << "round " << round << " repeats " << p;
        }
        for (int32_t i = n; i < kListSlots; ++i) ASSERT_EQ(regionPoints[i], 0);
        ASSERT_EQ(0, std::memcmp(before.cell, problemBoard.cell, kBoardCells));
    }
    EXPECT_GT(fullLists, 0);  // the cap was reached at least once
}

}  // namespace
