#include "search/node_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frontend.h"
#include "search/system_memory.h"

alignas(kLargePageBytes) NodeRecord* nodeTable[kBucketCount];
std::atomic<uint8_t> groupDoublings[kTableLockCount];
std::atomic<uint64_t> memoryUsed{0};
std::atomic<uint64_t> recordByteLimit{0};

namespace {

// Before any head is written, so that the heads' pages come large.
const bool headsAdvised = (AdviseLargePages(nodeTable, sizeof nodeTable), true);

// Records are carved from large blocks and released all at once by
// ClearNodeTable, which is far cheaper than one malloc per position.
// A block starts on a large page's boundary, so that a small solve's
// records take one page fault per 2 MB; `allocation` is what malloc gave.
struct ArenaBlock {
    ArenaBlock* previous;
    void* allocation;
    size_t used;
    size_t size;
};

constexpr size_t kBlockBytes = size_t{16} << 20;
constexpr size_t kRecordAlign = alignof(NodeRecord);

// One worker's blocks and released placeholders, a cache line of its own.
struct alignas(64) WorkerArena {
    ArenaBlock* currentBlock = nullptr;
    // Released placeholders, reused for the next placeholder (same size).
    NodeRecord* freePlaceholders = nullptr;
};
WorkerArena arenas[kMaxWorkers];

// The chain heads in pages of 4 KB, each with a flag saying whether any of
// its heads may be set. A clear wipes only the flagged pages: wiping all 8 MB
// would fault in every page of a table that a small solve barely touches,
// which costs more than the whole search of most problems.
constexpr size_t kHeadsPerPage = 512;
constexpr size_t kHeadPages = (kBucketCount + kHeadsPerPage - 1) / kHeadsPerPage;
std::atomic<bool> headPageTouched[kHeadPages];

void NoteHeadSet(uint32_t bucket) {
    std::atomic<bool>& touched = headPageTouched[bucket / kHeadsPerPage];
    // Read first: the flags are shared by every worker, and a store each time
    // would bounce their cache lines between the cores.
    if (!touched.load(std::memory_order_relaxed)) {
        touched.store(true, std::memory_order_relaxed);
    }
}

// Calls f(page's first bucket, one past its last) for every flagged page.
template <class F>
void ForEachTouchedPage(F f) {
    for (size_t page = 0; page < kHeadPages; ++page) {
        if (headPageTouched[page].load(std::memory_order_relaxed)) {
            const size_t first = page * kHeadsPerPage;
            f(first, std::min<size_t>(first + kHeadsPerPage, kBucketCount));
        }
    }
}

struct alignas(64) TableLock {
    std::mutex lock;
    uint32_t records = 0;  // in the group's chains
};
TableLock tableLocks[kTableLockCount];

// Splits each of the group's chains in two by the key's next bit, each half
// in its order, so that the same-key records stay in theirs.
void DoubleGroup(uint32_t group) {
    const int32_t bits = HeadBitsOf(group);
    const uint32_t half = uint32_t{1} << bits;
    for (uint32_t bucket = group; bucket < half; bucket += kTableLockCount) {
        NodeRecord** stay = &nodeTable[bucket];
        NodeRecord** moved = &nodeTable[bucket + half];
        NodeRecord* record = nodeTable[bucket];
        while (record != nullptr) {
            NodeRecord* next = record->next;
            NodeRecord**& tail = (record->key & half) != 0 ? moved : stay;
            *tail = record;
            tail = &record->next;
            record = next;
        }
        *stay = nullptr;
        *moved = nullptr;
        if (nodeTable[bucket + half] != nullptr) {
            NoteHeadSet(bucket + half);
        }
    }
    groupDoublings[group].store(static_cast<uint8_t>(bits + 1 - kHeadBitsFirst),
                                std::memory_order_relaxed);
}

// Under the key's lock, once its record is linked in.
void NoteRecordAdded(uint64_t key) {
    const uint32_t group = GroupOf(key);
    TableLock& lock = tableLocks[group];
    const int32_t bits = HeadBitsOf(group);
    if (++lock.records > (uint32_t{1} << bits) / kTableLockCount && bits < kHeadBitsMost) {
        DoubleGroup(group);
    }
}
static_assert((uint32_t{1} << kHeadBitsFirst) % kTableLockCount == 0);

size_t RecordBytes(int32_t entries) {
    size_t bytes = sizeof(NodeRecord) + sizeof(ChildEntry) * static_cast<size_t>(entries);
    return (bytes + kRecordAlign - 1) & ~(kRecordAlign - 1);
}

constexpr size_t kBlockStart = (sizeof(ArenaBlock) + kRecordAlign - 1) & ~(kRecordAlign - 1);

// Blocks of the usual size that a clear released during a solve, with their
// pages still taken: the solve's next records (the second pass, the carried
// records) go there instead of into fresh pages, whose zeroing costs as much
// as a good part of a small solve. Given back to the system as a solve ends.
struct SpareBlocks {
    std::mutex lock;
    ArenaBlock* first = nullptr;
};
SpareBlocks spareBlocks;

ArenaBlock* TakeSpareBlock() {
    std::lock_guard<std::mutex> hold(spareBlocks.lock);
    ArenaBlock* block = spareBlocks.first;
    if (block != nullptr) {
        spareBlocks.first = block->previous;
    }
    return block;
}

void* CarveBytes(WorkerArena& arena, size_t bytes) {
    ArenaBlock*& currentBlock = arena.currentBlock;
    if (currentBlock == nullptr || currentBlock->size - currentBlock->used < bytes) {
        size_t size = bytes + kBlockStart > kBlockBytes ? bytes + kBlockStart : kBlockBytes;
        ArenaBlock* block = size == kBlockBytes ? TakeSpareBlock() : nullptr;
        if (block == nullptr) {
            void* allocation = std::malloc(size + kLargePageBytes);
            if (allocation == nullptr) {
                ReportFatal("malloc error size=%dMbyte\n", static_cast<int>(MemoryMegabytes()));
            }
            block = static_cast<ArenaBlock*>(LargePageAligned(allocation));
            AdviseLargePages(block, size);
            block->allocation = allocation;
            block->size = size;
        }
        block->previous = currentBlock;
        block->used = kBlockStart;
        currentBlock = block;
    }
    void* at = reinterpret_cast<char*>(currentBlock) + currentBlock->used;
    currentBlock->used += bytes;
    return at;
}

// A worker's chain of blocks: the usual ones are kept as spares, larger ones
// freed.
void ReleaseBlocks(ArenaBlock* block) {
    std::lock_guard<std::mutex> hold(spareBlocks.lock);
    while (block != nullptr) {
        ArenaBlock* previous = block->previous;
        if (block->size == kBlockBytes) {
            block->previous = spareBlocks.first;
            spareBlocks.first = block;
        } else {
            std::free(block->allocation);
        }
        block = previous;
    }
}

}  // namespace

