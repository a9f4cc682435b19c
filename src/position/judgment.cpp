// Static judgment of the target's group: proof of death by lack of eye space,
// proof of life by two solid eyes touching the target's string, and a rough
// score in between.
#include "position/judgment.h"

#include <bit>
#include <utility>

#include "frontend.h"
#include "position/corner_rewrites.h"

namespace {

struct alignas(64) JudgeCounter {
    std::atomic<uint32_t> count{0};
};
JudgeCounter judgeCounters[kMaxWorkers];
thread_local int32_t judgeSlot = 0;

}  // namespace

void SetJudgeCountSlot(int32_t w) { judgeSlot = w >= 0 && w < kMaxWorkers ? w : 0; }

uint32_t JudgeCount() {
    uint32_t total = 0;
    for (const JudgeCounter& counter : judgeCounters) {
        total += counter.count.load(std::memory_order_relaxed);
    }
    return total;
}

void ResetJudgeCount() {
    for (JudgeCounter& counter : judgeCounters) {
        counter.count.store(0, std::memory_order_relaxed);
    }
}

namespace {

constexpr uint8_t kColourAndOutside = kColourMask | kOutsideMark;  // 71

bool anyDiagonalIsEdge(const Board& board, int32_t p) {
    for (int32_t offset : diagonalOffsets) {
        if (board[p + offset] == kEdge) return true;
    }
    return false;
}

// The walk of tumejudgesini2: removes the string of a through p (value 64)
// and gives every plain empty neighbour to the defender d.
void removeDeadString(Board& board, int32_t p, uint8_t a, uint8_t d) {
    board[p] = kOutsideMark;
    for (int32_t offset : orthogonalOffsets) {
        const int32_t n = p + offset;
        if (board[n] == a) removeDeadString(board, n, a, d);
        if ((board[n] & kColourAndOutside) == 0) board[n] = d;
    }
}

int32_t emptyNeighbourCount(const Board& board, int32_t p) {
    int32_t count = 0;
    for (int32_t offset : orthogonalOffsets) {
        if (colourOf(board[p + offset]) == kEmpty) ++count;
    }
    return count;
}

// One pass of linkEdgeDiagonals: a first-line attacker stone becomes safe
// through a safe second-line stone diagonally next to it when both points
// between them are empty.
struct EdgeLinkPass {
    int32_t first;
    int32_t last;
    int32_t step;
    int32_t diagonal1, between1a, between1b;
    int32_t diagonal2, between2a, between2b;
};

constexpr std::array<EdgeLinkPass, 4> kEdgeLinkPasses = {{
    {21, 39, 1, +19, -1, +20, +21, +1, +20},       // top row
    {381, 399, 1, -19, +1, -20, -21, -1, -20},     // bottom row
    {21, 381, 20, -19, +1, -20, +21, +1, +20},     // left column
    {39, 399, 20, +19, -1, +20, -21, -1, -20},     // right column
}};

// The points each pass visits, as bits.
constexpr std::array<CellBits, 4> kEdgeLinkPoints = [] {
    std::array<CellBits, 4> points{};
    for (size_t k = 0; k < kEdgeLinkPasses.size(); ++k) {
        const EdgeLinkPass& pass = kEdgeLinkPasses[k];
        for (int32_t p = pass.first; p <= pass.last; p += pass.step) {
            points[k][p >> 6] |= uint64_t{1} << (p & 63);
        }
    }
    return points;
}();

// linkEdgeDiagonals, given the attacker's stones as found before it. Only
// those stones are looked at, each pass in its own order; a mark set by one
// pass takes that stone out of the later ones.
void linkEdgeDiagonalsOf(Board& board, uint8_t a, const CellBits& stones) {
    const uint8_t safe = static_cast<uint8_t>(a + kOutsideMark);
    for (size_t k = 0; k < kEdgeLinkPasses.size(); ++k) {
        const EdgeLinkPass& pass = kEdgeLinkPasses[k];
        const int32_t lastWord = pass.last >> 6;
        for (int32_t word = pass.first >> 6; word <= lastWord; ++word) {
            for (uint64_t bits = stones[word] & kEdgeLinkPoints[k][word]; bits != 0;
                 bits &= bits - 1) {
                const int32_t p = word * 64 + std::countr_zero(bits);
                if (board[p] != a) continue;
                if (board[p + pass.diagonal1] == safe &&
                    colourOf(board[p + pass.between1a]) == 0 &&
                    colourOf(board[p + pass.between1b]) == 0) {
                    board[p] |= kOutsideMark;
                }
                if (board[p + pass.diagonal2] == safe &&
                    colourOf(board[p + pass.between2a]) == 0 &&
                    colourOf(board[p + pass.between2b]) == 0) {
                    board[p] |= kOutsideMark;
                }
            }
        }
    }
}

// tumejudgesini2 for a valid attacker, given its stones as found before.
// Removing a string only turns cells into 64 or the defender, never into the
// attacker, so those stones, taken in board order and skipped once they are no
// longer plain attacker stones, are the strings' first points.
void removeDeadStringsOf(Board& board, uint8_t a, const CellBits& stones) {
    const auto d = static_cast<uint8_t>(opponent(a));
    for (size_t word = 0; word < stones.size(); ++word) {
        for (uint64_t bits = stones[word]; bits != 0; bits &= bits - 1) {
            const int32_t p = static_cast<int32_t>(word * 64) + std::countr_zero(bits);
            if (board[p] == a) removeDeadString(board, p, a, d);
        }
    }
}

// Points with few empty neighbours move toward the front: for each slot i in
// turn, every later few-neighbour point is swapped into slot i, in order.
// Worked through, those swaps come to this: the k few-neighbour points fill
// the first k slots in the reverse of their order, and each other point in
// the first k slots moves, slot by slot, to the first few-neighbour slot after
// it that has not yet been filled or passed.
void frontPointsWithFewEmptyNeighbours(const Board& board, int32_t* list, int32_t count) {
    std::array<uint64_t, 2> bits{};
    std::array<int32_t, 128> few;
    int32_t k = 0;
    for (int32_t j = 0; j < count; ++j) {
        if (emptyNeighbourCount(board, list[j]) < 2) {
            bits[j >> 6] |= uint64_t{1} << (j & 63);
            few[k++] = list[j];
        }
    }
    for (int32_t i = 0; i < k; ++i) {
        const uint64_t bit = uint64_t{1} << (i & 63);
        if (bits[i >> 6] & bit) {
            bits[i >> 6] &= ~bit;
            continue;
        }
        // Every slot below i is passed, so the lowest bit left is the next
        // few-neighbour slot after i; k - i of them are left.
        const int32_t word = bits[0] != 0 ? 0 : 1;
        const int32_t f = word * 64 + std::countr_zero(bits[word]);
        bits[word] &= bits[word] - 1;
        list[f] = list[i];
    }
    for (int32_t i = 0; i < k; ++i) list[i] = few[k - 1 - i];
}

}  // namespace

