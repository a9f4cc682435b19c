#include "position/board.h"

#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "frontend.h"

RulesScratch rulesScratch[kMaxWorkers];

// ---------------------------------------------------------------------------
// Point lists
// ---------------------------------------------------------------------------

void addPoint(PointList& list, int32_t point) {
    for (int32_t i = 0; i < kListSlots; ++i) {
        if (list[i] == point) {
            return;
        }
        if (list[i] == 0) {
            list[i] = point;
            if (i + 1 < kListSlots) {
                list[i + 1] = 0;
            }
            return;
        }
    }
}

void removePoint(PointList& list, int32_t point) {
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        if (list[i] == point) {
            for (int32_t j = i; j + 1 < kListSlots; ++j) {
                list[j] = list[j + 1];
            }
            list[kListSlots - 1] = 0;
            return;
        }
    }
}

int32_t listLength(const PointList& list) {
    int32_t n = 0;
    while (n < kListSlots && list[n] != 0) {
        ++n;
    }
    return n;
}

bool listContains(const PointList& list, int32_t point) {
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        if (list[i] == point) {
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Board utilities
// ---------------------------------------------------------------------------

int32_t targetColour(const Board& board, int32_t target) {
    if (target < 0 || target >= kBoardCells) {
        return 0;
    }
    const uint8_t colour = colourOf(board[target]);
    return (colour == kBlack || colour == kWhite) ? colour : 0;
}

int32_t opponent(int32_t colour) {
    if (colour == kBlack) {
        return kWhite;
    }
    if (colour == kWhite) {
        return kBlack;
    }
    ReportFatal("macroinv error %d\n", colour);
}

void clearBoard(Board& board) {
    std::memset(board.cell, 0, sizeof board.cell);
    for (int32_t p = 0; p <= 20; ++p) {
        board[p] = kEdge;
    }
    for (int32_t p = 40; p <= 380; p += 20) {
        board[p] = kEdge;
    }
    for (int32_t p = 400; p < kBoardCells; ++p) {
        board[p] = kEdge;
    }
}

CellBits pointsHolding(const Board& board, uint8_t value) {
    CellBits bits{};
#if defined(__SSE2__) || defined(_M_X64)
    // Sixteen cells a compare, four compares to a word of bits.
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
    const auto block = [&](int32_t start) {
        const __m128i cells =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(board.cell + start));
        return uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(cells, wanted)))};
    };
    static_assert(kLastPoint / 64 == 6 && kLastPoint % 64 < 16);
    for (int32_t word = 0; word < 6; ++word) {
        const int32_t start = 64 * word;
        bits[word] = block(start) | block(start + 16) << 16 | block(start + 32) << 32 |
                     block(start + 48) << 48;
    }
    bits[6] = block(384);
#else
    for (int32_t p = 0; p <= kLastPoint; ++p) {
        if (board[p] == value) bits[p >> 6] |= uint64_t{1} << (p & 63);
    }
#endif
    bits[kFirstPoint >> 6] &= ~uint64_t{0} << (kFirstPoint & 63);
    bits[kLastPoint >> 6] &= ~uint64_t{0} >> (63 - (kLastPoint & 63));
    for (size_t w = (kLastPoint >> 6) + 1; w < bits.size(); ++w) bits[w] = 0;
    return bits;
}

void copyBoard(Board& destination, const Board& source) {
    std::memcpy(destination.cell, source.cell, sizeof destination.cell);
}

namespace {

// A plain loop over the cells, which the compiler turns into whole vector
// registers at a time. Source and destination may be the same board.
void copyMasked(Board& destination, const Board& source, uint8_t mask) {
    for (int32_t i = 0; i < kBoardCells; ++i) {
        destination.cell[i] = static_cast<uint8_t>(source.cell[i] & mask);
    }
}

}  // namespace

void copyColours(Board& destination, const Board& source) {
    copyMasked(destination, source, kColourMask);
}

void copyWithKoMarks(Board& destination, const Board& source) {
    copyMasked(destination, source, kColourMask | kKoMark);
}

void copyWithoutKoMarks(Board& destination, const Board& source) {
    copyMasked(destination, source, static_cast<uint8_t>(~kKoMark));
}

