// The shape pattern records, as data for the interpreter kyua20.
//
// A record is five head words followed by a program. For the adding table the
// first four head words are the points to add (a point may repeat) and the
// fifth is 0; for the removal tables the first two are the points to remove.
// A program is a run of instructions, each a word type*100 + n followed by n
// offsets, ending with the word 1000. Offsets are dy*20 + dx from the origin,
// dy growing downward. The own colour is always the defender's.
#pragma once

#include <array>
#include <cstdint>

namespace pattern {

// Instruction types (the word is type + count).
constexpr int32_t kEnd = 1000;
constexpr int32_t kPlainEmpty = 2000;  // exactly 0
constexpr int32_t kEmptyColour = 2100; // colour 0, marks allowed
constexpr int32_t kOwn = 2200;
constexpr int32_t kOpponent = 2400;
constexpr int32_t kEdgeCell = 2500;
constexpr int32_t kOutsidePoint = 2700; // exactly 64

constexpr int32_t kHeadWords = 5;

constexpr int32_t at(int32_t dx, int32_t dy) { return dy * 20 + dx; }

}  // namespace pattern

// Records that add points around an attacker's cutting or edge shape.
constexpr int32_t addPatterns[] = {
    // 1
    pattern::at(-2, -1), pattern::at(-1, -1), pattern::at(-2, 0), pattern::at(-1, 0), 0,
    pattern::kEdgeCell + 1, pattern::at(0, -2),
    pattern::kOpponent + 1, pattern::at(0, 0),
    pattern::kOwn + 2, pattern::at(1, 0), pattern::at(0, 1),
    pattern::kEmptyColour + 4, pattern::at(-2, -1), pattern::at(-1, -1), pattern::at(-2, 0),
        pattern::at(-1, 0),
    pattern::kEnd,
    // 2
    pattern::at(-3, -1), pattern::at(-3, 0), pattern::at(-3, 1), pattern::at(-2, 1), 0,
    pattern::kEdgeCell + 1, pattern::at(0, -2),
    pattern::kOpponent + 2, pattern::at(0, 0), pattern::at(-1, 1),
    pattern::kOwn + 3, pattern::at(1, 0), pattern::at(0, 1), pattern::at(-1, 2),
    pattern::kEmptyColour + 8, pattern::at(-2, -1), pattern::at(-1, -1), pattern::at(-2, 0),
        pattern::at(-1, 0), pattern::at(-3, -1), pattern::at(-3, 0), pattern::at(-3, 1),
        pattern::at(-2, 1),
    pattern::kEnd,
    // 3
    pattern::at(-2, -1), pattern::at(-1, -1), pattern::at(-2, 0), pattern::at(-1, 0), 0,
    pattern::kEdgeCell + 1, pattern::at(0, -2),
    pattern::kOpponent + 2, pattern::at(0, 0), pattern::at(-1, 1),
    pattern::kOwn + 3, pattern::at(2, 0), pattern::at(0, 1), pattern::at(1, 1),
    pattern::kEmptyColour + 5, pattern::at(-2, -1), pattern::at(-1, -1), pattern::at(-2, 0),
        pattern::at(-1, 0), pattern::at(1, 0),
    pattern::kEnd,
    // 4
    pattern::at(1, 1), pattern::at(1, 1), pattern::at(1, 1), pattern::at(1, 1), 0,
    pattern::kOpponent + 1, pattern::at(0, 1),
    pattern::kOwn + 2, pattern::at(0, 0), pattern::at(2, 0),
    pattern::kEmptyColour + 3, pattern::at(1, 0), pattern::at(1, 1), pattern::at(2, 1),
    pattern::kEnd,
    // 5
    pattern::at(0, -2), pattern::at(0, -1), pattern::at(0, -1), pattern::at(0, -1), 0,
    pattern::kEdgeCell + 1, pattern::at(0, -3),
    pattern::kOwn + 1, pattern::at(-2, 0),
    pattern::kOpponent + 3, pattern::at(0, 0), pattern::at(-1, 0), pattern::at(1, -1),
    pattern::kEmptyColour + 4, pattern::at(0, -2), pattern::at(0, -1), pattern::at(-1, -2),
        pattern::at(-1, -1),
    pattern::kEnd,
    // 6
    pattern::at(0, -1), pattern::at(0, -1), pattern::at(0, -1), pattern::at(0, -1), 0,
    pattern::kOwn + 2, pattern::at(-1, 0), pattern::at(1, 0),
    pattern::kOpponent + 1, pattern::at(0, 0),
    pattern::kEmptyColour + 1, pattern::at(0, -1),
    pattern::kEnd,
};
constexpr int32_t kAddPatternCount = 6;

// A defender stone on the fourth line above a column of three region points
// running to the first line, with attacker stones beside the column: the two
// lower points are useless.
constexpr int32_t removePatterns[] = {
    // 1
    pattern::at(0, 2), pattern::at(0, 3), 0, 0, 0,
    pattern::kOwn + 1, pattern::at(0, 0),
    pattern::kEdgeCell + 1, pattern::at(0, 4),
    pattern::kOpponent + 3, pattern::at(-1, 1), pattern::at(1, 2), pattern::at(2, 2),
    pattern::kOutsidePoint + 3, pattern::at(0, 1), pattern::at(0, 2), pattern::at(0, 3),
    pattern::kPlainEmpty + 5, pattern::at(-2, 2), pattern::at(-1, 2), pattern::at(-2, 3),
        pattern::at(-1, 3), pattern::at(1, 3),
    pattern::kEnd,
    // 2
    pattern::at(0, 2), pattern::at(0, 3), 0, 0, 0,
    pattern::kOwn + 1, pattern::at(0, 0),
    pattern::kEdgeCell + 1, pattern::at(0, 4),
    pattern::kOpponent + 2, pattern::at(-1, 1), pattern::at(1, 2),
    pattern::kOutsidePoint + 4, pattern::at(0, 1), pattern::at(0, 2), pattern::at(2, 2),
        pattern::at(0, 3),
    pattern::kPlainEmpty + 4, pattern::at(-2, 2), pattern::at(-1, 2), pattern::at(-2, 3),
        pattern::at(-1, 3),
    pattern::kEnd,
};
constexpr int32_t kRemovePatternCount = 2;

// The same shape with attacker stones on both sides of the column's top. The
// pass that runs it may clear a cell beside the shape instead of removing.
constexpr int32_t removePatternsGuarded[] = {
    pattern::at(0, 2), pattern::at(0, 3), 0, 0, 0,
    pattern::kOwn + 1, pattern::at(0, 0),
    pattern::kEdgeCell + 1, pattern::at(0, 4),
    pattern::kOpponent + 2, pattern::at(-1, 1), pattern::at(1, 1),
    pattern::kOutsidePoint + 3, pattern::at(0, 1), pattern::at(0, 2), pattern::at(0, 3),
    pattern::kPlainEmpty + 4, pattern::at(-1, 2), pattern::at(1, 2), pattern::at(-1, 3),
        pattern::at(1, 3),
    pattern::kEnd,
};
constexpr int32_t kRemovePatternGuardedCount = 1;
