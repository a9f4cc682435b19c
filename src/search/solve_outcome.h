// What a finished solve reports. Worker 0 fills one SolveOutcome and hands it
// to the front end (ShowSolveOutcome in frontend.h), which draws and shows it
// or prints it; nothing flows back.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "position/board.h"
#include "search/search_mode.h"

// Values of solveResult and of SolveOutcome::verdict.
constexpr int32_t kSolveNotStarted = -2;  // the worker threads could not be started
constexpr int32_t kSolveRunning = -1;
constexpr int32_t kSolveCutOff = 0;
constexpr int32_t kSolveAlive = 1;
constexpr int32_t kSolveDead = 2;
constexpr int32_t kSolveKo = 3;

// A first move shown on the board, and its label.
struct LabelledMove {
    int32_t point = 0;
    std::string label;  // UTF-8: "Ａ".."Ｚ", "ａ".."ｚ", then "＊"
};

struct SolveOutcome {
    int32_t verdict = kSolveCutOff;  // the value solveResult gets
    int32_t firstPass = 0;           // r1
    int32_t secondPass = 0;          // r2
    uint32_t seconds = 0;
    uint64_t memoryBytes = 0;        // memoryUsed when the verdict was derived
    uint32_t judgments = 0;
    int32_t depth = 0;               // maxDepthReached + 1
    PointList moves{};               // worker 0's working first moves in order
    SearchMode search = SearchMode::kExact;  // the order the solve searched in

    // The problem as it was solved (plain colours), for the picture.
    Board board{};
    int32_t side = 0;
    int32_t target = 0;

    // The moves that can be played on `board`, in order, each with its label.
    // None when cut off or when the first move cannot be played: then the
    // picture shows the solved board alone and the box says so.
    std::array<LabelledMove, kListSlots> labelled{};
    int32_t labelledCount = 0;

    std::string outcomeLine;  // "死に  3[sec]  メモリ 0MByte"; empty when cut off
    std::string detailText;   // the box text apart from the outcome line
    std::string boxText;      // the whole text of the box
};

// Sets the verdict, the labelled moves and the texts of an outcome whose pass
// results, figures, moves, board, side and target are filled in.
// `defenderFirst`: the side to move owns the target.
void DescribeOutcome(SolveOutcome& outcome, bool defenderFirst);

// Elapsed whole seconds between two wrapping millisecond ticks, rounded.
uint32_t RoundedSeconds(uint32_t now, uint32_t start);
// UTF-8 label of the n-th labelled move (0 = "Ａ").
std::string MoveLabel(int32_t n);
