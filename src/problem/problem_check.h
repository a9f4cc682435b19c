// A look at a file before the problem reader takes it: the reader turns any
// line into a board row, so a file that is plainly not a problem would
// replace the problem the user has with stones wherever it holds a '1' or '2'.
#pragma once

#include <cstdint>

enum class ProblemFileFault : int32_t {
    None = 0,     // looks like a problem, or cannot be opened (the reader says so)
    TooLarge,     // over kMaxProblemFileBytes
    NotText,      // a NUL or another control byte
    NoHeader,     // no line beginning with '*'
    Directory,    // not a regular file: nothing is read from these
    Fifo,
    Device,
    NotRegular,   // a socket or another special file
};

// 100 kB: a problem file is 21 lines of about 20 characters.
constexpr int64_t kMaxProblemFileBytes = 100 * 1024;

ProblemFileFault CheckProblemFile(const char* path);
