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

namespace {

using XY = std::pair<int32_t, int32_t>;

std::vector<XY> regionXY() {
    std::vector<XY> out;
    for (int32_t i = 0; i < kListSlots && regionPoints[i] != 0; ++i)
        out.emplace_back(pointX(regionPoints[i]), pointY(regionPoints[i]));
    return out;
}

void put(Board& board, int32_t x, int32_t y, uint8_t value) { board[pointAt(x, y)] = value; }

// A board whose every point carries the outside mark, so that only the cells
// a test sets up take part in the steps that scan plain empty points.
Board allOutside() {
    Board board;
    clearBoard(board);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p)
        if (isOnBoard(p)) board[p] = kOutsideMark;
    return board;
}

class RegionTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearBoard(problemBoard);
        targetPoint = 0;
        regionPoints = PointList{};
    }
    void stone(int32_t x, int32_t y, uint8_t colour) { put(problemBoard, x, y, colour); }
    void target(int32_t x, int32_t y) { targetPoint = pointAt(x, y); }
    void setUp() { setUpSearchRegion(0, problemBoard); }
};

// --- whole set-up on hand-worked positions ----------------------------------

TEST_F(RegionTest, LoneStoneGetsItsFourLibertiesInOrder) {
    stone(10, 10, kBlack);
    target(10, 10);
    setUp();
    EXPECT_EQ(regionXY(), (std::vector<XY>{{10, 9}, {9, 10}, {11, 10}, {10, 11}}));

    // The same for white: nothing depends on which colour defends.
    stone(10, 10, kWhite);
    setUp();
    EXPECT_EQ(regionXY(), (std::vector<XY>{{10, 9}, {9, 10}, {11, 10}, {10, 11}}));
}

TEST_F(RegionTest, SecondLineStoneSeedsTheEdgeAndExtendsAlongIt) {
    stone(2, 5, kBlack);
    target(2, 5);
    seedRegion(problemBoard);
    // (3, 4) and (3, 6) are pruned; the first-line points come from the seed
    // itself, so the margin scan adds nothing.
    EXPECT_EQ(regionXY(), (std::vector<XY>{{1, 4}, {2, 4}, {1, 5}, {3, 5}, {1, 6}, {2, 6}}));

    setUp();
    EXPECT_EQ(regionXY(), (std::vector<XY>{{1, 4}, {2, 4}, {1, 5}, {3, 5}, {1, 6}, {2, 6},
                                           {1, 3}, {2, 3}, {1, 7}, {2, 7}}));
}

TEST_F(RegionTest, CornerIsAddedWhenBothNeighboursAreListed) {
    stone(1, 3, kBlack);
    stone(3, 1, kBlack);
    target(1, 3);
    seedRegion(problemBoard);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{2, 1}, {4, 1}, {3, 2}, {1, 2}, {2, 3}, {1, 4},
                                           {2, 2}, {1, 1}}));

    // An occupied corner is not added.
    stone(1, 1, kWhite);
    seedRegion(problemBoard);
    EXPECT_FALSE(listContains(regionPoints, pointAt(1, 1)));
}

TEST_F(RegionTest, ThirdLineStonePullsInTheLinesBelowFirstLineFirst) {
    stone(10, 3, kWhite);
    target(10, 3);
    seedRegion(problemBoard);
    // Seed after pruning: (10, 2), (9, 3), (11, 3), (10, 4). The second-line
    // scan adds (10, 1); the third-line scan adds first line, then second.
    EXPECT_EQ(regionXY(), (std::vector<XY>{{10, 2}, {9, 3}, {11, 3}, {10, 4}, {10, 1},
                                           {9, 1}, {9, 2}, {11, 1}, {11, 2}}));
}

TEST_F(RegionTest, SeedTakesOnlyPlainEmptyPoints) {
    stone(10, 10, kBlack);
    problemBoard[pointAt(10, 9)] = kKoMark;  // a Z point
    target(10, 10);
    seedRegion(problemBoard);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{9, 10}, {11, 10}, {10, 11}}));
}

