// Shape patterns: the interpreter on single cells, each adding record on a
// position built for it, and the removal passes in every orientation.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "position/pattern_tables.h"
#include "position/patterns.h"
#include "problem/problem.h"

namespace {

using XY = std::pair<int32_t, int32_t>;
using pattern::at;

std::vector<XY> listXY(const PointList& list) {
    std::vector<XY> out;
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i)
        out.emplace_back(pointX(list[i]), pointY(list[i]));
    return out;
}

void put(Board& board, XY xy, uint8_t value) { board[pointAt(xy.first, xy.second)] = value; }

// Where transformBoard sends a point.
int32_t imageOf(int32_t symmetry, int32_t p) {
    int32_t x = pointX(p);
    int32_t y = pointY(p);
    if (symmetry & 4) y = 20 - y;
    if (symmetry & 2) x = 20 - x;
    if (symmetry & 1) std::swap(x, y);
    return pointAt(x, y);
}

int32_t sourceOf(int32_t symmetry, int32_t image) {
    for (int32_t q = kFirstPoint; q <= kLastPoint; ++q)
        if (isOnBoard(q) && imageOf(symmetry, q) == image) return q;
    return 0;
}

class PatternTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearBoard(board);
        regionPoints = PointList{};
        targetPoint = 0;
    }
    void stones(uint8_t colour, std::initializer_list<XY> points) {
        for (XY xy : points) put(board, xy, colour);
    }
    Board board;
};

// --- the interpreter ----------------------------------------------------------

TEST_F(PatternTest, EachInstructionTypeTestsItsCell) {
    struct Case {
        int32_t type;
        uint8_t cell;
        int32_t expected;
    };
    const Case cases[] = {
        {pattern::kPlainEmpty, 0, 1},     {pattern::kPlainEmpty, kKoMark, 0},
        {pattern::kPlainEmpty, 16, 0},    {pattern::kPlainEmpty, 64, 0},
        {pattern::kEmptyColour, 0, 1},    {pattern::kEmptyColour, kKoMark, 1},
        {pattern::kEmptyColour, 16, 1},   {pattern::kEmptyColour, 64, 1},
        {pattern::kEmptyColour, 1, 0},    {pattern::kEmptyColour, 3, 0},
        {pattern::kOwn, 1, 1},            {pattern::kOwn, 65, 1},
        {pattern::kOwn, 2, 0},            {pattern::kOwn, 0, 0},
        {pattern::kOpponent, 2, 1},       {pattern::kOpponent, 66, 1},
        {pattern::kOpponent, 1, 0},       {pattern::kOpponent, 3, 0},
        {pattern::kEdgeCell, 3, 1},       {pattern::kEdgeCell, 0, 0},
        {pattern::kOutsidePoint, 64, 1},  {pattern::kOutsidePoint, 65, 0},
        {pattern::kOutsidePoint, 80, 0},  {pattern::kOutsidePoint, 0, 0},
    };
    const int32_t origin = pointAt(10, 10);
    for (const Case& c : cases) {
        board[origin + at(1, 2)] = c.cell;
        const int32_t program[] = {c.type + 1, at(1, 2), pattern::kEnd};
        EXPECT_EQ(kyua20(board, origin, kBlack, program), c.expected)
            << "type " << c.type << " cell " << int(c.cell);
    }
}

TEST_F(PatternTest, ProgramsRunInOrderAndStopAtTheFirstFailure) {
    const int32_t origin = pointAt(10, 10);
    const int32_t endOnly[] = {pattern::kEnd};
    EXPECT_EQ(kyua20(board, kFirstPoint, kBlack, endOnly), 1);
    EXPECT_EQ(kyua20(board, pointAt(0, 7), kWhite, endOnly), 1);

    // An empty instruction passes.
    const int32_t emptyInstruction[] = {pattern::kOwn + 0, pattern::kEnd};
    EXPECT_EQ(kyua20(board, origin, kBlack, emptyInstruction), 1);

    // Every cell of an instruction counts.
    put(board, {11, 10}, kWhite);
    const int32_t two[] = {pattern::kPlainEmpty + 2, at(-1, 0), at(1, 0), pattern::kEnd};
    EXPECT_EQ(kyua20(board, origin, kBlack, two), 0);
    EXPECT_EQ(kyua20(board, origin + 20, kBlack, two), 1);

    // A failing cell ends the run before a bad instruction is reached.
    const int32_t failsFirst[] = {pattern::kOwn + 1, 0, 3001, 0, pattern::kEnd};
    EXPECT_EQ(kyua20(board, origin, kBlack, failsFirst), 0);
}

