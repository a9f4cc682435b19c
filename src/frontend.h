// What the engine needs from whoever shows it: the fatal box, the outcome of
// a solve and the status line.
//
// The engine library only declares these. Each program links exactly one
// front end that defines them: the desktop window (src/ui, drawing through
// src/display) or the headless one (src/headless) used by the command-line
// solver, the tests and the benchmarks.
#pragma once

#include <cstdint>

struct SolveOutcome;

// printf-style argument checks where the compiler offers them.
#if defined(__GNUC__)
#define OSTREL_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define OSTREL_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

// Formats a printf-style message into 256 bytes, shows it through the front end
// and ends the process with exit status 1. Defined by the engine.
[[noreturn]] void ReportFatal(const char* format, ...) OSTREL_PRINTF_FORMAT(1, 2);

// --- filled in by each front end --------------------------------------------

// Shows a fatal message (caption "囲碁") and ends the process with status 1.
[[noreturn]] void ShowFatalBox(const char* message);

// Called by solve worker 0 once per solve, before the solve's result is
// published. The window draws the labelled moves on the board picture and
// shows the box, returning when it is closed; headless it is recorded.
void ShowSolveOutcome(const SolveOutcome& outcome);

// The top status line (progress line during a solve).
void ShowMessage(const char* format, ...) OSTREL_PRINTF_FORMAT(1, 2);