std::mutex& TableLockOf(uint64_t key) { return tableLocks[GroupOf(key)].lock; }

uint32_t MemoryMegabytes() {
    return static_cast<uint32_t>(memoryUsed.load(std::memory_order_relaxed) / 1048576);
}

uint64_t CountedRecordBytes(RecordKind kind, int32_t entries) {
    return kind == RecordKind::Placeholder ? kPlaceholderBytes
                                           : 6 * static_cast<uint64_t>(entries) + 32;
}

NodeRecord* AllocRecord(int32_t w, RecordKind kind, int32_t entries) {
    if (w < 0 || w >= kMaxWorkers) {
        ReportFatal("macroinv error %d\n", w);
    }
    WorkerArena& arena = arenas[w];
    memoryUsed.fetch_add(CountedRecordBytes(kind, entries), std::memory_order_relaxed);
    size_t bytes = RecordBytes(kind == RecordKind::Placeholder ? 0 : entries);
    void* at;
    if (kind == RecordKind::Placeholder && arena.freePlaceholders != nullptr) {
        at = arena.freePlaceholders;
        arena.freePlaceholders = arena.freePlaceholders->next;
    } else {
        at = CarveBytes(arena, bytes);
    }
    std::memset(at, 0, bytes);
    return static_cast<NodeRecord*>(at);
}

NodeRecord** LookupRecord(uint64_t key, int32_t side, NodeRecord** found) {
    NodeRecord** link = &nodeTable[BucketOf(key)];
    while (*link != nullptr && (*link)->key != key) {
        link = &(*link)->next;
    }
    *found = (*link != nullptr && (loadNumber((*link)->side) & kSideBits) == side) ? *link
                                                                                   : nullptr;
    return link;
}

NodeRecord* InsertPlaceholder(int32_t w, NodeRecord** link, uint64_t key, int32_t side) {
    NodeRecord* record = AllocRecord(w, RecordKind::Placeholder, 0);
    record->key = key;
    record->side = static_cast<uint16_t>(side);
    record->pn = 1;
    record->dn = 1;
    record->busy = kRecordExpanding;
    record->next = *link;
    *link = record;
    NoteHeadSet(BucketOf(key));
    NoteRecordAdded(key);
    return record;
}

