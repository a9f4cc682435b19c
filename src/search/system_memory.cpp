#include "search/system_memory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#elif defined(_WIN32)
#include <windows.h>
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

uint64_t MachineMemoryBytes() {
#if defined(__linux__)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageBytes = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageBytes > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageBytes)
                                      : 0;
#elif defined(_WIN32)
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
#else
    return 0;
#endif
}