TEST_F(RegionTest, OtherStonesOfTheDefenderSeedToo) {
    stone(10, 10, kBlack);
    stone(5, 15, kBlack);
    stone(15, 5, kWhite);
    target(10, 10);
    seedRegion(problemBoard);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{10, 9}, {9, 10}, {11, 10}, {10, 11}, {5, 14},
                                           {4, 15}, {6, 15}, {5, 16}}));
}

TEST_F(RegionTest, EnclosedAttackerAreasJoinButOutsideEyesDoNot) {
    stone(10, 10, kBlack);
    target(10, 10);
    // A white wall around three empty points (4..6, 15), and a one-point white
    // eye at (15, 15); both walls touch the open area.
    for (int32_t x = 4; x <= 6; ++x) {
        stone(x, 14, kWhite);
        stone(x, 16, kWhite);
    }
    stone(3, 15, kWhite);
    stone(7, 15, kWhite);
    stone(15, 14, kWhite);
    stone(14, 15, kWhite);
    stone(16, 15, kWhite);
    stone(15, 16, kWhite);
    setUp();
    EXPECT_EQ(regionXY(), (std::vector<XY>{{10, 9}, {9, 10}, {11, 10}, {10, 11}, {4, 15},
                                           {5, 15}, {6, 15}}));
}

TEST_F(RegionTest, WithoutTargetStoneTheRegionIsEmptied) {
    stone(10, 10, kBlack);
    for (int32_t t : {0, pointAt(10, 11), pointAt(0, 5), -1, -5000, kBoardCells, 5000}) {
        regionPoints[0] = pointAt(3, 3);
        regionPoints[1] = pointAt(4, 4);
        targetPoint = t;
        setUp();
        EXPECT_EQ(listLength(regionPoints), 0) << "target " << t;
    }
    // A Z point at the target is not a stone either.
    problemBoard[pointAt(10, 11)] = kKoMark;
    target(10, 11);
    setUp();
    EXPECT_EQ(listLength(regionPoints), 0);
}

TEST_F(RegionTest, ManyDefenderStonesFillTheListToExactlyOneHundred) {
    for (int32_t y = 2; y <= 18; y += 4)
        for (int32_t x = 2; x <= 18; x += 2) stone(x, y, kBlack);
    target(2, 2);
    setUp();
    EXPECT_EQ(listLength(regionPoints), kListSlots);
    std::set<int32_t> distinct(regionPoints.p.begin(), regionPoints.p.end());
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kListSlots));
}

// --- markOutside ----------------------------------------------------------------

// Fills the board with black stones and empties the first `points` points of
// the top rows (a connected area around (1, 1)).
Board filledWithCornerArea(int32_t points) {
    Board board;
    clearBoard(board);
    int32_t emptied = 0;
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (!isOnBoard(p)) continue;
        board[p] = (emptied++ < points) ? kEmpty : kBlack;
    }
    return board;
}

TEST_F(RegionTest, OpenAreaNeedsMoreThanFiftyPoints) {
    Board board = filledWithCornerArea(50);
    const Board before = board;
    markOutside(0, board);
    EXPECT_EQ(std::vector<uint8_t>(board.cell, board.cell + kBoardCells),
              std::vector<uint8_t>(before.cell, before.cell + kBoardCells));

    board = filledWithCornerArea(51);
    markOutside(0, board);
    EXPECT_EQ(rulesScratch[0].floodCount, 51);
    EXPECT_EQ(board[pointAt(1, 1)], kOutsideMark);
    EXPECT_EQ(board[pointAt(13, 3)], kOutsideMark);   // the 51st point
    EXPECT_EQ(board[pointAt(14, 3)], kOutsideMark | kBlack);  // touching string is safe
    EXPECT_EQ(board[pointAt(19, 19)], kOutsideMark | kBlack);
}

