#include "search/large_pages.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void AdviseLargePages(void* at, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only whole large pages inside the range can be given.
    const auto first = (reinterpret_cast<size_t>(at) + kLargePageBytes - 1) & ~(kLargePageBytes - 1);
    const auto last = (reinterpret_cast<size_t>(at) + bytes) & ~(kLargePageBytes - 1);
    if (last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)at;
    (void)bytes;
#endif
}

void* AllocLargeBlock(size_t bytes) {
#if defined(_WIN32)
    return std::malloc(bytes);
#else
    void* block = std::aligned_alloc(kLargePageBytes, bytes);
    if (block != nullptr) {
        AdviseLargePages(block, bytes);
    }
    return block;
#endif
}

void FreeLargeBlock(void* block) { std::free(block); }
