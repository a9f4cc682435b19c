// Solve-wide values shared by the workers of one solve, and what worker 0
// leaves behind for whoever started the solve.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "position/board.h"

// 1 while the defender's ko captures are held back, 0 while the attacker's are.
extern std::atomic<int32_t> restrainDefenderKo;
extern std::atomic<int32_t> attackerFirst;
extern std::atomic<int32_t> depthLimit;
extern std::atomic<int32_t> maxDepthReached;
// Set once worker 0 reaches the time limit: every worker unwinds and skips pass 2.
extern std::atomic<bool> solveCutOff;

// Working first moves, per worker, 0-terminated.
extern std::array<PointList, kMaxWorkers> solutionMoves;

// Filled by worker 0 before it publishes solveResult.
struct SolveOutcome {
    int32_t verdict = 0;          // the value solveResult gets
    int32_t firstPass = 0;        // r1
    int32_t secondPass = 0;       // r2
    uint32_t seconds = 0;
    uint64_t memoryBytes = 0;     // memoryUsed when the verdict was derived
    uint32_t judgments = 0;
    int32_t depth = 0;            // maxDepthReached + 1
    std::string outcomeLine;      // without its line end; empty when cut off
    std::string boxText;          // the text of worker 0's box
    PointList moves{};            // worker 0's solutionMoves
};
extern SolveOutcome lastOutcome;

// Number of worker threads that have not yet returned.
extern std::atomic<int32_t> workersRunning;
// Returns once every worker of earlier solves has returned.
void WaitForWorkersToExit();

// Elapsed whole seconds between two wrapping millisecond ticks, rounded.
uint32_t RoundedSeconds(uint32_t now, uint32_t start);
// UTF-8 label of the n-th labelled move (0 = "Ａ").
std::string MoveLabel(int32_t n);