TEST_F(RegionTest, OpenAreaIsTakenFromTheFirstLargeCornerOnly) {
    Board board;
    clearBoard(board);
    // A white line across row 10 splits the board into two large areas.
    for (int32_t x = 1; x <= 19; ++x) put(board, x, 10, kWhite);
    put(board, 1, 1, kBlack);  // the first corner is occupied
    markOutside(0, board);
    EXPECT_EQ(board[pointAt(19, 1)], kOutsideMark);
    EXPECT_EQ(board[pointAt(2, 1)], kOutsideMark);
    EXPECT_EQ(board[pointAt(1, 1)], kOutsideMark | kBlack);
    EXPECT_EQ(board[pointAt(5, 10)], kOutsideMark | kWhite);
    EXPECT_EQ(board[pointAt(1, 19)], kEmpty);  // the lower area stays unmarked
}

TEST_F(RegionTest, ListedPointsReachedByTheFloodStayPlainEmpty) {
    Board board;
    clearBoard(board);
    regionPoints[0] = pointAt(1, 2);
    markOutside(0, board);
    EXPECT_EQ(board[pointAt(1, 2)], kEmpty);
    EXPECT_EQ(board[pointAt(1, 3)], kOutsideMark);
    EXPECT_EQ(board[pointAt(2, 2)], kOutsideMark);
}

TEST_F(RegionTest, StringsAreMarkedOnlyThroughPlainOutsidePoints) {
    Board board;
    clearBoard(board);
    // A black string touching the open area, and a white stone touching only
    // that string and a listed point: the white stone stays unmarked.
    put(board, 5, 5, kBlack);
    put(board, 5, 6, kBlack);
    put(board, 6, 6, kWhite);
    put(board, 7, 6, kBlack);
    regionPoints = PointList{};
    for (XY xy : {XY{6, 5}, XY{6, 7}, XY{7, 5}, XY{7, 7}, XY{8, 6}})
        addPoint(regionPoints, pointAt(xy.first, xy.second));
    markOutside(0, board);
    EXPECT_EQ(board[pointAt(5, 5)], kOutsideMark | kBlack);
    EXPECT_EQ(board[pointAt(5, 6)], kOutsideMark | kBlack);
    EXPECT_EQ(board[pointAt(6, 6)], kWhite);
    EXPECT_EQ(board[pointAt(7, 6)], kBlack);
    EXPECT_EQ(board[pointAt(6, 5)], kEmpty);
}

// --- single steps on crafted scratch boards ---------------------------------

TEST_F(RegionTest, SettleScoresDiagonalsAgainstTheDefender) {
    constexpr int32_t attacker = kWhite;
    auto settleAt = [&](int32_t x, int32_t y, std::vector<std::pair<XY, uint8_t>> cells) {
        Board board = allOutside();
        put(board, x, y, kEmpty);
        for (auto& [xy, v] : cells) put(board, xy.first, xy.second, v);
        regionPoints = PointList{};
        settleEnclosedPoints(board, attacker);
        return std::make_pair(board[pointAt(x, y)], listContains(regionPoints, pointAt(x, y)));
    };
    const std::vector<std::pair<XY, uint8_t>> walls = {
        {{4, 5}, kWhite}, {{6, 5}, kWhite}, {{5, 6}, kWhite}};  // (5, 4) stays outside

    // No defender diagonal: the attacker's point.
    EXPECT_EQ(settleAt(5, 5, walls), std::make_pair(kOutsideMark, false));

    // One defender diagonal scores 2: still the attacker's.
    auto one = walls;
    one.push_back({{4, 4}, kBlack});
    EXPECT_EQ(settleAt(5, 5, one), std::make_pair(kOutsideMark, false));

    // Two plain defender diagonals score 4: a region point.
    auto two = one;
    two.push_back({{6, 6}, kBlack});
    EXPECT_EQ(settleAt(5, 5, two), std::make_pair(kRegionMark, true));

    // A defender stone already marked as outside does not score.
    auto marked = one;
    marked.push_back({{6, 6}, kBlack | kOutsideMark});
    EXPECT_EQ(settleAt(5, 5, marked), std::make_pair(kOutsideMark, false));

    // On the edge a diagonal edge cell gives 2 and one defender diagonal makes 4.
    EXPECT_EQ(settleAt(1, 5, {{{2, 5}, kWhite}, {{1, 6}, kWhite}, {{2, 4}, kBlack}}),
              std::make_pair(kRegionMark, true));
    EXPECT_EQ(settleAt(1, 5, {{{2, 5}, kWhite}, {{1, 6}, kWhite}}),
              std::make_pair(kOutsideMark, false));
}

