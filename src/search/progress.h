// Worker 0's watch over the solve: the time limit, the slow-down rule for
// exhausted memory and the once-a-second progress line.
#pragma once

#include <cstdint>

extern uint32_t startTick;
extern uint32_t lastCheckTick;
extern int32_t slowChecks;
extern int32_t lastShownSecond;
extern int32_t monitorCalls;

constexpr int32_t kProgressGoOn = 0;
constexpr int32_t kProgressTimeUp = 100;

// Wrapping 32-bit millisecond tick count: the low bits of SteadyMilliseconds.
uint32_t TickCount();
int64_t SteadyMilliseconds();

// Whether physical memory is really short. The slow-down rule only reports
// when this agrees, since a busy or oversubscribed machine is slow too.
// Tests replace it.
extern bool (*physicalMemoryShort)();
bool PhysicalMemoryShortFromProc();

// Sets worker w's clock countdown (and, for worker 0, the visit count of
// CheckProgress) as a fresh process has them, so that every solve checks the
// clock at the same visits whatever solves ran before it.
void ResetProgressCounters(int32_t w);

// Called by worker 0 at every node visit: 0 to go on, 100 at the time limit.
int32_t CheckProgress();

// Called by every worker w at each node visit: whether the solve must end now
// (deadline passed, stop requested, or another worker already cut off).
// Worker 0 runs CheckProgress here too. It only decides when to stop.
bool SolveMustStop(int32_t w);