int32_t judgePosition(const Board& board, int32_t target, const PointList& list) {
    judgeCounters[judgeSlot].count.fetch_add(1, std::memory_order_relaxed);

    // No stone at the target (also an index outside the array): it was captured.
    const uint8_t d = static_cast<uint8_t>(targetColour(board, target));
    if (d == 0) return kJudgedDead;
    const uint8_t a = static_cast<uint8_t>(opponent(d));

    Board t1;
    copyBoard(t1, board);
    rewriteCornerShapes(t1, d);

    const int32_t eyeSpace = countEyeSpace(t1, d);
    if (eyeSpace == kJudgedDead) return kJudgedDead;

    // Empty candidate points, then those enclosed by the defender alone.
    std::array<int32_t, kListSlots> enclosed;  // the first enclosedCount slots
    int32_t enclosedCount = 0;
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        const int32_t e = list[i];
        if (colourOf(t1[e]) != kEmpty) continue;
        bool byDefender = true;
        for (int32_t offset : orthogonalOffsets) {
            const uint8_t c = colourOf(t1[e + offset]);
            if (c != d && c != kEdge) {
                byDefender = false;
                break;
            }
        }
        if (byDefender) enclosed[enclosedCount++] = e;
    }

    if (enclosedCount == 0) return eyeSpace;

    // The target's string carries the outside mark on t2.
    Board t2;
    copyColours(t2, t1);
    if (t2[target] == d) markStringFrom(t2, target, d);

    // The diagonals are read by their colours (tumetst1 reads colours too).
    int32_t score = eyeSpace;
    int32_t touching = 0;
    for (int32_t i = 0; i < enclosedCount; ++i) {
        const int32_t f = enclosed[i];
        int32_t q = anyDiagonalIsEdge(t1, f) ? 2 : 0;
        for (int32_t offset : diagonalOffsets) {
            const int32_t g = f + offset;
            const uint8_t colour = colourOf(t1[g]);
            if (colour == a) {
                q += 2;
            } else if (colour == kEmpty && tumetst1(t1, a, g) == 1) {
                q += 1;
            }
        }
        if (q <= 2) {
            score += 30;
            bool touchesTarget = false;
            for (int32_t offset : orthogonalOffsets) {
                if (t2[f + offset] & kOutsideMark) touchesTarget = true;
            }
            if (touchesTarget && ++touching == 2) return kJudgedAlive;
        } else if (q == 3) {
            score += 20;
        } else if (q == 4) {
            score += 10;
        }
    }
    return score;
}

