// Shape tests the search applies to a node's board and a candidate list.
#include "position/shape_tests.h"

namespace {

// Neighbours of an edge cell may lie beyond the array; no stone stands there.
bool holdsStone(const Board& board, int32_t q, uint8_t s) {
    return q >= 0 && q < kBoardCells && board[q] == s;
}

bool isListedPoint(int32_t p) { return p >= kFirstPoint && p <= kLastPoint; }

struct EdgeDirections {
    int32_t out;
    int32_t along;
};

constexpr std::array<EdgeDirections, 8> kEdgeDirections = {{
    {-20, +1}, {-20, -1}, {+1, -20}, {+1, +20},
    {+20, +1}, {+20, -1}, {-1, +20}, {-1, -20},
}};

}  // namespace

int32_t falseEyeTest(const Board& board, int32_t s, const PointList& list) {
    Board colours;
    copyColours(colours, board);
    const uint8_t own = static_cast<uint8_t>(s);
    const uint8_t other = static_cast<uint8_t>(opponent(s));
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        const int32_t p = list[i];
        if (!isListedPoint(p) || colours[p] != kEmpty) continue;

        bool enclosed = true;
        for (int32_t offset : orthogonalOffsets) {
            const uint8_t c = colours[p + offset];
            if (c == kEmpty || c == other) enclosed = false;
        }
        if (!enclosed) continue;

        int32_t spoiled = 0;
        for (int32_t offset : diagonalOffsets) {
            if (colours[p + offset] == kEdge) spoiled = 1;
        }
        for (int32_t offset : diagonalOffsets) {
            if (colours[p + offset] == other) ++spoiled;
        }
        if (spoiled < 2) continue;  // a real eye

        // A false eye matters when one of its walls is a lone stone (or the edge).
        for (int32_t offset : orthogonalOffsets) {
            const int32_t n = p + offset;
            bool joined = false;
            for (int32_t step : orthogonalOffsets) {
                if (holdsStone(colours, n + step, own)) joined = true;
            }
            if (!joined) return 1;
        }
    }
    return 0;
}

int32_t isOpenEdgePoint(const Board& board, int32_t s, int32_t p) {
    const uint8_t own = static_cast<uint8_t>(s);
    const uint8_t other = static_cast<uint8_t>(opponent(s));
    if (!isListedPoint(p)) return 0;
    for (const EdgeDirections& dir : kEdgeDirections) {
        const int32_t out = dir.out;
        const int32_t along = dir.along;
        const int32_t inward = p - out;
        if (board[p + out] != kEdge) continue;
        if (colourOf(board[p]) != kEmpty) continue;
        if (colourOf(board[inward]) != other) continue;
        if (colourOf(board[p - along]) != own) continue;
        // Each step stays in the array: a step onto an edge cell fails and ends the walk.
        bool open = true;
        for (int32_t k = 1; k <= 3 && open; ++k) {
            open = colourOf(board[p + k * along]) == kEmpty &&
                   colourOf(board[inward + k * along]) == kEmpty;
        }
        if (!open) continue;
        if (board[p + 4 * along] == kOutsideMark && board[inward + 4 * along] == kOutsideMark) {
            return 1;
        }
    }
    return 0;
}

void openEdgePreset(Board& board, int32_t s, const PointList& list) {
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        const int32_t p = list[i];
        if (isOpenEdgePoint(board, s, p) == 1) {
            board[p] = static_cast<uint8_t>(opponent(s));
        }
    }
}
