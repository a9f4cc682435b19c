// Solve-wide values shared by the workers of one solve, and what worker 0
// leaves behind for whoever started the solve.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "position/board.h"
#include "search/solve_outcome.h"

// 1 while the defender's ko captures are held back, 0 while the attacker's are.
extern std::atomic<int32_t> restrainDefenderKo;
extern std::atomic<int32_t> attackerFirst;
extern std::atomic<int32_t> depthLimit;
extern std::atomic<int32_t> maxDepthReached;
// Set once worker 0 reaches the time limit: every worker unwinds and skips pass 2.
extern std::atomic<bool> solveCutOff;

// Working first moves, per worker, 0-terminated.
extern std::array<PointList, kMaxWorkers> solutionMoves;

// Worker 0's outcome of the last solve, set before it is shown.
extern SolveOutcome lastOutcome;

// Number of worker threads that have not yet returned.
extern std::atomic<int32_t> workersRunning;
// Returns once every worker of earlier solves has returned.
void WaitForWorkersToExit();
