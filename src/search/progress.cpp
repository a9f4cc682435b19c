#include "search/progress.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "frontend.h"
#include "search/node_table.h"
#include "search/solve.h"
#include "search/solve_state.h"

uint32_t startTick = 0;
uint32_t lastCheckTick = 0;
int32_t slowChecks = 0;
int32_t lastShownSecond = 0;
int32_t monitorCalls = 0;

bool (*physicalMemoryShort)() = PhysicalMemoryShortFromProc;

namespace {

constexpr int32_t kVisitsPerCheck = 100;
constexpr uint32_t kSlowWindowMs = 100;
constexpr int32_t kSlowWindowsToReport = 2;

}  // namespace

int64_t SteadyMilliseconds() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<int64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

uint32_t TickCount() { return static_cast<uint32_t>(SteadyMilliseconds()); }

// Short means less than a sixteenth of the memory is still available.
bool PhysicalMemoryShortFromProc() {
    std::FILE* file = std::fopen("/proc/meminfo", "r");
    if (file == nullptr) {
        return false;
    }
    unsigned long long total = 0;
    unsigned long long available = 0;
    bool haveAvailable = false;
    char line[256];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        unsigned long long kb = 0;
        if (std::sscanf(line, "MemTotal: %llu", &kb) == 1) {
            total = kb;
        } else if (std::sscanf(line, "MemAvailable: %llu", &kb) == 1) {
            available = kb;
            haveAvailable = true;
        }
    }
    std::fclose(file);
    return haveAvailable && total > 0 && available < total / 16;
}

int32_t CheckProgress() {
    monitorCalls += 1;
    if (monitorCalls <= kVisitsPerCheck) {
        return kProgressGoOn;
    }
    monitorCalls = 0;
    uint32_t now = TickCount();
    int32_t elapsed = static_cast<int32_t>((now - startTick) / 1000);
    if (elapsed >= timeLimitSeconds) {
        return kProgressTimeUp;
    }
    if (now - lastCheckTick > kSlowWindowMs && physicalMemoryShort()) {
        slowChecks += 1;
        if (slowChecks >= kSlowWindowsToReport) {
            ReportFatal("メモリ不足です\nワーキングメモリ %dMbyte 使用",
                        static_cast<int>(MemoryMegabytes()));
        }
    } else {
        slowChecks = 0;
    }
    lastCheckTick = now;
    if (elapsed != lastShownSecond) {
        lastShownSecond = elapsed;
        ShowMessage("=== 経過時間 %d 秒  depth%d メモリ %dMbyte ===", elapsed,
                    maxDepthReached.load(std::memory_order_relaxed),
                    static_cast<int>(MemoryMegabytes()));
    }
    return kProgressGoOn;
}

namespace {

// Node entries of each worker since it last read the clock; a read per node
// would cost more than the node itself on some machines.
struct alignas(64) ClockCountdown {
    int32_t left = 0;
};
ClockCountdown clockCountdown[kMaxWorkers];
constexpr int32_t kEntriesPerClockRead = 64;

}  // namespace

void ResetProgressCounters(int32_t w) {
    clockCountdown[w].left = 0;
    if (w == 0) {
        monitorCalls = 0;
    }
}

bool SolveMustStop(int32_t w) {
    if (w == 0 && CheckProgress() != kProgressGoOn) {
        solveCutOff.store(true, std::memory_order_relaxed);
        return true;
    }
    if (solveCutOff.load(std::memory_order_relaxed)) {
        return true;
    }
    // Worker 0 alone reads the clock too seldom once many workers share few
    // processors; every worker looking at the deadline ends the solve on time.
    if (stopRequested.load(std::memory_order_relaxed)) {
        solveCutOff.store(true, std::memory_order_relaxed);
        return true;
    }
    int32_t& left = clockCountdown[w].left;
    if (--left > 0) {
        return false;
    }
    left = kEntriesPerClockRead;
    if (SteadyMilliseconds() >= solveDeadlineMs.load(std::memory_order_relaxed)) {
        solveCutOff.store(true, std::memory_order_relaxed);
        return true;
    }
    return false;
}
