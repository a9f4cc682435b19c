// What a solve asks of the system's memory.
#pragma once

#include <cstddef>
#include <cstdint>

// The big tables of a solve are asked for in 2 MB pages where the system has
// them: a solve that fills its table would otherwise take thousands of 4 KB
// page faults, which cost a small solve a large share of its time.

constexpr size_t kLargePageBytes = size_t{2} << 20;

// The first large page boundary at or after at: a block meant for large pages
// is taken kLargePageBytes longer and used from there.
inline void* LargePageAligned(void* at) {
    const uintptr_t start = reinterpret_cast<uintptr_t>(at);
    return reinterpret_cast<void*>((start + kLargePageBytes - 1) & ~uintptr_t{kLargePageBytes - 1});
}

// Asks for large pages over the whole large pages inside [at, at + bytes),
// before they are first touched; changes nothing where there are none.
void AdviseLargePages(void* at, size_t bytes);

// The machine's physical memory in bytes, or 0 where it cannot be read.
uint64_t MachineMemoryBytes();
