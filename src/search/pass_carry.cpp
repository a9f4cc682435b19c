#include "search/pass_carry.h"

#include <algorithm>
#include <array>
#include <atomic>

#include "position/board.h"
#include "search/keys.h"
#include "search/node_search.h"
#include "search/node_table.h"
#include "search/solve.h"

namespace {

// How many records from the top of each worker's line are marked already: a
// record marked while on the line has every record above it marked too.
std::array<int32_t, kMaxWorkers> markedDepth{};
NodeRecord* lineRecords[kMaxWorkers][kMaxDepth];

}  // namespace

void NoteLineDepth(int32_t w, int32_t depth) {
    lineRecords[w][depth] = nullptr;
    markedDepth[w] = std::min(markedDepth[w], depth);
}

void NoteLineRecord(int32_t w, int32_t depth, NodeRecord* record) {
    lineRecords[w][depth] = record;
}

void MarkLineDependent(int32_t w, int32_t depth) {
    for (int32_t d = markedDepth[w]; d <= depth; ++d) {
        if (lineRecords[w][d] != nullptr) {
            std::atomic_ref<uint16_t>(lineRecords[w][d]->side)
                .fetch_or(kDependsOnRestraint, std::memory_order_relaxed);
        }
    }
    markedDepth[w] = std::max(markedDepth[w], depth + 1);
}

bool DependsOnRestraint(NodeRecord* record) {
    return (loadNumber(record->side) & kDependsOnRestraint) != 0;
}

namespace {

bool HoldsUnderEitherRestraint(NodeRecord* record) {
    const bool resolved = record->pn == 0 || record->dn == 0;
    return record->busy == kRecordFree && resolved && !DependsOnRestraint(record);
}

// What the table holds between two solves, when the last one kept it.
struct KeptTable {
    bool valid = false;
    int32_t target = 0;
    PointList region{};
    int32_t restraint = 0;
    std::array<uint64_t, kBoardCells> black{};
    std::array<uint64_t, kBoardCells> white{};
};
KeptTable keptTable;

}  // namespace

void CarryResolvedRecords(int32_t fromRestraint, int32_t toRestraint) {
    // Keys are sums, so only the restraint's part changes.
    KeepRecords(HoldsUnderEitherRestraint,
                TurnKey(kBlack, toRestraint) - TurnKey(kBlack, fromRestraint));
}

void KeepTableForNextSolve(int32_t target, const PointList& region, int32_t restraint) {
    keptTable.valid = true;
    keptTable.target = target;
    keptTable.region = region;
    keptTable.restraint = restraint;
    keptTable.black = blackKeys;
    keptTable.white = whiteKeys;
}

namespace {

// The points of a list, as a set.
std::array<bool, kBoardCells> PointsOf(const PointList& list) {
    std::array<bool, kBoardCells> in{};
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        in[static_cast<size_t>(list[i])] = true;
    }
    return in;
}

// The region of the play-out's next position is the last one's points that
// are still empty (the order may differ): the moves searched from it are
// among those the last solve searched there.
bool SameRegionPlayedOn(const Board& board, const PointList& last, const PointList& region) {
    std::array<bool, kBoardCells> still = PointsOf(last);
    for (int32_t p = 0; p < kBoardCells; ++p) {
        still[static_cast<size_t>(p)] = still[static_cast<size_t>(p)] && colourOf(board[p]) == kEmpty;
    }
    return still == PointsOf(region);
}

}  // namespace

void StartFromKeptTable(bool reuse, const Board& board, int32_t target, const PointList& region,
                        int32_t restraint) {
    const bool same = keptTable.valid && keptTable.target == target &&
                      SameRegionPlayedOn(board, keptTable.region, region) &&
                      keptTable.black == blackKeys && keptTable.white == whiteKeys;
    const int32_t from = keptTable.restraint;
    keptTable.valid = false;
    if (reuse && same) {
        CarryResolvedRecords(from, restraint);
    } else {
        ClearNodeTable(0);
    }
}
