// The headless front end: what a solve shows is recorded here instead of being
// drawn, so that the command-line solver can print it and tests can read it.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "search/solve_outcome.h"

struct HeadlessRecord {
    int32_t outcomesShown = 0;
    SolveOutcome outcome;     // the last one shown
    std::string lastMessage;  // of the status line
};

// Clears everything recorded so far.
void HeadlessReset();
// A copy of what has been recorded (safe to call while a solve runs).
HeadlessRecord HeadlessSnapshot();
// When on, every status-line message is also written to stderr (one line each).
void HeadlessEchoMessages(bool on);
