#include "search/judgment_cache.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "search/system_memory.h"

namespace {

// A slot holds the data and the key xor the data, so that a torn read (half
// of one write, half of another) fails the key test instead of giving a
// wrong judgment. The data carries the solve's generation, so that a new
// solve needs no wipe.
struct Slot {
    uint64_t check;
    uint64_t data;
};

// The cache starts at one large page (2^17 slots, 2 MB) and grows fourfold
// once it has taken as many judgments as it has slots, up to 2^21 slots
// (32 MB): a fresh page costs its zeroing, which is a large share of a small
// solve, so a small solve keeps to one.
// Growing copies the slots over (a judgment stored meanwhile may be lost);
// the smaller levels stay for the next solve.
constexpr int32_t kLevels = 3;
constexpr std::array<int32_t, kLevels> kLevelBits{17, 19, 21};
// From calloc, so that the pages are only taken (and zeroed) as slots are
// written, in large pages where there are.
std::array<Slot*, kLevels> levels{};
std::atomic<int32_t> level{-1};
std::atomic<uint64_t> stores{0};
std::atomic<uint16_t> generation{0};
std::mutex growLock;

uint64_t SlotCount(int32_t k) { return uint64_t{1} << kLevelBits[k]; }

bool TakeLevel(int32_t k) {
    if (levels[k] == nullptr) {
        // On a large page's boundary, so that even the smallest level takes
        // one page fault instead of hundreds. Levels are never released.
        const size_t pages =
            (SlotCount(k) * sizeof(Slot) + kLargePageBytes - 1) & ~(kLargePageBytes - 1);
        void* taken = std::calloc(pages + kLargePageBytes, 1);
        if (taken != nullptr) {
            levels[k] = static_cast<Slot*>(LargePageAligned(taken));
            AdviseLargePages(levels[k], pages);
        }
    }
    return levels[k] != nullptr;
}

uint64_t Pack(const CachedJudgment& judged, uint16_t gen) {
    return uint64_t{judged.value.pn} | uint64_t{judged.value.dn} << 16 |
           uint64_t{static_cast<uint16_t>(static_cast<int16_t>(judged.judgment))} << 32 |
           uint64_t{gen} << 48;
}

Slot* SlotOf(uint64_t key) {
    const int32_t k = level.load(std::memory_order_acquire);
    if (k < 0) {
        return nullptr;
    }
    return &levels[k][(key ^ key >> 32) & (SlotCount(k) - 1)];
}

// Counted in batches, so that workers do not share a counter per judgment.
thread_local uint32_t unreportedStores = 0;
constexpr uint32_t kStoreBatch = 1024;

void NoteStore() {
    if (++unreportedStores < kStoreBatch) {
        return;
    }
    unreportedStores = 0;
    const uint64_t total = stores.fetch_add(kStoreBatch, std::memory_order_relaxed) + kStoreBatch;
    const int32_t k = level.load(std::memory_order_relaxed);
    if (k < 0 || k + 1 >= kLevels || total < SlotCount(k)) {
        return;
    }
    std::lock_guard<std::mutex> hold(growLock);
    if (level.load(std::memory_order_relaxed) != k || !TakeLevel(k + 1)) {
        return;
    }
    const uint16_t gen = generation.load(std::memory_order_relaxed);
    Slot* from = levels[k];
    Slot* to = levels[k + 1];
    const uint64_t mask = SlotCount(k + 1) - 1;
    for (uint64_t i = 0; i < SlotCount(k); ++i) {
        const uint64_t data = std::atomic_ref<uint64_t>(from[i].data).load(std::memory_order_relaxed);
        const uint64_t key =
            std::atomic_ref<uint64_t>(from[i].check).load(std::memory_order_relaxed) ^ data;
        if (data >> 48 == gen) {
            // Nobody reads or writes the new level yet.
            Slot& slot = to[(key ^ key >> 32) & mask];
            slot.data = data;
            slot.check = key ^ data;
        }
    }
    level.store(k + 1, std::memory_order_release);
}

}  // namespace

bool StartJudgmentCache() {
    std::lock_guard<std::mutex> hold(growLock);
    if (!TakeLevel(0)) {
        level.store(-1);
        return false;
    }
    uint16_t next = static_cast<uint16_t>(generation.load() + 1);
    if (next == 0) {
        // Every generation has been used: wipe once and start again.
        for (int32_t k = 0; k < kLevels; ++k) {
            if (levels[k] != nullptr) {
                std::memset(levels[k], 0, SlotCount(k) * sizeof(Slot));
            }
        }
        next = 1;
    }
    generation.store(next);
    stores.store(0);
    level.store(0, std::memory_order_release);
    return true;
}

bool FindJudgment(uint64_t key, CachedJudgment& found) {
    Slot* slot = SlotOf(key);
    if (slot == nullptr) {
        return false;
    }
    const uint64_t data = std::atomic_ref<uint64_t>(slot->data).load(std::memory_order_relaxed);
    if ((std::atomic_ref<uint64_t>(slot->check).load(std::memory_order_relaxed) ^ data) != key ||
        data >> 48 != generation.load(std::memory_order_relaxed)) {
        return false;
    }
    found.value = {static_cast<uint16_t>(data), static_cast<uint16_t>(data >> 16)};
    found.judgment = static_cast<int16_t>(static_cast<uint16_t>(data >> 32));
    return true;
}

void StoreJudgment(uint64_t key, const CachedJudgment& judged) {
    Slot* slot = SlotOf(key);
    if (slot == nullptr) {
        return;
    }
    const uint64_t data = Pack(judged, generation.load(std::memory_order_relaxed));
    std::atomic_ref<uint64_t>(slot->data).store(data, std::memory_order_relaxed);
    std::atomic_ref<uint64_t>(slot->check).store(key ^ data, std::memory_order_relaxed);
    NoteStore();
}

void PrefetchJudgment(uint64_t key) {
#if defined(__GNUC__)
    if (Slot* slot = SlotOf(key); slot != nullptr) {
        __builtin_prefetch(slot);
    }
#else
    (void)key;
#endif
}