void transformBoard(int32_t symmetry, Board& destination, const Board& source) {
    copyBoard(destination, source);
    for (int32_t q = kFirstPoint; q <= kLastPoint; ++q) {
        int32_t x = q % 20;
        int32_t y = q / 20;
        if (symmetry & 4) {
            y = 20 - y;
        }
        if (symmetry & 2) {
            x = 20 - x;
        }
        if (symmetry & 1) {
            const int32_t t = x;
            x = y;
            y = t;
        }
        destination[x + 20 * y] = source[q];
    }
}

int32_t inversePoint(int32_t symmetry, int32_t imagePoint) {
    int32_t x = imagePoint % 20;
    int32_t y = imagePoint / 20;
    if (symmetry & 1) {
        const int32_t t = x;
        x = y;
        y = t;
    }
    if (symmetry & 2) {
        x = 20 - x;
    }
    if (symmetry & 4) {
        y = 20 - y;
    }
    return x + 20 * y;
}

// The walks below change each cell as they enter it, so no visited set is
// needed; they only ever step from an on-board point, whose neighbours all lie
// inside the array, and edge cells (3) match none of their tests.

void markString(Board& board, int32_t p, int32_t s) {
    if (board[p] != s) {
        return;
    }
    board[p] |= kOutsideMark;
    for (const int32_t offset : orthogonalOffsets) {
        markString(board, p + offset, s);
    }
}

void markStringFrom(Board& board, int32_t p, int32_t s) {
    board[p] |= kOutsideMark;
    for (const int32_t offset : orthogonalOffsets) {
        markString(board, p + offset, s);
    }
}

void markEmptyArea(int32_t w, Board& board, int32_t p) {
    if (board[p] != kEmpty) {
        return;
    }
    board[p] = kOutsideMark;
    rulesScratch[w].floodCount += 1;
    for (const int32_t offset : orthogonalOffsets) {
        markEmptyArea(w, board, p + offset);
    }
}

void clearOutsideAtPoints(Board& board, const PointList& list) {
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        if (board[list[i]] == kOutsideMark) {
            board[list[i]] = kEmpty;
        }
    }
}

// ---------------------------------------------------------------------------
// Rules of play
// ---------------------------------------------------------------------------

namespace {

// Depth-first search for a liberty of the string of s. Cells are read with
// their ko mark, so a marked empty point is no liberty. The points entered are
// kept as bits, which spares the working copy a mark on each of them.
struct LibertyWalk {
    const Board& board;
    uint8_t s;
    CellBits entered{};

    uint8_t cellAt(int32_t q) const { return static_cast<uint8_t>(board[q] & (kColourMask | kKoMark)); }

    // The stone at q, of the string and not yet entered. Its own empty
    // neighbours are looked at before the walk goes on through its stones: a
    // liberty beside the stone is found without walking the rest first.
    bool enter(int32_t q) {
        entered[q >> 6] |= uint64_t{1} << (q & 63);
        for (const int32_t offset : orthogonalOffsets) {
            if (cellAt(q + offset) == kEmpty) {
                return true;
            }
        }
        for (const int32_t offset : orthogonalOffsets) {
            const int32_t n = q + offset;
            if (cellAt(n) == s && (entered[n >> 6] & (uint64_t{1} << (n & 63))) == 0 && enter(n)) {
                return true;
            }
        }
        return false;
    }
};

void tumetorus(int32_t w, Board& board, int32_t q, int32_t s) {
    if (board[q] == kEmpty) {
        ReportFatal("tumetorus error pos=%d\n", q);
    }
    if (board[q] != s) {
        return;
    }
    RulesScratch& scratch = rulesScratch[w];
    board[q] = kRegionMark;  // taken
    scratch.captureRecord[scratch.capturedByMove + scratch.capturedByString] = q;
    scratch.capturedByString += 1;
    for (const int32_t offset : orthogonalOffsets) {
        tumetorus(w, board, q + offset, s);
    }
}

}  // namespace

int32_t tumedame(const Board& board, int32_t p) {
    LibertyWalk walk{board, 0};
    walk.s = walk.cellAt(p);
    if (walk.s != kBlack && walk.s != kWhite) {
        ReportFatal("tumedame error ishi=%d\n", walk.s);
    }
    return walk.enter(p) ? 1 : 0;
}

int32_t stoneWithoutLiberty(const Board& board) {
    Board colours;
    copyColours(colours, board);
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if ((colours[p] == kBlack || colours[p] == kWhite) && tumedame(colours, p) == 0) {
            return p;
        }
    }
    return 0;
}

