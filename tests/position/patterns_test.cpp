// Shape patterns: the interpreter on single cells, each adding record on a
// position built for it, and the removal passes in every orientation.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "position/pattern_tables.h"
#include "position/patterns.h"
#include "support/board_text.h"

namespace {

using XY = std::pair<int32_t, int32_t>;
using Rows = std::vector<std::string>;
using pattern::at;

int32_t pointOf(XY xy) { return pointAt(xy.first, xy.second); }

// --- the interpreter ----------------------------------------------------------

TEST(PatternInterpreter, EachInstructionTypeTestsItsCell) {
    struct Case {
        int32_t type;
        std::vector<uint8_t> passing, failing;
    };
    const Case cases[] = {
        {pattern::kPlainEmpty, {0}, {kKoMark, 16, 64}},
        {pattern::kEmptyColour, {0, kKoMark, 16, 64}, {1, 3}},
        {pattern::kOwn, {1, 65}, {2, 0}},
        {pattern::kOpponent, {2, 66}, {1, 3}},
        {pattern::kEdgeCell, {3}, {0}},
        {pattern::kOutsidePoint, {64}, {65, 80, 0}},
    };
    Board board;
    clearBoard(board);
    const int32_t origin = pointAt(10, 10);
    const int32_t cell = origin + at(1, 2);
    for (const Case& c : cases) {
        const int32_t program[] = {c.type + 1, at(1, 2), pattern::kEnd};
        for (int32_t pass : {1, 0})
            for (uint8_t v : pass ? c.passing : c.failing) {
                board[cell] = v;
                EXPECT_EQ(kyua20(board, origin, kBlack, program), pass)
                    << c.type << " on " << int(v);
            }
    }
}

TEST(PatternInterpreter, ProgramsRunInOrderAndStopAtTheFirstFailure) {
    Board board = boardFromText({"", "", "", "", "", "", "", "", "", "..........O"});
    const int32_t origin = pointAt(10, 10);
    const int32_t endOnly[] = {pattern::kEnd};
    EXPECT_EQ(kyua20(board, pointAt(0, 7), kWhite, endOnly), 1);
    const int32_t two[] = {pattern::kPlainEmpty + 2, at(-1, 0), at(1, 0), pattern::kEnd};
    EXPECT_EQ(kyua20(board, origin, kBlack, two), 0);
    EXPECT_EQ(kyua20(board, pointAt(10, 11), kBlack, two), 1);
    // A failing cell ends the run before a bad instruction is reached.
    const int32_t failsFirst[] = {pattern::kOwn + 1, 0, 3001, 0, pattern::kEnd};
    EXPECT_EQ(kyua20(board, origin, kBlack, failsFirst), 0);
}

TEST(PatternInterpreter, CellsOutsideTheArrayFailEveryTest) {
    Board board;
    clearBoard(board);
    for (int32_t type : {pattern::kEdgeCell, pattern::kEmptyColour, pattern::kPlainEmpty}) {
        const int32_t up[] = {type + 1, at(0, -3), pattern::kEnd};
        const int32_t down[] = {type + 1, at(0, 4), pattern::kEnd};
        EXPECT_EQ(kyua20(board, pointAt(1, 1), kBlack, up), 0) << type;
        EXPECT_EQ(kyua20(board, pointAt(19, 19), kBlack, down), 0) << type;
    }
    // (3, 20) is in the edge row, and the cell below it is the array's last.
    const int32_t lastCell[] = {pattern::kEdgeCell + 1, at(0, 1), pattern::kEnd};
    EXPECT_EQ(kyua20(board, pointAt(3, 20), kBlack, lastCell), 1);
}

TEST(PatternInterpreterDeathTest, BadInstructionIsFatal) {
    Board board;
    clearBoard(board);
    const int32_t bad[] = {2301, 0, pattern::kEnd};
    EXPECT_EXIT(kyua20(board, pointAt(10, 10), kBlack, bad), ::testing::ExitedWithCode(1),
                "kyua20 error type=2300");
}

// --- the adding pass -----------------------------------------------------------

// The points the adding pass finds for the target on the diagram, drawn on it
// in order. The letters read as empty points going in, so a diagram is its own
// answer.
Rows addOn(const Rows& rows, XY target, const DiagramPlace& place = {}) {
    const Board board = boardFromText(rows, place);
    PointList region{};
    addByPatterns(board, pointOf(target), region);
    return boardPicture(board, region, diagramWindow(rows, place), true);
}

TEST(PatternAdding, EachRecordOnItsShape) {
    // Records 1-3 and 5 on the top edge, 4 and 6 in the open.
    // The second: record 2 matches after record 1 at the same origin.
    const std::pair<Rows, XY> onTheEdge[] = {
        {{"..ab...", "..cdOX.", "....X..", "......."}, {6, 2}},
        {{"..eab...", "..fcdOX.", "..ghOX..", "....X...", "........"}, {7, 2}},
        {{"...ab....", "...cdO.X.", "....OXX..", "........."}, {8, 2}}};
    for (const auto& [rows, target] : onTheEdge) {
        EXPECT_EQ(addOn(rows, target), rows);
    }
    // Record 4 names (6, 6) four times.
    const Rows fourth = {"..X.X.",
                         "..Oa.."};
    EXPECT_EQ(addOn(fourth, {5, 5}, {.left = 3, .top = 5}), fourth);
    const Rows fifth = {".....a..",
                        ".....bO.",
                        "...XOO..",
                        "........"};
    EXPECT_EQ(addOn(fifth, {4, 3}), fifth);
}

TEST(PatternAdding, Record6AddsOnlyThePointAboveTheAttacker) {
    const DiagramPlace centre{.left = 7, .top = 8};
    const Rows above = {".......",
                        ".......",
                        "..XOX..",
                        "...O...",
                        "......."};
    // With the point below empty too, the flipped orientation adds it after.
    const Rows open = {".......",
                       "...a...",
                       "..XOX..",
                       "...b...",
                       "......."};
    EXPECT_EQ(addOn(open, {9, 10}, centre), open);
    // With an attacker below, only the point above; a region mark reads as
    // empty, and listed points keep their place.
    Board marked = boardFromText(above, centre);
    marked[pointAt(10, 9)] = kRegionMark;
    PointList region{};
    addPoint(region, pointAt(3, 3));
    addByPatterns(marked, pointAt(11, 10), region);
    EXPECT_EQ(boardPicture(marked, region, diagramWindow(above, centre), true),
              (Rows{".......",
                    "...b...",
                    "..XOX..",
                    "...O...",
                    ".......",
                    "beyond: a(3,3)"}));
}

// --- the removal passes ------------------------------------------------------

// Where transformBoard sends a point.
int32_t imageOf(int32_t symmetry, int32_t p) {
    int32_t x = pointX(p);
    int32_t y = pointY(p);
    if (symmetry & 4) y = 20 - y;
    if (symmetry & 2) x = 20 - x;
    if (symmetry & 1) std::swap(x, y);
    return pointAt(x, y);
}

// Runs the removal passes on the diagram turned by `symmetry`. The listed
// points (empty on the board) are drawn in reading order: '+' for those the
// passes remove, a, b, ... for those they leave. Answers the points left,
// taken back to the diagram and drawn on it, letters in order.
Rows removeOn(Rows rows, XY target, int32_t symmetry = 0) {
    for (std::string& row : rows)
        for (char& c : row)
            if (c >= 'a' && c <= 'n') c = '+';
    const Diagram flat = readDiagram(rows);
    Board board;
    transformBoard(symmetry, board, flat.board);
    PointList list{};
    for (int32_t i = 0; i < kListSlots && flat.plusPoints[i] != 0; ++i)
        addPoint(list, imageOf(symmetry, flat.plusPoints[i]));
    removeByPatterns(board, imageOf(symmetry, pointOf(target)), list);
    PointList left{};
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i)
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p)
            if (isOnBoard(p) && imageOf(symmetry, p) == list[i]) addPoint(left, p);
    return boardPicture(flat.board, left, diagramWindow(rows), true);
}

