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

// A kept record is a full one; its entries end with the closing pass entry.
int32_t EntryCount(NodeRecord* record) {
    int32_t entries = 1;
    for (ChildEntry* child = record->children(); child->move != 0; ++child) {
        ++entries;
    }
    return entries;
}

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

void CarryResolvedRecords(int32_t fromRestraint, int32_t toRestraint) {
    // Keys are sums, so only the restraint's part changes.
    const uint64_t shift = TurnKey(kBlack, toRestraint) - TurnKey(kBlack, fromRestraint);
    NodeRecord* kept = nullptr;
    for (NodeRecord* record = DetachAllRecords(); record != nullptr;) {
        NodeRecord* next = record->next;
        const bool resolved = record->pn == 0 || record->dn == 0;
        if (record->busy == kRecordFree && resolved && !DependsOnRestraint(record)) {
            record->next = kept;
            kept = record;
        }
        record = next;
    }
    // The dropped records stay in their blocks until the solve's last clear.
    uint64_t bytes = 0;
    while (kept != nullptr) {
        NodeRecord* next = kept->next;
        kept->key += shift;
        PushRecord(kept);
        bytes += CountedRecordBytes(RecordKind::Full, EntryCount(kept));
        kept = next;
    }
    memoryUsed.store(bytes, std::memory_order_relaxed);
}