TEST_F(RegionTest, SettleCountsMarkedStonesOfEitherColourAsOutside) {
    Board board = allOutside();
    put(board, 5, 5, kEmpty);
    put(board, 5, 4, kBlack | kOutsideMark);  // a safe defender string
    put(board, 4, 5, kWhite);
    put(board, 6, 5, kWhite);
    put(board, 5, 6, kWhite | kOutsideMark);
    settleEnclosedPoints(board, kWhite);
    EXPECT_EQ(board[pointAt(5, 5)], kOutsideMark);
}

TEST_F(RegionTest, SettleKeepsPointsWithAnyOtherNeighbour) {
    // A plain defender stone, a region point, or another plain empty point
    // beside p ends the test: p joins the region.
    for (uint8_t other : {uint8_t{kBlack}, uint8_t{kRegionMark}, uint8_t{kEmpty}}) {
        Board board = allOutside();
        put(board, 5, 5, kEmpty);
        put(board, 4, 5, kWhite);
        put(board, 6, 5, kWhite);
        put(board, 5, 6, other);
        regionPoints = PointList{};
        settleEnclosedPoints(board, kWhite);
        EXPECT_EQ(board[pointAt(5, 5)], kRegionMark) << int(other);
        EXPECT_EQ(regionPoints[0], pointAt(5, 5)) << int(other);
    }
    // A point with no outside neighbour at all joins even when the attacker
    // surrounds it.
    Board board = allOutside();
    put(board, 5, 5, kEmpty);
    for (XY xy : {XY{5, 4}, XY{4, 5}, XY{6, 5}, XY{5, 6}}) put(board, xy.first, xy.second, kWhite);
    regionPoints = PointList{};
    settleEnclosedPoints(board, kWhite);
    EXPECT_EQ(board[pointAt(5, 5)], kRegionMark);
}

TEST_F(RegionTest, CuttingPointNeedsOpposedPairsOnBothSides) {
    auto cutBoard = [](uint8_t secondFlank) {
        Board board;
        clearBoard(board);
        put(board, 5, 5, kRegionMark);
        put(board, 4, 5, kBlack);
        put(board, 6, 5, secondFlank);
        put(board, 4, 4, kWhite);  // flanks of q = (5, 4)
        put(board, 6, 4, kWhite);
        return board;
    };
    regionPoints = PointList{};
    addCuttingPoints(cutBoard(kBlack));
    EXPECT_EQ(regionXY(), (std::vector<XY>{{5, 4}}));

    regionPoints = PointList{};
    addCuttingPoints(cutBoard(kWhite));
    EXPECT_EQ(listLength(regionPoints), 0);

    // A flank carrying a mark is not a plain stone.
    regionPoints = PointList{};
    addCuttingPoints(cutBoard(kBlack | kOutsideMark));
    EXPECT_EQ(listLength(regionPoints), 0);

    // The horizontal cases: q = p + 1 with p's flanks above and below.
    Board board;
    clearBoard(board);
    put(board, 5, 5, kRegionMark);
    put(board, 5, 4, kWhite);
    put(board, 5, 6, kWhite);
    put(board, 6, 4, kBlack);
    put(board, 6, 6, kBlack);
    put(board, 4, 4, kBlack);
    put(board, 4, 6, kBlack);
    regionPoints = PointList{};
    addCuttingPoints(board);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{6, 5}, {4, 5}}));
}