void rewriteCornerShapes(Board& board, int32_t defender) {
    const uint8_t d = static_cast<uint8_t>(defender);
    const uint8_t a = static_cast<uint8_t>(opponent(defender));
    // Every rule looks at the colours before any rewrite. Until a rule
    // matches, the board still holds them; the copy is made only then.
    Board before;
    const Board* colours = &board;
    for (const CornerRewrite& rule : cornerRewrites) {
        const Board& look = *colours;
        bool matches = true;
        for (int32_t p : rule.attacker) matches = matches && colourOf(look[p]) == a;
        for (int32_t p : rule.empty) matches = matches && colourOf(look[p]) == kEmpty;
        for (int32_t p : rule.defender) matches = matches && colourOf(look[p]) == d;
        if (!matches) continue;
        if (colours == &board) {
            copyColours(before, board);
            colours = &before;
        }
        for (int32_t p : rule.toEmpty) board[p] = kEmpty;
        for (int32_t p : rule.toDefender) board[p] = d;
    }
}

int32_t countEyeSpace(const Board& board, int32_t defender) {
    const uint8_t d = static_cast<uint8_t>(defender);
    const int32_t attacker = opponent(defender);

    // The outside marks of the board come along: they keep safe stones safe.
    Board work;
    copyBoard(work, board);
    const auto a = static_cast<uint8_t>(attacker);
    const CellBits attackerStones = pointsHolding(work, a);
    linkEdgeDiagonalsOf(work, a, attackerStones);
    removeDeadStringsOf(work, a, attackerStones);
    copyColours(work, work);

    // The defender's empty neighbours are the candidate eye points. Marking
    // them never makes a defender stone, so the stones are found once. The plain
    // colours left no other cell at 64, so the marked cells are exactly the
    // bits set here, and they are listed in board order as a scan would.
    CellBits markedBits{};
    const CellBits stones = pointsHolding(work, d);
    for (size_t word = 0; word < stones.size(); ++word) {
        for (uint64_t bits = stones[word]; bits != 0; bits &= bits - 1) {
            const int32_t p = static_cast<int32_t>(word * 64) + std::countr_zero(bits);
            for (int32_t offset : orthogonalOffsets) {
                const int32_t n = p + offset;
                if (work[n] == kEmpty) {
                    work[n] = kOutsideMark;
                    markedBits[n >> 6] |= uint64_t{1} << (n & 63);
                }
            }
        }
    }
    // Only the first count slots are used, so the list is not cleared first.
    std::array<int32_t, kListSlots> marked;
    int32_t count = 0;
    for (int32_t word = 0; word < static_cast<int32_t>(markedBits.size()); ++word) {
        for (uint64_t bits = markedBits[word]; bits != 0 && count < kListSlots; bits &= bits - 1) {
            marked[count++] = word * 64 + std::countr_zero(bits);
        }
    }
    frontPointsWithFewEmptyNeighbours(work, marked.data(), count);
    int32_t eyes = 0;
    for (int32_t i = 0; i < count; ++i) {
        eyes += isEyePoint(work, marked[i], defender);
    }
    return eyes >= 2 ? 3 * eyes : kJudgedDead;
}

void linkEdgeDiagonals(Board& board, int32_t attacker) {
    const auto a = static_cast<uint8_t>(attacker);
    linkEdgeDiagonalsOf(board, a, pointsHolding(board, a));
}

void tumejudgesini2(Board& board, int32_t attacker) {
    if (attacker < 0 || attacker > 255) return;  // no cell holds such a value
    const auto a = static_cast<uint8_t>(attacker);
    const CellBits stones = pointsHolding(board, a);
    if (attacker != kBlack && attacker != kWhite) {
        for (const uint64_t word : stones) {
            if (word != 0) ReportFatal("tumejudgesini2 error ishi=%d\n", attacker);
        }
        return;
    }
    removeDeadStringsOf(board, a, stones);
}

void collectMarkedPoints(const Board& board, PointList& list) {
    list = PointList{};
    int32_t count = 0;
    for (int32_t start = kFirstScanWord; start <= kLastPoint && count < kListSlots; start += 8) {
        uint64_t hits = bytesEqual(loadWord(board, start), kOutsideMark) & pointRangeBytes(start);
        while (hits != 0 && count < kListSlots) {
            list[count++] = start + lowestByte(hits);
            hits &= hits - 1;
        }
    }
    frontPointsWithFewEmptyNeighbours(board, list.p.data(), count);
}

int32_t isEyePoint(Board& board, int32_t m, int32_t defender) {
    const uint8_t d = static_cast<uint8_t>(defender);
    const uint8_t a = static_cast<uint8_t>(opponent(defender));
    for (int32_t offset : orthogonalOffsets) {
        if (colourOf(board[m + offset]) == a) return 0;
    }
    int32_t spoiled = anyDiagonalIsEdge(board, m) ? 1 : 0;
    for (int32_t offset : diagonalOffsets) {
        if (colourOf(board[m + offset]) == a) ++spoiled;
    }
    if (spoiled >= 2) return 0;
    for (int32_t offset : orthogonalOffsets) {
        if (colourOf(board[m + offset]) == kEmpty) board[m + offset] = d;
    }
    return 1;
}
