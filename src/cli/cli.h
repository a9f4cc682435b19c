// The headless command-line solver, ostrel-solve.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

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

// Reads the options into `options`: kGoOn, or the exit status when the
// program ends here (help printed, or bad input reported).
constexpr int kGoOn = -1;
int ReadCommandLine(int argc, char** argv, CliOptions& options);
// Checks that everything written to standard output went out and closes it:
// on a failure "ostrel-solve: cannot write the output: ..." and status 1
// (unless the run has already failed). Returns the exit status.
int FinishOutput(int status);

// Both run after main has read the problem file and set up the search region.
int RunShow(const CliOptions& options);
int RunSolve(const CliOptions& options);

// JSON pieces, as nlohmann/json values kept in insertion order.
using Json = nlohmann::ordered_json;
// The value on one line, ", " and ": " between the parts, and a line end.
// Every string is written as valid UTF-8 (see ValidUtf8).
std::string JsonLine(const Json& value);
// The bytes with every byte that is not part of well-formed UTF-8 as U+FFFD.
std::string ValidUtf8(const std::string& bytes);
// A point is [x, y].
Json PointJson(int32_t p);
Json PointListJson(const PointList& list);
// The fields "file" (and "fileBytes", the name in hex, when it is not UTF-8),
// "sideToMove", "target" and "region".
void AddProblemFields(Json& object, const std::string& file, int32_t side, int32_t target,
                      const PointList& region);