// The diagram with its removed points gone: what removeOn should answer.
Rows kept(Rows rows) {
    for (std::string& row : rows) std::replace(row.begin(), row.end(), '+', '.');
    return rows;
}

// A defender stone on the fourth line above three listed points, attackers
// beside the column: the lower two go, in every orientation.
TEST(PatternRemoval, FirstRecordRemovesTheLowerTwoInEveryOrientation) {
    const Rows shape = {"....+..",
                        "....+OO",
                        "...Oa..",
                        "....X.."};
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry)
        EXPECT_EQ(removeOn(shape, {5, 4}, symmetry), kept(shape)) << symmetry;
}

TEST(PatternRemoval, PointBesideTheColumnMustBeAttackerOrPlainEmpty) {
    const Rows attacker = {"....+..",
                           "....+OO",
                           "..OOa..",
                           "....X.."};
    const Rows defender = {"....a..",
                           "....bOO",
                           "..XOc..",
                           "....X.."};
    // A listed point there reads as outside.
    const Rows listed = {"....a..",
                         "....bOO",
                         "..cOd..",
                         "....X.."};
    for (const Rows& shape : {attacker, defender, listed})
        EXPECT_EQ(removeOn(shape, {5, 4}), kept(shape)) << shape[2];
}

TEST(PatternRemoval, MembershipIsFixedBeforeThePassBegins) {
    // Two shapes of the second record, mirror images sharing (6, 2). The right
    // one matches in a later orientation and needs (5, 2) as a region point,
    // which the left one has removed by then.
    const Rows shapes = {"....+.+.",
                         "....+O+.",
                         "...Oa.bO",
                         "....X.X."};
    EXPECT_EQ(removeOn(shapes, {5, 4}), kept(shapes));
}

TEST(PatternRemoval, GuardedRecordRemovesOnlyWhenBothSidesAreHeld) {
    const Rows oneSide = {"....a.",
                          "....b.",
                          "...OcO",
                          "...OX."};
    const Rows bothSides = {"....+.",
                            "....+.",
                            "...OaO",
                            "...OXO"};
    EXPECT_EQ(removeOn(oneSide, {5, 4}), kept(oneSide));
    EXPECT_EQ(removeOn(bothSides, {5, 4}), kept(bothSides));
    // Stones two columns away, one line above or below, hold a side too.
    const Rows upper = {"....+..",
                        "....+..",
                        "...OaO.",
                        "....XO.",
                        "......O"};
    const Rows lower = {"....+..",
                        "....+..",
                        "...OaOO",
                        "...OX.."};
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry) {
        EXPECT_EQ(removeOn(upper, {5, 4}, symmetry), kept(upper)) << symmetry;
        EXPECT_EQ(removeOn(lower, {5, 4}, symmetry), kept(lower)) << symmetry;
    }
}

}  // namespace
