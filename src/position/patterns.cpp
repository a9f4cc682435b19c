// Shape patterns that refine the search region: the interpreter kyua20 and the
// adding and removal passes, each run in all eight orientations of the board.
#include "position/patterns.h"

#include <array>

#include "frontend.h"
#include "position/pattern_tables.h"

namespace {

constexpr bool inArray(int32_t p) { return p >= 0 && p < kBoardCells; }

// Where each record of a table starts, found by walking its programs.
template <int32_t Count, int32_t Size>
constexpr std::array<int32_t, Count> recordStarts(const int32_t (&table)[Size]) {
    std::array<int32_t, Count> starts{};
    int32_t i = 0;
    for (int32_t r = 0; r < Count; ++r) {
        starts[r] = i;
        i += pattern::kHeadWords;
        while (table[i] != pattern::kEnd) i += 1 + table[i] % 100;
        ++i;
    }
    return starts;
}

template <int32_t Count, int32_t Size>
constexpr bool tableEndsAfter(const int32_t (&table)[Size]) {
    const auto starts = recordStarts<Count>(table);
    int32_t i = starts[Count - 1] + pattern::kHeadWords;
    while (table[i] != pattern::kEnd) i += 1 + table[i] % 100;
    return i + 1 == Size;
}

constexpr auto kAddStarts = recordStarts<kAddPatternCount>(addPatterns);
constexpr auto kRemoveStarts = recordStarts<kRemovePatternCount>(removePatterns);
constexpr auto kGuardedStarts = recordStarts<kRemovePatternGuardedCount>(removePatternsGuarded);
static_assert(tableEndsAfter<kAddPatternCount>(addPatterns));
static_assert(tableEndsAfter<kRemovePatternCount>(removePatterns));
static_assert(tableEndsAfter<kRemovePatternGuardedCount>(removePatternsGuarded));

// Cells looked at around a removal match, beyond the pattern itself.
constexpr int32_t kBesideColumn = pattern::at(-2, 1);  // attacker or plain empty
constexpr int32_t kLeftOfOrigin = pattern::at(-1, 0);
constexpr int32_t kUpperRight = pattern::at(2, -1);
constexpr int32_t kRightOfOrigin = pattern::at(1, 0);
constexpr int32_t kLowerRight = pattern::at(2, 1);

// The cell at p, or an edge for an index outside the board array.
uint8_t cellAt(const Board& board, int32_t p) { return inArray(p) ? board[p] : kEdge; }

void removeMatchedPoints(PointList& list, int32_t symmetry, int32_t origin, const int32_t* record) {
    removePoint(list, inversePoint(symmetry, origin + record[0]));
    removePoint(list, inversePoint(symmetry, origin + record[1]));
}

}  // namespace

int32_t kyua20(const Board& board, int32_t origin, int32_t own, const int32_t* program) {
    const int32_t opp = opponent(own);
    for (;;) {
        const int32_t word = *program++;
        const int32_t type = word / 100 * 100;
        const int32_t n = word % 100;
        if (type == pattern::kEnd) return 1;
        switch (type) {
            case pattern::kPlainEmpty:
            case pattern::kEmptyColour:
            case pattern::kOwn:
            case pattern::kOpponent:
            case pattern::kEdgeCell:
            case pattern::kOutsidePoint:
                break;
            default:
                ReportFatal("kyua20 error type=%d\n", type);
        }
        for (int32_t k = 0; k < n; ++k) {
            const int32_t q = origin + program[k];
            if (!inArray(q)) return 0;
            const uint8_t cell = board[q];
            bool pass = false;
            switch (type) {
                case pattern::kPlainEmpty: pass = cell == kEmpty; break;
                case pattern::kEmptyColour: pass = colourOf(cell) == kEmpty; break;
                case pattern::kOwn: pass = colourOf(cell) == own; break;
                case pattern::kOpponent: pass = colourOf(cell) == opp; break;
                case pattern::kEdgeCell: pass = colourOf(cell) == kEdge; break;
                case pattern::kOutsidePoint: pass = cell == kOutsideMark; break;
            }
            if (!pass) return 0;
        }
        program += n;
    }
}

void removeByPatterns(const Board& board, int32_t target, PointList& list) {
    // Region points read exactly 64 on the pattern board; the marks stay as
    // they were at the start even while points are removed.
    Board marked;
    copyColours(marked, board);
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i)
        if (inArray(list[i])) marked[list[i]] |= kOutsideMark;

    const int32_t defender = targetColour(marked, target);
    const int32_t attacker = opponent(defender);  // no stone at the target is a broken invariant

    Board image;
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry) {
        transformBoard(symmetry, image, marked);
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            for (int32_t start : kRemoveStarts) {
                const int32_t* record = removePatterns + start;
                if (!kyua20(image, p, defender, record + pattern::kHeadWords)) continue;
                const uint8_t beside = cellAt(image, p + kBesideColumn);
                if (beside == attacker || beside == kEmpty)
                    removeMatchedPoints(list, symmetry, p, record);
            }
            for (int32_t start : kGuardedStarts) {
                const int32_t* record = removePatternsGuarded + start;
                if (!kyua20(image, p, defender, record + pattern::kHeadWords)) continue;
                // A side without attacker stones is opened up for later origins
                // of this orientation instead of removing.
                const int32_t upperRight = p + kUpperRight;
                const int32_t lowerRight = p + kLowerRight;
                if (cellAt(image, p + kLeftOfOrigin) != attacker &&
                    cellAt(image, upperRight) != attacker) {
                    if (inArray(upperRight)) image[upperRight] = kEmpty;
                } else if (cellAt(image, p + kRightOfOrigin) != attacker &&
                           cellAt(image, lowerRight) != attacker) {
                    if (inArray(lowerRight)) image[lowerRight] = kEmpty;
                } else {
                    removeMatchedPoints(list, symmetry, p, record);
                }
            }
        }
    }
}

void addByPatterns(const Board& board, int32_t target, PointList& region) {
    const int32_t defender = targetColour(board, target);
    opponent(defender);  // a target without a stone is a broken invariant

    Board image;
    for (int32_t symmetry = 0; symmetry < 8; ++symmetry) {
        transformBoard(symmetry, image, board);
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            for (int32_t start : kAddStarts) {
                const int32_t* record = addPatterns + start;
                if (!kyua20(image, p, defender, record + pattern::kHeadWords)) continue;
                for (int32_t k = 0; k < 4; ++k)
                    addPoint(region, inversePoint(symmetry, p + record[k]));
            }
        }
    }
}
