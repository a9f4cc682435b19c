// Every global of a solve, with who writes it and who reads it. The problem
// record itself lives in problem/problem.h, the node table and its byte count
// in search/node_table.h, worker 0's time watch in search/progress.h and the
// judgment count in position/judgment.h.
//
// "The starter" is whoever starts a solve: the window's solve timer, the
// command-line solver, a test or a benchmark.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>

#include "position/board.h"
#include "search/search_mode.h"
#include "search/solve_outcome.h"

// --- set up by the starter ---------------------------------------------------

// The worker count for the next solve. Written by the window from its CPU
// field and by LaunchSolveWorkers; read by the window's refusal checks.
extern int32_t workerCount;
// The most workers of a solve that search; the others wait for worker 0's
// result of each pass. Searchers beyond the machine's processors only take
// turns with the others, and while one waits for a processor the positions on
// its line stay busy for everyone. 0 (the default) means the processor count.
// Written by the starter (tests that want every worker searching set it);
// read by LaunchSolveWorkers.
extern int32_t searchingWorkerLimit;
// Seconds before worker 0 cuts the search off. Written by the starter before
// the workers start; read by worker 0's time watch.
extern int32_t timeLimitSeconds;
// The search order of the next solve, exact unless the starter asks for the
// strong one: the window from its 強化探索 box, the command line from
// --search. Read by the root drivers once per pass, which run the node search
// built for that order; no node tests it.
extern SearchMode searchMode;
// The strong order's knobs. Written by the starter (the command line reads
// them from OSTREL_STRONG); read by the strong node search.
extern StrongSearchSettings strongSearch;
// Megabytes of records the strong order may keep before it searches new
// positions without storing them, so that a long solve slows down instead of
// running out of memory; 0 is half the machine's memory. Written by the
// starter (the command line from --memory); read by worker 0 as it starts.
extern uint32_t strongMemoryMegabytes;
// Whether a strong solve keeps its table for the next position of a play-out
// (search/pass_carry.h). Set by the window; the command line leaves it off,
// so that every solve of a batch is as in a process of its own. Read by
// worker 0 as it starts and ends.
extern bool strongKeepsTable;

// --- the workers' meeting --------------------------------------------------

// Guards the ticket and each worker's start (the node table has locks of its
// own). Taken once by every worker.
extern std::mutex engineLock;
// The number of workers of the running solve. Written by LaunchSolveWorkers;
// read by the rendezvous. The window may set workerCount for the next solve
// while the last workers of this one still wait: they keep counting to this.
extern std::atomic<int32_t> solveWorkers;
// How many of them search: workers 0 to solveSearchers - 1. Written by
// LaunchSolveWorkers; read by each worker as it starts.
extern std::atomic<int32_t> solveSearchers;
// The ticket: each worker takes its index from it. Reset by
// LaunchSolveWorkers; read by the root drivers to know how many have joined.
extern std::atomic<int32_t> workersStarted;
// Workers started (or being started) that have not yet returned. Counted up
// by LaunchSolveWorkers before each thread starts, down by each worker as it
// returns; read by WaitForWorkersToExit.
extern std::atomic<int32_t> workersRunning;
// Starts one detached thread on entry; false when the system refuses one.
// Called by LaunchSolveWorkers; tests replace it.
extern bool (*startWorkerThread)(void (*entry)());
bool StartDetachedThread(void (*entry)());
// The six meeting points of a solve, in the order the workers reach them.
enum Meeting : int32_t {
    kMeetStarted,         // every worker has its index and its lists
    kMeetTableCleared,    // the node table is empty for pass 1
    kMeetPassOneOpen,     // pass 1 found no working move: pass 2 follows
    kMeetTableClearedTwo, // the node table is empty for pass 2
    kMeetOutcomeShown,    // worker 0 has shown the outcome
    kMeetTableReleased,   // every record is released and the log closed
    kMeetingCount
};
// Arrivals at each meeting point. Reset by LaunchSolveWorkers; counted up by
// each worker under the rendezvous' own lock; the wait before pass 2 also
// watches kMeetOutcomeShown.
extern std::array<std::atomic<int32_t>, kMeetingCount> meetingArrivals;

// --- shared by the workers during the passes --------------------------------

// 1 when the attacker moves first. Written by every worker (the same value)
// at its start; read by the passes and by worker 0's outcome.
extern std::atomic<int32_t> attackerFirst;
// 1 while the defender's ko captures are held back, 0 while the attacker's
// are. Written by every worker before each pass; read by the node search,
// which hands it on to the position keys.
extern std::atomic<int32_t> restrainDefenderKo;
// The node search's depth cut. Written by the root drivers; read by the node
// search.
extern std::atomic<int32_t> depthLimit;
// The deepest node reached. Cleared by worker 0 at the start; raised by the
// node search; read by the progress line and the outcome.
extern std::atomic<int32_t> maxDepthReached;
// Set once worker 0 reaches the time limit, or by RequestSolveStop (the
// window's stop): every worker unwinds and skips pass 2. Cleared by
// LaunchSolveWorkers and worker 0; read by every worker.
extern std::atomic<bool> solveCutOff;
// The end of the running solve on the steady millisecond clock. Set by worker
// 0 at the start, back to kNoDeadline at the end; read by every worker at
// each node visit.
constexpr int64_t kNoDeadline = INT64_MAX;
extern std::atomic<int64_t> solveDeadlineMs;
// Set by RequestSolveStop, cleared by LaunchSolveWorkers (not by worker 0, so
// that a stop asked for as the solve starts is kept); read by every worker.
extern std::atomic<bool> stopRequested;
// Working first moves per worker, 0-terminated. Each worker clears and fills
// its own (the root drivers add to it); worker 0's goes into the outcome.
extern std::array<PointList, kMaxWorkers> solutionMoves;
// The solve's log file, created empty. Opened and closed by worker 0.
extern std::FILE* logFile;

// --- what the starter gets back -----------------------------------------------

// Worker 0's outcome of the last solve, written before it is shown. Read by
// the starter once solveResult is set.
extern SolveOutcome lastOutcome;
// kSolveRunning while a solve runs, then its verdict. Set to running by
// LaunchSolveWorkers, to the verdict by worker 0 last of all; polled by the
// window's tick, waited for by WaitForSolveResult.
extern std::atomic<int32_t> solveResult;
