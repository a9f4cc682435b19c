// The search region: where the solver may play, derived from the position
// around the target stone. Every step appends to the region in the order it
// finds points, so the order of the loops below is the order of the region.
#include "position/region.h"

#include <array>

#include "position/patterns.h"

namespace {

// An empty corner area larger than this is the open part of the board.
constexpr int32_t kOpenAreaPoints = 50;
// A point touching the outside with a lower diagonal score belongs to the attacker.
constexpr int32_t kEnclosedScore = 4;

bool isPlainStone(uint8_t cell) { return cell == kBlack || cell == kWhite; }

// The first-line points of one side of the board, walked from `first` to
// `last`, with the offsets from such a point to its inward neighbour and to
// its two neighbours along the edge (in the order they are tried).
struct EdgeLine {
    int32_t first;
    int32_t last;
    int32_t step;
    int32_t inward;
    std::array<int32_t, 2> along;
};

// Top row, bottom row, left column, right column. The two walks try the
// along-edge directions in different orders: these for addEdgeCornerPoints,
// the next for extendAlongEdges.
constexpr std::array<EdgeLine, 4> kCornerTestLines = {{
    {pointAt(1, 1), pointAt(19, 1), 1, +20, {-1, +1}},
    {pointAt(1, 19), pointAt(19, 19), 1, -20, {+1, -1}},
    {pointAt(1, 1), pointAt(1, 19), 20, +1, {-20, +20}},
    {pointAt(19, 1), pointAt(19, 19), 20, -1, {+20, -20}},
}};

constexpr std::array<EdgeLine, 4> kExtensionLines = {{
    {pointAt(1, 1), pointAt(19, 1), 1, +20, {+1, -1}},
    {pointAt(1, 19), pointAt(19, 19), 1, -20, {+1, -1}},
    {pointAt(1, 1), pointAt(1, 19), 20, +1, {-20, +20}},
    {pointAt(19, 1), pointAt(19, 19), 20, -1, {-20, +20}},
}};

// Prune step of the seed: keep only points that touch a defender stone or the edge.
void pruneSeed(const Board& board, int32_t defender, PointList& region) {
    int32_t i = 0;
    while (i < kListSlots && region[i] != 0) {
        const int32_t p = region[i];
        bool keep = false;
        for (int32_t off : orthogonalOffsets) {
            const uint8_t n = board[p + off];
            if (n == kEdge || n == defender) keep = true;
        }
        if (keep) {
            ++i;
        } else {
            removePoint(region, p);  // the next entry moves into slot i
        }
    }
}

// Edge margins: a listed point on the second or third line pulls in the plain
// empty points between it and the edge. Sides in the order left, right, top,
// bottom; all second-line scans before the third-line ones.
void edgeMarginScans(const Board& board, PointList& region) {
    auto emptyAt = [&](int32_t p) { return board[p] == kEmpty; };
    for (int32_t y = 2; y <= 18; ++y)
        if (listContains(region, pointAt(2, y)) && emptyAt(pointAt(1, y)))
            addPoint(region, pointAt(1, y));
    for (int32_t y = 2; y <= 18; ++y)
        if (listContains(region, pointAt(18, y)) && emptyAt(pointAt(19, y)))
            addPoint(region, pointAt(19, y));
    for (int32_t x = 2; x <= 18; ++x)
        if (listContains(region, pointAt(x, 2)) && emptyAt(pointAt(x, 1)))
            addPoint(region, pointAt(x, 1));
    for (int32_t x = 2; x <= 18; ++x)
        if (listContains(region, pointAt(x, 18)) && emptyAt(pointAt(x, 19)))
            addPoint(region, pointAt(x, 19));
    // A listed `inner` point over two empty lines: the first line goes in first.
    auto twoLines = [&](int32_t inner, int32_t middle, int32_t outer) {
        if (listContains(region, inner) && emptyAt(middle) && emptyAt(outer)) {
            addPoint(region, outer);
            addPoint(region, middle);
        }
    };
    for (int32_t y = 2; y <= 18; ++y) twoLines(pointAt(3, y), pointAt(2, y), pointAt(1, y));
    for (int32_t y = 2; y <= 18; ++y) twoLines(pointAt(17, y), pointAt(18, y), pointAt(19, y));
    for (int32_t x = 2; x <= 18; ++x) twoLines(pointAt(x, 3), pointAt(x, 2), pointAt(x, 1));
    for (int32_t x = 2; x <= 18; ++x) twoLines(pointAt(x, 17), pointAt(x, 18), pointAt(x, 19));
}

void cornerPoints(const Board& board, PointList& region) {
    struct Corner {
        int32_t corner, a, b;
    };
    constexpr std::array<Corner, 4> corners = {{
        {pointAt(1, 1), pointAt(1, 2), pointAt(2, 1)},
        {pointAt(19, 1), pointAt(18, 1), pointAt(19, 2)},
        {pointAt(1, 19), pointAt(1, 18), pointAt(2, 19)},
        {pointAt(19, 19), pointAt(19, 18), pointAt(18, 19)},
    }};
    for (const Corner& c : corners) {
        if (listContains(region, c.a) && listContains(region, c.b) &&
            board[c.corner] == kEmpty)
            addPoint(region, c.corner);
    }
}

template <typename Visit>
void forEachFirstLinePoint(const std::array<EdgeLine, 4>& lines, Visit visit) {
    for (const EdgeLine& line : lines)
        for (int32_t p = line.first; p <= line.last; p += line.step) visit(line, p);
}

}  // namespace

