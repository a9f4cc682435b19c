#include "search/large_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void AdviseLargePages(void* at, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const uintptr_t start = reinterpret_cast<uintptr_t>(at);
    const uintptr_t first = (start + kLargePageBytes - 1) & ~(kLargePageBytes - 1);
    const uintptr_t last = (start + bytes) & ~(kLargePageBytes - 1);
    if (last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)at;
    (void)bytes;
#endif
}
