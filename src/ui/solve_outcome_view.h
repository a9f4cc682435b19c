// What the window keeps of the last outcome it showed (ShowSolveOutcome in
// frontend.h draws it and shows its box).
#pragma once

#include <atomic>
#include <cstdint>

// The first labelled move of the last outcome shown, 0 when none was labelled.
// Worker 0 sets it before it publishes solveResult.
extern std::atomic<int32_t> shownFirstMove;
