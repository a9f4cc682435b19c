// Search region set-up: whole positions with hand-worked regions, the single
// steps on crafted scratch boards, and a property over random positions. A
// region is drawn on its board lettered a, b, ... in list order.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "position/region.h"
#include "support/board_text.h"

namespace {

using XY = std::pair<int32_t, int32_t>;
using Rows = std::vector<std::string>;

int32_t pointOf(XY xy) { return pointAt(xy.first, xy.second); }

// Each diagram is both question and answer: the letters a, b, ... read as
// empty points going in, and are the region, in list order, coming out.
Rows setUp(const Rows& rows, XY target, const DiagramPlace& place = {}) {
    const Board board = boardFromText(rows, place);
    PointList region{};
    setUpSearchRegion(0, board, pointOf(target), region);
    return boardPicture(board, region, diagramWindow(rows, place), true);
}

// The same for the seed alone.
Rows seed(const Rows& rows, XY target, const DiagramPlace& place = {}) {
    const Board board = boardFromText(rows, place);
    PointList region{};
    seedRegion(board, pointOf(target), region);
    return boardPicture(board, region, diagramWindow(rows, place), true);
}

// --- whole set-up on hand-worked positions ----------------------------------

TEST(Region, WholeSetUpOnHandWorkedPositions) {
    const DiagramPlace centre{.left = 8, .top = 8};
    // A lone stone gets its four liberties in order.
    const Rows lone = {".....",
                       "..a..",
                       ".bXc.",
                       "..d..",
                       "....."};
    EXPECT_EQ(setUp(lone, {10, 10}, centre), lone);
    // A Z point is not plain empty and is never seeded.
    const Rows ko = {".....",
                     "..Z..",
                     ".aXb.",
                     "..c..",
                     "....."};
    EXPECT_EQ(setUp(ko, {10, 10}, centre), ko);
    // Second line: the seed gives a-f ((3, 4) and (3, 6) are pruned); g-j
    // extend along the edge.
    const Rows secondLine = {"....",
                             "gh..",
                             "ab..",
                             "cXd.",
                             "ef..",
                             "ij..",
                             "...."};
    EXPECT_EQ(setUp(secondLine, {2, 5}, {.top = 2}), secondLine);
    // The seed and the third-line scan give (5, 1) and (5, 2); the removal
    // shape takes them out again and nothing later brings them back.
    const Rows column = {".......",
                         ".....OO",
                         "...Oa..",
                         "...bXc.",
                         "....d.."};
    EXPECT_EQ(setUp(column, {5, 4}), column);
    // A white wall around three points and a one-point white eye, both
    // touching the open area, away from a lone black target: only the walled
    // area joins.
    const Rows enclosed = {"........a.......",
                           ".......bXc......",
                           "........d.......",
                           "................",
                           "................",
                           "..OOO........O..",
                           ".OefgO......O.O.",
                           "..OOO........O.."};
    EXPECT_EQ(setUp(enclosed, {10, 10}, {.left = 2, .top = 9}), enclosed);
}

TEST(Region, EdgeMarginScansAndTheCornerRule) {
    // Third line: the second-line scan adds (10, 1), e, then the third-line scan adds
    // first line before second line.
    const Rows thirdLine = {".feh.",
                            ".gai.",
                            ".bOc.",
                            "..d..",
                            "....."};
    EXPECT_EQ(seed(thirdLine, {10, 3}, {.left = 8}), thirdLine);
    // The corner point comes last, once both its neighbours are listed.
    const Rows corner = {"haXb.",
                         "dgc..",
                         "Xe...",
                         "f....",
                         "....."};
    EXPECT_EQ(seed(corner, {1, 3}), corner);
}

TEST(Region, WithoutTargetStoneTheRegionIsEmptied) {
    const Board board = boardFromText({"Z", "", "", "", "", "", "", "", "", ".........X"});
    for (int32_t t : {0, pointAt(10, 11), pointAt(0, 5), pointAt(1, 1), -1, 5000}) {
        PointList region{};
        region[0] = pointAt(3, 3);
        setUpSearchRegion(0, board, t, region);
        EXPECT_EQ(listLength(region), 0) << "target " << t;
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

TEST(Region, OpenAreaNeedsMoreThanFiftyPoints) {
    const PointList noRegion{};
    Board board = filledWithCornerArea(50);
    const Board before = board;
    markOutside(0, board, noRegion);
    EXPECT_EQ(0, std::memcmp(board.cell, before.cell, kBoardCells));

    // The 51st point is (13, 3); the black string touching the area is marked
    // as a whole.
    board = filledWithCornerArea(51);
    markOutside(0, board, noRegion);
    EXPECT_EQ(rulesScratch[0].floodCount, 51);
    EXPECT_EQ(boardPicture(board, noRegion, 19, 4), (Rows{"###################",
                                                         "###################",
                                                         "#############xxxxxx",
                                                         "xxxxxxxxxxxxxxxxxxx"}));
    EXPECT_EQ(board[pointAt(19, 19)], kOutsideMark | kBlack);
}

TEST(Region, ListedPointsStayPlainAndShieldTheStringsBehindThem) {
    // The first corner is occupied, so the flood starts at (19, 1). The white
    // stone touches only black stones and listed points: it stays unmarked.
    const Rows rows = {"X.......",
                       "....X++.",
                       "....XOX+",
                       ".....++."};
    Diagram diagram = readDiagram(rows);
    markOutside(0, diagram.board, diagram.plusPoints);
    EXPECT_EQ(boardPicture(diagram.board, diagram.plusPoints, diagramWindow(rows)),
              (Rows{"x#######",
                    "####x++#",
                    "####xOX+",
                    "#####++#"}));
}

// --- single steps on crafted scratch boards ---------------------------------

// Scratch boards of the set-up: '+' is a point already in the region.

// Settles a board where every point not named is outside, with white the
// attacker, and answers what became of point `at` and whether it joined.
std::pair<int32_t, bool> settle(const Rows& rows, XY at = {5, 5}) {
    Board board = boardFromText(rows, {.unnamed = kOutsideMark, .plus = kRegionMark});
    PointList region{};
    settleEnclosedPoints(board, kWhite, region);
    return {board[pointOf(at)], listContains(region, pointOf(at))};
}

TEST(Region, SettleScoresDiagonalsAgainstTheDefender) {
    const std::pair<int32_t, bool> outside = {kOutsideMark, false}, joined = {kRegionMark, true};
    EXPECT_EQ(settle({"", "", "", "###X#", "###O.O", "####O"}), outside);
    EXPECT_EQ(settle({"", "", "", "###X#", "###O.O", "####OX"}), joined);
    // A marked defender stone does not score, but counts as outside.
    EXPECT_EQ(settle({"", "", "", "###X#", "###O.O", "####Ox"}), outside);
    EXPECT_EQ(settle({"", "", "", "####x", "###O.O", "####o"}), outside);
    // Any other neighbour ends the test, and a point with no outside
    // neighbour joins even when the attacker surrounds it.
    EXPECT_EQ(settle({"", "", "", "#####", "###O.O", "####X"}), joined);
    EXPECT_EQ(settle({"", "", "", "####O", "###O.O", "####O"}), joined);
}

TEST(Region, SettleOnTheEdgeScoresTheEdgeDiagonal) {
    EXPECT_EQ(settle({"", "", "", "#X", ".O", "O#"}, {1, 5}), std::make_pair(kRegionMark + 0, true));
    EXPECT_EQ(settle({"", "", "", "", ".O", "O"}, {1, 5}), std::make_pair(kOutsideMark + 0, false));
}

// Runs one shape addition on the scratch diagram and draws what it added, in
// order, on the scratch board; as above, the letters are the answer.
template <typename Step>
Rows added(Step step, const Rows& rows, DiagramPlace place) {
    place.plus = kRegionMark;
    const Board board = boardFromText(rows, place);
    PointList region{};
    step(board, region);
    return boardPicture(board, region, diagramWindow(rows, place), true);
}

TEST(Region, ShapeAdditionsOnTheScratchBoard) {
    // Cutting points: above (5, 5) and right of (10, 5) the flanks hold
    // opposed pairs; below (5, 5) they do not, and a marked flank at (16, 5)
    // is no plain stone.
    const Rows cutting = {"...OaO...OX..O.O",
                          "...X+X..X+b..X+x",
                          "...X.X...OX....."};
    EXPECT_EQ(added(addCuttingPoints, cutting, {.top = 4}), cutting);
    const Rows sandwiched = {".........+",
                             "...+a+...b",
                             ".........+"};
    EXPECT_EQ(added(addSandwichedPoints, sandwiched, {.top = 4}), sandwiched);
    // First line: two plain stones and the diagonal region point between
    // them; at (1, 9), with no region point on the diagonal, nothing.
    const Rows edgeCorner = {"...Xa",
                             "...+O",
                             ".....",
                             ".....",
                             ".....",
                             ".....",
                             ".....",
                             "X....",
                             ".X..."};
    EXPECT_EQ(added(addEdgeCornerPoints, edgeCorner, {}), edgeCorner);
}

TEST(Region, EdgeExtensionAddsTheInnerPointOnlyAfterTheEdgePoint) {
    // (8, 1) with (8, 2) below it: to the right the first line is blocked, so (9, 2)
    // is not added; to the left both lines are.
    const Rows top = {"......a+X",
                      "......b+.",
                      "........."};
    EXPECT_EQ(added(extendAlongEdges, top, {}), top);
    const Rows left = {"...",
                       "ab.",
                       "++.",
                       "cO.",
                       "..."};
    EXPECT_EQ(added(extendAlongEdges, left, {.top = 8}), left);
}

// --- property over random positions ------------------------------------------

TEST(Region, RandomPositionsGiveAtMostOneHundredDistinctEmptyPoints) {
    std::mt19937 rng(12345);
    int32_t fullLists = 0;
    PointList region{};
    for (int32_t round = 0; round < 300; ++round) {
        Board board;
        clearBoard(board);
        const uint32_t density = 5 + rng() % 60;
        std::vector<int32_t> stones;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (!isOnBoard(p)) continue;
            const uint32_t r = rng() % 100;
            if (r < density) {
                board[p] = (rng() & 1) ? kBlack : kWhite;
                stones.push_back(p);
            } else if (r < density + 2) {
                board[p] = kKoMark;
            }
        }
        if (stones.empty()) continue;
        const int32_t target = stones[rng() % stones.size()];
        region[5] = pointAt(1, 1);  // stale content must not survive
        setUpSearchRegion(0, board, target, region);

        const int32_t n = listLength(region);
        fullLists += n == kListSlots;
        std::set<int32_t> seen;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t p = region[i];
            ASSERT_TRUE(isOnBoard(p) && colourOf(board[p]) == kEmpty && seen.insert(p).second)
                << "round " << round << " point " << p;
        }
        for (int32_t i = n; i < kListSlots; ++i) ASSERT_EQ(region[i], 0);
    }
    EXPECT_GT(fullLists, 0);  // the cap was reached at least once
}

}  // namespace