void seedRegion(const Board& board, int32_t target, PointList& region) {
    region.p.fill(0);
    const int32_t d = targetColour(board, target);
    if (d == 0) return;

    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (board[p] != d) continue;
        for (int32_t off : surroundOffsets)
            if (board[p + off] == kEmpty) addPoint(region, p + off);
    }
    pruneSeed(board, d, region);
    edgeMarginScans(board, region);
    cornerPoints(board, region);
}

void markOpenCorner(int32_t w, Board& board) {
    constexpr std::array<int32_t, 4> corners = {pointAt(1, 1), pointAt(19, 1), pointAt(1, 19),
                                                pointAt(19, 19)};
    int32_t& count = rulesScratch[w].floodCount;
    for (int32_t corner : corners) {
        Board flooded;
        copyBoard(flooded, board);
        count = 0;
        if (flooded[corner] == kEmpty) {
            flooded[corner] = kOutsideMark;
            count = 1;
            for (int32_t off : orthogonalOffsets) markEmptyArea(w, flooded, corner + off);
        }
        if (count > kOpenAreaPoints) {
            copyBoard(board, flooded);
            return;
        }
    }
}

void markOutside(int32_t w, Board& board, const PointList& region) {
    markOpenCorner(w, board);
    clearOutsideAtPoints(board, region);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        const uint8_t cell = board[p];
        if (!isPlainStone(cell)) continue;
        for (int32_t off : orthogonalOffsets) {
            if (board[p + off] == kOutsideMark) {
                markStringFrom(board, p, cell);
                break;
            }
        }
    }
}

void settleEnclosedPoints(Board& board, int32_t attacker, PointList& region) {
    const int32_t defender = opponent(attacker);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (board[p] != kEmpty) continue;

        bool allPass = true;
        bool touchesOutside = false;
        for (int32_t off : orthogonalOffsets) {
            const uint8_t n = board[p + off];
            if (n & kOutsideMark) {
                touchesOutside = true;
            } else if (colourOf(n) == attacker || n == kEdge) {
                // passes
            } else {
                allPass = false;
                break;
            }
        }
        if (allPass && touchesOutside) {
            int32_t score = 0;
            for (int32_t off : diagonalOffsets)
                if (board[p + off] == kEdge) score = 2;
            for (int32_t off : diagonalOffsets)
                if (board[p + off] == defender) score += 2;
            if (score < kEnclosedScore) board[p] = kOutsideMark;
        }
        if (board[p] == kEmpty) {
            board[p] = kRegionMark;
            addPoint(region, p);
        }
    }
}

void addCuttingPoints(const Board& board, PointList& region) {
    struct Cut {
        int32_t q, flank1, flank2, qFlank1, qFlank2;
    };
    // up, down, right, left
    constexpr std::array<Cut, 4> cuts = {{
        {-20, -1, +1, -21, -19},
        {+20, -1, +1, +21, +19},
        {+1, -20, +20, -19, +21},
        {-1, -20, +20, -21, +19},
    }};
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (board[p] != kRegionMark) continue;
        for (const Cut& c : cuts) {
            const int32_t q = p + c.q;
            if (board[q] != kEmpty) continue;
            const uint8_t s = board[p + c.flank1];
            if (!isPlainStone(s) || board[p + c.flank2] != s) continue;
            const int32_t t = opponent(s);
            if (board[p + c.qFlank1] == t && board[p + c.qFlank2] == t) addPoint(region, q);
        }
    }
}

void addSandwichedPoints(const Board& board, PointList& region) {
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (board[p] != kEmpty) continue;
        if (board[p - 1] == kRegionMark && board[p + 1] == kRegionMark)
            addPoint(region, p);
        if (board[p - 20] == kRegionMark && board[p + 20] == kRegionMark)
            addPoint(region, p);
    }
}

void addEdgeCornerPoints(const Board& board, PointList& region) {
    forEachFirstLinePoint(kCornerTestLines, [&](const EdgeLine& line, int32_t p) {
        for (int32_t m : line.along) {
            const int32_t i = line.inward;
            const int32_t g = m + i;
            if (board[p] == kEmpty && isPlainStone(board[p + m]) && isPlainStone(board[p + i]) &&
                board[p + g] == kRegionMark)
                addPoint(region, p);
        }
    });
}

void extendAlongEdges(const Board& board, PointList& region) {
    forEachFirstLinePoint(kExtensionLines, [&](const EdgeLine& line, int32_t p) {
        if (board[p] != kRegionMark || board[p + line.inward] != kRegionMark) return;
        for (int32_t m : line.along) {
            if (board[p + m] != kEmpty) continue;
            addPoint(region, p + m);
            const int32_t j = p + m + line.inward;
            if (board[j] == kEmpty) addPoint(region, j);
        }
    });
}

void setUpSearchRegion(int32_t w, const Board& board, int32_t target, PointList& region) {
    seedRegion(board, target, region);
    if (targetColour(board, target) == 0) return;  // no target stone: the region stays empty

    removeByPatterns(board, target, region);

    Board scratch;
    copyColours(scratch, board);
    const int32_t attacker = opponent(scratch[target]);
    for (int32_t i = 0; i < kListSlots && region[i] != 0; ++i)
        scratch[region[i]] = kRegionMark;

    markOutside(w, scratch, region);
    settleEnclosedPoints(scratch, attacker, region);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p)
        scratch[p] = static_cast<uint8_t>(scratch[p] & ~kOutsideMark);

    addCuttingPoints(scratch, region);
    addSandwichedPoints(scratch, region);
    addEdgeCornerPoints(scratch, region);
    extendAlongEdges(scratch, region);
    addByPatterns(scratch, target, region);
}
