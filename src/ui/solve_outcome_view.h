// What the window keeps of the last outcome it showed (ShowSolveOutcome in
// frontend.h draws it and shows its box).
#pragma once

#include <atomic>
#include <cstdint>

// The first labelled move of the last outcome shown, 0 when none was labelled.
// Worker 0 sets it before it publishes solveResult.
extern std::atomic<int32_t> shownFirstMove;

#include <QString>

struct SolveOutcome;

// The outcome box's text in the window's language; in Japanese it is the
// engine's own box text.
QString OutcomeBoxText(const SolveOutcome& outcome);
