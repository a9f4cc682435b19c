// The transposition table shared by every solve worker: one record per
// position, chained in up to 2^20 buckets, plus the byte count of the records.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "position/board.h"

constexpr uint16_t INF = 60000;   // proof and disproof numbers saturate here

// A proof number and a disproof number, pn for the attacker (the target
// dies) and dn for the defender (the target lives).
struct ProofPair {
    uint16_t pn;
    uint16_t dn;

    constexpr bool proven() const { return pn == 0; }     // the target dies
    constexpr bool disproven() const { return dn == 0; }  // the target lives
};
constexpr ProofPair kProvenPair{0, INF};
constexpr ProofPair kDisprovenPair{INF, 0};
constexpr ProofPair kFreshPair{1, 1};  // what a new position starts with

struct ChildEntry {
    uint16_t move;   // point index, 0 = pass (also closes the array)
    uint16_t pn;
    uint16_t dn;
};

// What NodeRecord::busy holds. Only several workers ever find a record busy.
constexpr uint16_t kRecordFree = 0;
constexpr uint16_t kRecordExpanding = 1;  // a placeholder whose children are being valued
// A full record whose selection loop runs holds this plus the index of the
// child its owner is searching.
constexpr uint16_t kRecordSearched = 2;

// The children follow the header directly in the same allocation, so a record
// is sized exactly for them; see children().
// The side to move, in the low bits of NodeRecord::side; the strong order
// keeps a flag of its own above them.
constexpr uint16_t kSideBits = 3;
constexpr uint16_t kDependsOnRestraint = 4;

struct NodeRecord {
    uint64_t key;
    NodeRecord* next;
    uint16_t side;  // the side to move, and kDependsOnRestraint
    uint16_t pn;
    uint16_t dn;
    uint16_t busy;  // kRecordFree, kRecordExpanding or kRecordSearched + child index

    ChildEntry* children() { return reinterpret_cast<ChildEntry*>(this + 1); }
};
static_assert(sizeof(NodeRecord) % alignof(ChildEntry) == 0);

constexpr uint64_t kPlaceholderBytes = 32;

// A key's low bits pick its lock group, and the group uses the first 2^bits
// chain heads of its own (those whose low bits are the group's), from 2^18
// heads (2 MB, one large page) up to 2^20 (8 MB): a group doubles once it
// holds more records than heads. A fresh page of heads costs its zeroing,
// which is a large share of a small solve; a large one gets short chains.
constexpr int32_t kHeadBitsFirst = 18;
constexpr int32_t kHeadBitsMost = 20;
constexpr uint32_t kBucketCount = uint32_t{1} << kHeadBitsMost;
constexpr uint32_t kTableLockCount = 256;

extern NodeRecord* nodeTable[kBucketCount];
// How often each group has doubled, written under its lock; read freely only
// for prefetching.
extern std::atomic<uint8_t> groupDoublings[kTableLockCount];
// Bytes the records take by the counting rule (32 a placeholder, 6*e + 32 a
// full record with e entries); counted up by every worker, read freely for
// display.
extern std::atomic<uint64_t> memoryUsed;
// Counted bytes past which the strong order stores no new position (0: no
// limit). Written by worker 0 as a solve starts; read by every worker.
extern std::atomic<uint64_t> recordByteLimit;
inline bool TableFull() {
    const uint64_t limit = recordByteLimit.load(std::memory_order_relaxed);
    return limit != 0 && memoryUsed.load(std::memory_order_relaxed) >= limit;
}

// Each chain is guarded by its group's lock, so that workers reading
// different chains seldom wait for each other. A worker holds at most one at
// a time.
std::mutex& TableLockOf(uint64_t key);

enum class RecordKind { Placeholder, Full };

