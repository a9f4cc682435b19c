// The solve as the window (or the headless solver) drives it: the values it
// sets before starting the workers, the worker entry, and the outcome code it
// polls. The rest of the engine's interface lives beside this header.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "search/solve_outcome.h"

// Guards the node table, its memory count, the ticket and the rendezvous counters.
extern std::mutex engineLock;

extern int32_t workerCount;                 // workers started for this solve, 1..16
extern std::atomic<int32_t> workersStarted; // ticket counter
extern std::atomic<int32_t> barrier1, barrier2, barrier3, barrier4, barrier5, barrier6;
extern std::atomic<int32_t> solveResult;    // -1 running, 0 cut off, 1 alive, 2 dead, 3 ko
extern int32_t timeLimitSeconds;

// Fresh random position keys, seeded from the millisecond tick count.
void PrepareKeys();
// The same, seeded with a given value (reproducible runs).
void PrepareKeysFromSeed(uint32_t seed);

// Worker thread entry: takes its index from the ticket, runs the passes, and
// worker 0 publishes solveResult last of all.
void SolveWorker();

// nullptr when a solve of the current problem with this many workers may start,
// otherwise the reason it may not (incomplete problem, worker count outside 1..16).
const char* SolveRefusal(int32_t workers);

// Ends the running solve as the time limit does: every worker unwinds and
// worker 0 shows the cut-off outcome. Safe from any thread; without a running
// solve it has no effect beyond the next solve's start, which clears it.
void RequestSolveStop();

// Sets workerCount, resets the ticket, the rendezvous counters and solveResult,
// and starts the workers detached (the caller polls solveResult).
void LaunchSolveWorkers(int32_t workers);
