// The headless command-line solver, ostrel-solve.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "position/board.h"
#include "search/search_mode.h"
#include "search/solve_outcome.h"

struct CliOptions {
    std::vector<std::string> files;  // the problem (.ban or .sgf), or with --batch/--check the paths
    std::string file;           // the one problem of a single run
    bool show = false;          // print problem and region, no solve
    bool json = false;          // one JSON object instead of text
    bool batch = false;         // solve every problem of the paths, one line each
    bool check = false;         // compare the solver's first moves with the file's marked ones
    int32_t threads = 0;        // 1..16 (main fills in the default)
    int32_t timeLimit = 100000; // seconds
    bool haveSeed = false;      // seed the position keys with `seed`
    uint32_t seed = 0;
    int32_t target = 0;         // point given with --target, 0 when none
    int32_t side = 0;           // side given with --side, 0 when none
    std::string sgfOut;         // --sgf-out: where the solved problem is written
    SearchMode search = SearchMode::kExact;  // --search
    StrongSearchSettings strong;             // the strong order's knobs, from OSTREL_STRONG
    uint32_t memoryMegabytes = 0;            // --memory, 0 for the default
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
// The field "file" (and "fileBytes", the name in hex, when it is not UTF-8).
void AddFileField(Json& object, const std::string& file);
// Those, "sideToMove", "target" and "region".
void AddProblemFields(Json& object, const std::string& file, int32_t side, int32_t target,
                      const PointList& region);

// Reads the problem file (by its extension .sgf, else .ban) into the problem
// record, applies --target and --side, and sets up the search region. Returns
// "" when the problem is ready, else why not (without the file name). With
// `book`, an SGF file's first moves marked correct are put there.
std::string LoadProblemFile(const std::string& path, const CliOptions& options, PointList* book);

// Both run after LoadProblemFile.
int RunShow(const CliOptions& options);
int RunSolve(const CliOptions& options);
// --batch and --check: every problem of options.files, one after another.
int RunBatch(const CliOptions& options);

// Why the loaded problem cannot be solved with this many threads, or "".
std::string SolveRefusalText(int32_t threads);
// One solve of the loaded problem with the options' threads, seed and time
// limit; false (with the message printed) when the threads cannot start.
// `echo`: the progress messages go to stderr while it runs.
bool SolveLoadedProblem(const CliOptions& options, bool echo, SolveOutcome& outcome);
// Seconds since start, and seconds rounded to the millisecond for output.
double SecondsSince(std::chrono::steady_clock::time_point start);
double Rounded(double seconds);
const char* VerdictName(int32_t verdict);
// Writes the problem record to --sgf-out (with the answer, when there is one):
// kExitOk, or kExitFatal with the reason on stderr.
struct SgfAnswer;
int WriteSgfOut(const CliOptions& options, const SgfAnswer* answer);
// The outcome as the single-problem JSON has it (without the problem fields).
void AddOutcomeFields(Json& object, int32_t threads, const SolveOutcome& outcome);