// Proof numbers that other workers read while the owner rewrites them go
// through these, as single 16-bit values. A reader that sees a number also
// sees the record's flags set before it (plain moves on x86).
inline uint16_t loadNumber(uint16_t& n) {
    return std::atomic_ref<uint16_t>(n).load(std::memory_order_acquire);
}
inline void storeNumber(uint16_t& n, uint16_t value) {
    std::atomic_ref<uint16_t>(n).store(value, std::memory_order_release);
}
// The owner stores a pair pn first, dn second, and another worker may read
// between the two stores. Reading pn again after dn catches a new dn beside
// an old pn. A new 0 beside the old other number is made whole by the rule
// that a 0 is only ever stored with INF beside it: half a result, read as
// (0, 1), would leave a selection loop waiting for ever for its other number
// to reach a threshold. A pair nobody is writing reads as it stands.
inline ProofPair loadPair(uint16_t& pn, uint16_t& dn) {
    for (;;) {
        const uint16_t first = loadNumber(pn);
        const uint16_t second = loadNumber(dn);
        if (loadNumber(pn) != first) {
            continue;
        }
        if (first == 0) {
            return kProvenPair;
        }
        if (second == 0) {
            return kDisprovenPair;
        }
        return {first, second};
    }
}

inline uint32_t GroupOf(uint64_t key) { return static_cast<uint32_t>(key % kTableLockCount); }
// Under the key's lock. (2^bits is a multiple of the group count, so the
// bucket's low bits are the group's.)
inline int32_t HeadBitsOf(uint32_t group) {
    return kHeadBitsFirst + groupDoublings[group].load(std::memory_order_relaxed);
}
inline uint32_t BucketOf(uint64_t key) {
    return static_cast<uint32_t>(key & ((uint64_t{1} << HeadBitsOf(GroupOf(key))) - 1));
}
// Asks for the key's chain head ahead of a lookup; changes nothing.
inline void PrefetchBucket(uint64_t key) {
#if defined(__GNUC__)
    __builtin_prefetch(&nodeTable[BucketOf(key)]);
#else
    (void)key;
#endif
}
uint32_t MemoryMegabytes();

// What a record counts by the counting rule: 32 a placeholder, 6 * e + 32 a
// full record with e entries.
uint64_t CountedRecordBytes(RecordKind kind, int32_t entries);

// These run under the key's TableLockOf. Worker w's records come from its own
// blocks, so allocating takes no lock of its own.
// A zero-filled record of the given kind with room for `entries` children.
NodeRecord* AllocRecord(int32_t w, RecordKind kind, int32_t entries);
// Walks the key's chain to the first record with this key. Returns the link
// where the walk stopped; *found is that record when its side also matches.
NodeRecord** LookupRecord(uint64_t key, int32_t side, NodeRecord** found);
// Puts a new busy placeholder at the link a lookup returned; a record already
// there (same key, other side) stays directly behind it.
NodeRecord* InsertPlaceholder(int32_t w, NodeRecord** link, uint64_t key, int32_t side);
// Releases the placeholder and puts a full record with `entries` children in
// its place, keeping the records chained behind it. The caller fills it.
NodeRecord* ReplacePlaceholder(int32_t w, NodeRecord* placeholder, int32_t entries);

// Worker 0 releases every worker's records; other workers do nothing. Run
// while no worker searches. The records' memory stays taken for the same
// solve's next records until ReleaseSpareBlocks gives it back.
void ClearNodeTable(int32_t worker);
void ReleaseSpareBlocks();

// For rebuilding the table while no worker searches: every record in one
// list through `next`, chain by chain, each chain in its order, leaving the
// table empty (the records stay where they are)...
NodeRecord* DetachAllRecords();
// ...and a record put back at the head of its key's chain.
void PushRecord(NodeRecord* record);

// While no worker searches: the full records that keep() accepts are rekeyed
// by keyShift and put back in their chains in their order; memoryUsed counts
// them alone. Where every worker's records lie in one block they stay there,
// and the next records follow them; otherwise they are copied into fresh
// blocks of worker 0 and every old block is released.
void KeepRecords(bool (*keep)(NodeRecord* record), uint64_t keyShift);
