// Memory for the big tables of a solve in 2 MB pages where the system has
// them: a solve that fills its table would otherwise take thousands of 4 KB
// page faults, which cost a small solve a large share of its time.
#pragma once

#include <cstddef>

constexpr size_t kLargePageBytes = size_t{2} << 20;

// Asks for large pages over [at, at + bytes); changes nothing where there are none.
void AdviseLargePages(void* at, size_t bytes);
// bytes (a multiple of kLargePageBytes) aligned to a large page, or nullptr;
// released with FreeLargeBlock.
void* AllocLargeBlock(size_t bytes);
void FreeLargeBlock(void* block);
