// The solve as the window (or the headless solver) drives it: prepare the
// keys, check, start the workers, poll solveResult, wait for them to exit.
// The globals it sets and polls are in search/solve_state.h.
#pragma once

#include <cstdint>

#include "search/solve_state.h"

// Fresh random position keys, seeded from the millisecond tick count.
void PrepareKeys();
// The same, seeded with a given value (reproducible runs).
void PrepareKeysFromSeed(uint32_t seed);

// Worker thread entry: takes its index from the ticket, runs the passes, and
// worker 0 publishes solveResult last of all.
void SolveWorker();

// Why a solve of the current problem may not start. Each front end words the
// reasons its own way.
enum class SolveRefusalCode : int32_t {
    kNone,                  // the solve may start
    kNoTarget,              // no stone at the target point
    kNoSide,                // no side to move
    kStringWithoutLiberty,  // some string has no liberty: not a position of play
    kWorkerCount,           // the worker count is outside 1..16
};
SolveRefusalCode SolveRefusal(int32_t workers);

// Ends the running solve as the time limit does: every worker unwinds and
// worker 0 shows the cut-off outcome. Safe from any thread; without a running
// solve it has no effect beyond the next solve's start, which clears it.
void RequestSolveStop();

// Sets workerCount, resets the ticket, the rendezvous counters and solveResult,
// and starts the workers detached (the caller polls or waits for solveResult). When the
// system refuses a thread, the workers already started are sent home and
// waited for, solveResult becomes kSolveNotStarted and the result is false.
bool LaunchSolveWorkers(int32_t workers);

// Returns once every worker of earlier solves has returned.
void WaitForWorkersToExit();
// Returns once solveResult is no longer kSolveRunning: woken as it is set,
// for a caller that has nothing else to do meanwhile.
void WaitForSolveResult();
