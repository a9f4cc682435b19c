// The headless command-line solver, ostrel-solve.
#pragma once

#include <cstdint>
#include <string>

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

// Appends s to out as a JSON string literal (quotes and escapes included).
void AppendJsonString(std::string& out, const std::string& s);