NodeRecord* ReplacePlaceholder(int32_t w, NodeRecord* placeholder, int32_t entries) {
    // Other workers may have put records in front of the placeholder since it
    // was made, so find the link that points at it now.
    NodeRecord** link = &nodeTable[BucketOf(placeholder->key)];
    while (*link != placeholder) {
        if (*link == nullptr) {
            ReportFatal("macroinv error %d\n", static_cast<int>(BucketOf(placeholder->key)));
        }
        link = &(*link)->next;
    }
    memoryUsed.fetch_sub(kPlaceholderBytes, std::memory_order_relaxed);
    NodeRecord* behind = placeholder->next;
    NodeRecord* record = AllocRecord(w, RecordKind::Full, entries);
    record->key = placeholder->key;
    record->side = loadNumber(placeholder->side);
    record->next = behind;
    *link = record;
    // The placeholder may be another worker's; it joins this worker's list,
    // which is released with every other block at the clear.
    placeholder->next = arenas[w].freePlaceholders;
    arenas[w].freePlaceholders = placeholder;
    return record;
}

void ReleaseSpareBlocks() {
    std::lock_guard<std::mutex> hold(spareBlocks.lock);
    while (spareBlocks.first != nullptr) {
        ArenaBlock* previous = spareBlocks.first->previous;
        std::free(spareBlocks.first->allocation);
        spareBlocks.first = previous;
    }
}

void ClearNodeTable(int32_t worker) {
    if (worker != 0) {
        return;
    }
    for (WorkerArena& arena : arenas) {
        ReleaseBlocks(arena.currentBlock);
        arena.currentBlock = nullptr;
        arena.freePlaceholders = nullptr;
    }
    ForEachTouchedPage([](size_t first, size_t last) {
        std::fill(nodeTable + first, nodeTable + last, nullptr);
        headPageTouched[first / kHeadsPerPage].store(false, std::memory_order_relaxed);
    });
    for (uint32_t group = 0; group < kTableLockCount; ++group) {
        tableLocks[group].records = 0;
        groupDoublings[group].store(0, std::memory_order_relaxed);
    }
    memoryUsed.store(0, std::memory_order_relaxed);
}

NodeRecord* DetachAllRecords() {
    NodeRecord* all = nullptr;
    NodeRecord** tail = &all;
    ForEachTouchedPage([&tail](size_t first, size_t last) {
        for (size_t bucket = first; bucket < last; ++bucket) {
            if (nodeTable[bucket] == nullptr) {
                continue;
            }
            *tail = nodeTable[bucket];
            nodeTable[bucket] = nullptr;
            while (*tail != nullptr) {
                tail = &(*tail)->next;
            }
        }
        headPageTouched[first / kHeadsPerPage].store(false, std::memory_order_relaxed);
    });
    for (TableLock& lock : tableLocks) {
        lock.records = 0;
    }
    return all;
}

void PushRecord(NodeRecord* record) {
    const uint32_t bucket = BucketOf(record->key);
    record->next = nodeTable[bucket];
    nodeTable[bucket] = record;
    NoteHeadSet(bucket);
    NoteRecordAdded(record->key);
}

void KeepRecords(bool (*keep)(NodeRecord* record), uint64_t keyShift) {
    NodeRecord* all = DetachAllRecords();
    // A table within one block a worker keeps its records where they are: a
    // copy would go to fresh pages, whose zeroing is a good part of a small
    // solve, and what is left behind wastes at most those blocks. A larger
    // table is copied together, so that its dropped records give their room
    // back.
    bool inPlace = true;
    for (const WorkerArena& arena : arenas) {
        inPlace = inPlace && (arena.currentBlock == nullptr || arena.currentBlock->previous == nullptr);
    }
    std::array<ArenaBlock*, kMaxWorkers> oldBlocks{};
    for (int32_t w = 0; w < kMaxWorkers; ++w) {
        if (!inPlace) {
            oldBlocks[w] = arenas[w].currentBlock;
            arenas[w].currentBlock = nullptr;
        }
        arenas[w].freePlaceholders = nullptr;
    }
    memoryUsed.store(0, std::memory_order_relaxed);
    // Stacked, then pushed back, so that each chain keeps its order.
    NodeRecord* kept = nullptr;
    for (NodeRecord* record = all; record != nullptr;) {
        NodeRecord* const next = record->next;
        if (keep(record)) {
            int32_t entries = 1;
            for (ChildEntry* child = record->children(); child->move != 0; ++child) {
                ++entries;
            }
            NodeRecord* copy = record;
            if (inPlace) {
                memoryUsed.fetch_add(CountedRecordBytes(RecordKind::Full, entries),
                                     std::memory_order_relaxed);
            } else {
                copy = AllocRecord(0, RecordKind::Full, entries);
                std::memcpy(static_cast<void*>(copy), record, RecordBytes(entries));
            }
            copy->key += keyShift;
            copy->next = kept;
            kept = copy;
        }
        record = next;
    }
    while (kept != nullptr) {
        NodeRecord* next = kept->next;
        PushRecord(kept);
        kept = next;
    }
    for (ArenaBlock* blocks : oldBlocks) {
        ReleaseBlocks(blocks);
    }
}