void tumetoru(int32_t w, Board& board, int32_t p) {
    rulesScratch[w].capturedByString = 0;
    copyColours(board, board);
    const int32_t s = board[p];
    if (s != kBlack && s != kWhite) {
        ReportFatal("tumetoru error ishi=%d\n", s);
    }
    tumetorus(w, board, p, s);
    copyColours(board, board);  // taken stones (16) become empty
}

void playMove(int32_t w, Board& board, int32_t s, int32_t p) {
    RulesScratch& scratch = rulesScratch[w];
    scratch.koFlag = 0;
    // Outside marks survive every move, also on the points of captured stones
    // and on p itself. Every other mark goes. The walks below read colours
    // only; a capture clears the marks too, so the board is kept for them
    // just before the first one.
    const uint8_t playedMark = board[p] & kOutsideMark;
    board[p] = static_cast<uint8_t>(s);
    copyMasked(board, board, kColourMask | kOutsideMark);

    const int32_t t = opponent(s);
    scratch.capturedByMove = 0;
    Board kept;
    bool keptMarks = false;
    for (const int32_t offset : orthogonalOffsets) {
        const int32_t n = p + offset;
        if (colourOf(board[n]) == t && tumedame(board, n) == 0) {
            if (!keptMarks) {
                copyBoard(kept, board);
                keptMarks = true;
            }
            tumetoru(w, board, n);
            scratch.capturedByMove += scratch.capturedByString;
        }
    }

    if (scratch.capturedByMove == 1) {
        bool joined = false;
        int32_t emptyCount = 0;
        int32_t emptyPoint = 0;
        for (const int32_t offset : orthogonalOffsets) {
            if (colourOf(board[p + offset]) == s) {
                joined = true;
            }
            if (colourOf(board[p + offset]) == kEmpty) {
                emptyCount += 1;
                emptyPoint = p + offset;
            }
        }
        if (!joined && emptyCount == 1) {
            scratch.koFlag = 1;
            board[emptyPoint] = kKoMark;
        }
    }

    if (keptMarks) {
        for (int32_t i = 0; i < kBoardCells; ++i) {
            board.cell[i] = static_cast<uint8_t>(board.cell[i] | (kept.cell[i] & kOutsideMark));
        }
    }
    board[p] |= playedMark;
}

namespace {

// Whether the stone at n has an empty neighbour other than p.
bool touchesEmptyBesides(const Board& board, int32_t n, int32_t p) {
    for (const int32_t offset : orthogonalOffsets) {
        if (n + offset != p && colourOf(board[n + offset]) == kEmpty) {
            return true;
        }
    }
    return false;
}

bool holds(const CellBits& bits, int32_t q) {
    return (bits[q >> 6] & (uint64_t{1} << (q & 63))) != 0;
}

void addStones(CellBits& bits, const CellBits& stones) {
    for (size_t i = 0; i < bits.size(); ++i) {
        bits[i] |= stones[i];
    }
}

// The strings of colour s beside an enclosed point p, walked one after
// another for a liberty other than p, which counts as neither a liberty nor a
// stone of theirs. A walk stops at its first liberty, looking at a stone's own
// empty neighbours before going on; its stones are kept in `walk` and join
// `earlier` as the next walk starts. The opponent's strings are walked on
// only after a walk that found a liberty, so a walk that meets an earlier
// stone is in a string that has one: a point walled in by one string walks it
// once. A string of the mover walked without one has p as its only liberty;
// its other stones beside p are skipped (walkedBefore).
struct StringsBesidePoint {
    const Board& board;
    int32_t p;
    uint8_t s;
    CellBits earlier{};
    CellBits walk{};

    bool enter(int32_t q) {
        walk[q >> 6] |= uint64_t{1} << (q & 63);
        for (const int32_t offset : orthogonalOffsets) {
            const int32_t n = q + offset;
            if (n != p && colourOf(board[n]) == kEmpty) {
                return true;
            }
        }
        for (const int32_t offset : orthogonalOffsets) {
            const int32_t n = q + offset;
            if (n == p || colourOf(board[n]) != s || holds(walk, n)) {
                continue;
            }
            if (holds(earlier, n) || enter(n)) {
                return true;
            }
        }
        return false;
    }

