// The headless command-line solver, ostrel-solve.
#pragma once

#include <cstdint>
#include <string>

#include "position/board.h"

struct CliOptions {
    std::string file;           // the .ban problem, as given
    bool show = false;          // print problem and region, no solve
    bool json = false;          // one JSON object instead of text
    int32_t threads = 0;        // 1..16 (main fills in the default)
    int32_t timeLimit = 100000; // seconds
    bool haveSeed = false;      // seed the position keys with `seed`
    uint32_t seed = 0;
};

// Exit statuses of the program.
constexpr int kExitOk = 0;
constexpr int kExitFatal = 1;
constexpr int kExitBadInput = 2;

// Both run after main has read the problem file and set up the search region.
int RunShow(const CliOptions& options);
int RunSolve(const CliOptions& options);

// JSON pieces. AppendJsonString appends s as a string literal (quotes and
// escapes included); a point is [x, y]; ProblemJsonFields gives the fields
// "file", "sideToMove", "target" and "region" without the braces.
void AppendJsonString(std::string& out, const std::string& s);
std::string PointJson(int32_t p);
std::string PointListJson(const PointList& list);
std::string ProblemJsonFields(const std::string& file, int32_t side, int32_t target,
                              const PointList& region);
