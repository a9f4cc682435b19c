// What the engine needs from whoever shows it: the fatal box, message boxes,
// drawing the outcome on the board picture and the status line.
//
// The engine library only declares these. Each program links exactly one
// front end that defines them: the desktop window (src/ui, src/display) or
// the headless one (src/cli/headless_frontend.cpp) used by the command-line
// solver, the tests and the benchmarks.
#pragma once

#include <cstdint>

struct Board;

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

// A modal message box owned by the main window; returns when it is closed.
// Called by solve worker 0 for the outcome.
void ShowMessageBox(const char* text, const char* caption);

// Board display routines used by solve worker 0 (the desktop window draws them
// into its picture; headless they are recorded).
void DrawBoard(const Board& board);
void DrawMoveLabel(int32_t column, int32_t row, const char* label);
void DrawTargetMark(int32_t column, int32_t row);

// The top status line (progress line during a solve).
void ShowMessage(const char* format, ...) OSTREL_PRINTF_FORMAT(1, 2);