TEST_F(RegionTest, SandwichedPointsBetweenRegionPoints) {
    Board board;
    clearBoard(board);
    put(board, 4, 5, kRegionMark);
    put(board, 6, 5, kRegionMark);
    put(board, 10, 4, kRegionMark);
    put(board, 10, 6, kRegionMark);
    put(board, 15, 4, kRegionMark);
    put(board, 15, 6, kBlack);  // not a region point
    addSandwichedPoints(board);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{5, 5}, {10, 5}}));
}

TEST_F(RegionTest, EdgeCornerPointNeedsTwoStonesAndADiagonalRegionPoint) {
    Board board;
    clearBoard(board);
    // Top row: p = (5, 1), m = (4, 1), i = (5, 2), g = (4, 2).
    put(board, 4, 1, kBlack);
    put(board, 5, 2, kWhite);
    put(board, 4, 2, kRegionMark);
    // Right column: p = (19, 8), m = (19, 9), i = (18, 8), g = (18, 9).
    put(board, 19, 9, kWhite);
    put(board, 18, 8, kWhite);
    put(board, 18, 9, kRegionMark);
    // Left column without the diagonal region point: nothing.
    put(board, 1, 12, kBlack);
    put(board, 2, 13, kBlack);
    addEdgeCornerPoints(board);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{5, 1}, {19, 8}}));
}

TEST_F(RegionTest, EdgeExtensionAddsInnerPointOnlyAfterTheEdgePoint) {
    Board board;
    clearBoard(board);
    // Bottom row: p = (8, 19) with i = (8, 18) both region points.
    put(board, 8, 19, kRegionMark);
    put(board, 8, 18, kRegionMark);
    put(board, 9, 19, kBlack);  // first direction blocked: (9, 18) is not added
    extendAlongEdges(board);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{7, 19}, {7, 18}}));

    // Left column, both directions open, and a stone on the inner line.
    clearBoard(board);
    regionPoints = PointList{};
    put(board, 1, 10, kRegionMark);
    put(board, 2, 10, kRegionMark);
    put(board, 2, 11, kWhite);
    extendAlongEdges(board);
    EXPECT_EQ(regionXY(), (std::vector<XY>{{1, 9}, {2, 9}, {1, 11}}));
}

// --- property over random positions ------------------------------------------

TEST_F(RegionTest, RandomPositionsGiveAtMostOneHundredDistinctEmptyPoints) {
    std::mt19937 rng(12345);
    for (int32_t round = 0; round < 300; ++round) {
        clearBoard(problemBoard);
        const int32_t density = 5 + static_cast<int32_t>(rng() % 60);
        std::vector<int32_t> stones;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (!isOnBoard(p)) continue;
            const int32_t r = static_cast<int32_t>(rng() % 100);
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
        setUpSearchRegion(0, problemBoard);

        const int32_t n = listLength(regionPoints);
        ASSERT_LE(n, kListSlots);
        std::set<int32_t> seen;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t p = regionPoints[i];
            ASSERT_TRUE(isOnBoard(p)) << "round " << round << " point " << p;
            ASSERT_EQ(colourOf(problemBoard[p]), kEmpty) << "round " << round << " point " << p;
            ASSERT_TRUE(seen.insert(p).second) << "round " << round << " repeats " << p;
        }
        for (int32_t i = n; i < kListSlots; ++i) ASSERT_EQ(regionPoints[i], 0);
        ASSERT_EQ(0, std::memcmp(before.cell, problemBoard.cell, kBoardCells));

        // The set-up depends on nothing but the board and the target.
        const PointList first = regionPoints;
        setUpSearchRegion(0, problemBoard);
        ASSERT_EQ(first.p, regionPoints.p) << "round " << round;
    }
}

}  // namespace