TEST_F(PatternTest, CellsOutsideTheArrayFailEveryTest) {
    // Near the top and bottom rows offsets of several rows leave the 424 cells.
    for (int32_t type : {pattern::kEdgeCell, pattern::kEmptyColour, pattern::kPlainEmpty}) {
        const int32_t up[] = {type + 1, at(0, -3), pattern::kEnd};
        const int32_t down[] = {type + 1, at(0, 4), pattern::kEnd};
        EXPECT_EQ(kyua20(board, pointAt(1, 1), kBlack, up), 0) << type;
        EXPECT_EQ(kyua20(board, pointAt(19, 19), kBlack, down), 0) << type;
    }
    // The last cells inside the array still count.
    const int32_t down[] = {pattern::kEdgeCell + 1, at(0, 1), pattern::kEnd};
    EXPECT_EQ(kyua20(board, kBoardCells - 21, kBlack, down), 1);
}

TEST_F(PatternTest, UnknownInstructionIsFatal) {
    const int32_t program[] = {2301, 0, pattern::kEnd};
    EXPECT_EXIT(kyua20(board, pointAt(10, 10), kBlack, program), ::testing::ExitedWithCode(1),
                "kyua20 error type=2300");
}

TEST_F(PatternTest, OwnColourMustBeAStone) {
    const int32_t program[] = {pattern::kEnd};
    EXPECT_EXIT(kyua20(board, pointAt(10, 10), 0, program), ::testing::ExitedWithCode(1),
                "macroinv error 0");
}

// --- the adding pass -----------------------------------------------------------

TEST_F(PatternTest, AddRecord1FillsTheSecondLineCorner) {
    stones(kWhite, {{5, 2}});
    stones(kBlack, {{6, 2}, {5, 3}});
    targetPoint = pointAt(6, 2);
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{3, 1}, {4, 1}, {3, 2}, {4, 2}}));
}

TEST_F(PatternTest, AddRecord2FollowsRecord1AtTheSameOrigin) {
    stones(kWhite, {{6, 2}, {5, 3}});
    stones(kBlack, {{7, 2}, {6, 3}, {5, 4}});
    targetPoint = pointAt(7, 2);
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{4, 1}, {5, 1}, {4, 2}, {5, 2}, {3, 1},
                                                     {3, 2}, {3, 3}, {4, 3}}));
}

TEST_F(PatternTest, AddRecord3) {
    stones(kWhite, {{6, 2}, {5, 3}});
    stones(kBlack, {{8, 2}, {6, 3}, {7, 3}});
    targetPoint = pointAt(8, 2);
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{4, 1}, {5, 1}, {4, 2}, {5, 2}}));
}

TEST_F(PatternTest, AddRecord4AddsItsRepeatedPointOnce) {
    stones(kBlack, {{5, 5}, {7, 5}});
    stones(kWhite, {{5, 6}});
    targetPoint = pointAt(5, 5);
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{6, 6}}));
}

TEST_F(PatternTest, AddRecord5OnTheThirdLine) {
    stones(kWhite, {{6, 3}, {5, 3}, {7, 2}});
    stones(kBlack, {{4, 3}});
    targetPoint = pointAt(4, 3);
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{6, 1}, {6, 2}}));
}

TEST_F(PatternTest, AddRecord6AddsOnlyThePointAbove) {
    stones(kBlack, {{9, 10}, {11, 10}});
    stones(kWhite, {{10, 10}, {10, 11}});
    targetPoint = pointAt(9, 10);
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{10, 9}}));

    // With the point below empty too, the flipped orientation adds it after.
    regionPoints = PointList{};
    put(board, {10, 11}, kEmpty);
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{10, 9}, {10, 11}}));
}

TEST_F(PatternTest, AddingSeesRegionMarksAsEmptyAndKeepsListedPoints) {
    stones(kBlack, {{9, 10}, {11, 10}});
    stones(kWhite, {{10, 10}, {10, 11}});
    put(board, {10, 9}, kRegionMark);
    targetPoint = pointAt(11, 10);
    addPoint(regionPoints, pointAt(10, 9));
    addPoint(regionPoints, pointAt(3, 3));
    addByPatterns(board);
    EXPECT_EQ(listXY(regionPoints), (std::vector<XY>{{10, 9}, {3, 3}}));
}

// --- the removal passes ------------------------------------------------------