    // Whether the string through n has a liberty other than p.
    bool keepsLiberty(int32_t n) {
        addStones(earlier, walk);
        walk.fill(0);
        return holds(earlier, n) || enter(n);
    }

    bool walkedBefore(int32_t n) const { return holds(earlier, n) || holds(walk, n); }
};

// Strings of either colour known to have two liberties or more, by their
// stones: a run of legality tests on one board for one side finds them once
// and reads them for every later point beside them.
struct KnownStrings {
    CellBits own;
    CellBits opponent;
};

// tumetst1 at an enclosed empty point p, with what earlier tests on the same
// board for the same side found (none when known is nullptr).
bool enclosedPointLegal(const Board& board, int32_t s, int32_t p, KnownStrings* known) {
    const int32_t o = opponent(s);
    bool ownToWalk = false;
    for (const int32_t offset : orthogonalOffsets) {
        const int32_t n = p + offset;
        if (colourOf(board[n]) == s) {
            if (touchesEmptyBesides(board, n, p) || (known != nullptr && holds(known->own, n))) {
                return true;
            }
            ownToWalk = true;
        }
    }
    if (ownToWalk) {
        StringsBesidePoint strings{board, p, static_cast<uint8_t>(s)};
        for (const int32_t offset : orthogonalOffsets) {
            const int32_t n = p + offset;
            if (colourOf(board[n]) != s || strings.walkedBefore(n)) {
                continue;
            }
            if (strings.keepsLiberty(n)) {
                // With p, that string has two liberties.
                if (known != nullptr) {
                    addStones(known->own, strings.walk);
                }
                return true;
            }
        }
    }
    // The opponent stones beside p with no other empty neighbour; only
    // their strings need a walk.
    std::array<int32_t, 4> walled;
    int32_t walledCount = 0;
    for (const int32_t offset : orthogonalOffsets) {
        const int32_t n = p + offset;
        if (colourOf(board[n]) == o && !touchesEmptyBesides(board, n, p) &&
            (known == nullptr || !holds(known->opponent, n))) {
            walled[walledCount++] = n;
        }
    }
    if (walledCount == 0) {
        return false;
    }
    StringsBesidePoint strings{board, p, static_cast<uint8_t>(o)};
    for (int32_t i = 0; i < walledCount; ++i) {
        if (!strings.keepsLiberty(walled[i])) {
            return true;
        }
        if (known != nullptr) {
            addStones(known->opponent, strings.walk);
        }
    }
    return false;
}

}  // namespace

// The rest of tumetst1: a point off the board, or an empty point whose
// neighbours are all stones or edge.
int32_t tumetst1Enclosed(const Board& board, int32_t s, int32_t p) {
    if (static_cast<uint32_t>(p) > 421u) {
        ReportFatal("tumetst1 error pos=%d\n", p);
    }
    return enclosedPointLegal(board, s, p, nullptr) ? 1 : 0;
}

int32_t countLegalMoves(const Board& board, int32_t s, const PointList& list) {
    KnownStrings known;
    bool knownCleared = false;
    int32_t count = 0;
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        const int32_t p = list[i];
        if (static_cast<uint32_t>(p) > 421u) {
            tumetst1Enclosed(board, s, p);  // fatal
        }
        if (colourOf(board[p]) != kEmpty) {
            continue;
        }
        bool legal = false;
        for (const int32_t offset : orthogonalOffsets) {
            if (colourOf(board[p + offset]) == kEmpty) {
                legal = true;
                break;
            }
        }
        if (!legal) {
            if (!knownCleared) {
                known.own.fill(0);
                known.opponent.fill(0);
                knownCleared = true;
            }
            legal = enclosedPointLegal(board, s, p, &known);
        }
        count += legal ? 1 : 0;
    }
    return count;
}

void tume_iki_utu(int32_t w, Board& board, int32_t s, int32_t p, PointList& listA,
                  PointList& listB, const PointList& sourceA, const PointList& sourceB) {
    if (tumetst1(board, s, p) == 0) {
        ReportFatal("tume_iki_utu error pos=%d\n", p);
    }
    playMove(w, board, s, p);
    listA = sourceA;
    listB = sourceB;
    const RulesScratch& scratch = rulesScratch[w];
    for (int32_t i = 0; i < scratch.capturedByMove; ++i) {
        addPoint(listA, scratch.captureRecord[i]);
        addPoint(listB, scratch.captureRecord[i]);
    }
}