// Defender stone on the fourth line above a column of three listed points.
struct RemovalShape {
    std::vector<XY> defender, attacker, listed;
};

class RemovalTest : public PatternTest {
protected:
    // Runs the removal passes on the shape turned by `symmetry` and returns
    // what is left of the list, taken back to the shape's own coordinates.
    std::vector<XY> run(const RemovalShape& shape, int32_t symmetry = 0) {
        Board flat;
        clearBoard(flat);
        for (XY xy : shape.defender) put(flat, xy, kBlack);
        for (XY xy : shape.attacker) put(flat, xy, kWhite);
        transformBoard(symmetry, board, flat);
        targetPoint = imageOf(symmetry, pointAt(shape.defender[0].first, shape.defender[0].second));
        PointList list{};
        for (XY xy : shape.listed)
            addPoint(list, imageOf(symmetry, pointAt(xy.first, xy.second)));
        removeByPatterns(board, list);
        std::vector<XY> left;
        for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
            const int32_t p = sourceOf(symmetry, list[i]);
            left.emplace_back(pointX(p), pointY(p));
        }
        return left;
    }
};

const RemovalShape kFirstShape = {
    {{5, 16}}, {{4, 17}, {6, 18}, {7, 18}}, {{5, 17}, {5, 18}, {5, 19}}};

TEST_F(RemovalTest, FirstRecordRemovesTheLowerTwoInEveryOrientation) {
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry)
        EXPECT_EQ(run(kFirstShape, symmetry), (std::vector<XY>{{5, 17}})) << symmetry;
}

TEST_F(RemovalTest, PointBesideTheColumnMustBeAttackerOrPlainEmpty) {
    RemovalShape shape = kFirstShape;
    shape.attacker.push_back({3, 17});
    EXPECT_EQ(run(shape), (std::vector<XY>{{5, 17}}));

    shape = kFirstShape;
    shape.defender.push_back({3, 17});
    EXPECT_EQ(run(shape), (std::vector<XY>{{5, 17}, {5, 18}, {5, 19}}));

    shape = kFirstShape;
    shape.listed.push_back({3, 17});  // a region point reads 64
    EXPECT_EQ(run(shape), (std::vector<XY>{{5, 17}, {5, 18}, {5, 19}, {3, 17}}));
}

TEST_F(RemovalTest, ShapeNeedsItsEmptyCellsOutsideTheRegion) {
    RemovalShape shape = kFirstShape;
    shape.listed.push_back({4, 18});
    EXPECT_EQ(run(shape), (std::vector<XY>{{5, 17}, {5, 18}, {5, 19}, {4, 18}}));
}

TEST_F(RemovalTest, MembershipIsFixedBeforeThePassBegins) {
    // Two shapes of the second record, mirror images sharing (6, 18). The
    // right one matches only in the mirrored orientation and needs (5, 18)
    // as a region point, which the left one removed earlier.
    const RemovalShape shape = {
        {{5, 16}, {7, 16}},
        {{4, 17}, {6, 18}, {8, 17}},
        {{5, 17}, {5, 18}, {5, 19}, {7, 17}, {7, 18}, {7, 19}}};
    EXPECT_EQ(run(shape), (std::vector<XY>{{5, 17}, {7, 17}}));
}

const RemovalShape kGuardedShape = {
    {{5, 16}}, {{4, 17}, {6, 17}}, {{5, 17}, {5, 18}, {5, 19}}};

TEST_F(RemovalTest, GuardedRecordRemovesOnlyWhenBothSidesAreHeld) {
    const std::vector<XY> whole = {{5, 17}, {5, 18}, {5, 19}};
    const std::vector<XY> removed = {{5, 17}};

    EXPECT_EQ(run(kGuardedShape), whole);

    RemovalShape shape = kGuardedShape;
    shape.attacker.push_back({4, 16});
    EXPECT_EQ(run(shape), whole);  // the right side is still open
    shape.attacker.push_back({6, 16});
    EXPECT_EQ(run(shape), removed);

    // Diagonal stones two columns away hold the sides as well.
    shape = kGuardedShape;
    shape.attacker.push_back({7, 15});
    shape.attacker.push_back({7, 17});
    EXPECT_EQ(run(shape), removed);
    for (int32_t symmetry = 1; symmetry < 8; ++symmetry)
        EXPECT_EQ(run(shape, symmetry), removed) << symmetry;

    shape = kGuardedShape;
    shape.attacker.push_back({7, 15});
    EXPECT_EQ(run(shape), whole);
}

}  // namespace
