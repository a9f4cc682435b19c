// The solve of ostrel-solve: the same worker threads as the window starts,
// with the outcome printed instead of shown in a box.
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "headless/headless_frontend.h"
#include "problem/problem.h"
#include "problem/sgf_problem.h"
#include "search/solve.h"
#include "search/solve_state.h"

namespace {

// Why the problem cannot be solved, in words for the command line.
std::string RefusalReason(SolveRefusalCode code) {
    switch (code) {
        case SolveRefusalCode::kNoTarget:
            return "no stone at the target point";
        case SolveRefusalCode::kNoSide:
            return "no side to move";
        case SolveRefusalCode::kStringWithoutLiberty: {
            const int32_t p = stoneWithoutLiberty(problemBoard);
            return "a string without liberties at " + std::to_string(pointX(p)) + "," +
                   std::to_string(pointY(p));
        }
        case SolveRefusalCode::kWorkerCount:
            return "--threads takes a number from 1 to 16";
        case SolveRefusalCode::kNone:
            break;
    }
    return "cannot be solved";
}

// wallSeconds is the solve's own time to the millisecond, without the
// program's start, for scripts that compare short solves.
void PrintJson(const CliOptions& options, const PointList& region, const SolveOutcome& outcome,
               double wallSeconds) {
    Json out = Json::object();
    AddProblemFields(out, options.file, outcome.side, outcome.target, region);
    AddOutcomeFields(out, options.threads, outcome);
    out["wallSeconds"] = Rounded(wallSeconds);
    std::fputs(JsonLine(out).c_str(), stdout);
}

// The outcome line (none when cut off), the rest of the box, then one line
// per labelled move: label and column,row.
void PrintText(const SolveOutcome& outcome) {
    if (!outcome.outcomeLine.empty()) {
        std::printf("%s\n", outcome.outcomeLine.c_str());
    }
    std::printf("%s\n", outcome.detailText.c_str());
    for (int32_t i = 0; i < outcome.labelledCount; ++i) {
        const LabelledMove& move = outcome.labelled[i];
        std::printf("%s %d,%d\n", move.label.c_str(), static_cast<int>(pointX(move.point)),
                    static_cast<int>(pointY(move.point)));
    }
}

}  // namespace

const char* VerdictName(int32_t verdict) {
    switch (verdict) {
        case kSolveAlive: return "alive";
        case kSolveDead: return "dead";
        case kSolveKo: return "ko";
        default: return "cut off";
    }
}

// A cut-off solve has no answer: its "moves" are empty, and the moves proven
// before the cut-off are listed apart, so that no reader takes them for one.
void AddOutcomeFields(Json& out, int32_t threads, const SolveOutcome& outcome) {
    const bool complete = outcome.verdict != kSolveCutOff;
    out["threads"] = threads;
    out["search"] = SearchModeName(outcome.search);
    out["solveResult"] = outcome.verdict;
    out["verdict"] = VerdictName(outcome.verdict);
    out["moves"] = complete ? PointListJson(outcome.moves) : Json::array();
    if (!complete) {
        out["provenMoves"] = PointListJson(outcome.moves);
    }
    out["complete"] = complete;
    Json labels = Json::array();
    for (int32_t i = 0; i < outcome.labelledCount; ++i) {
        Json label = Json::object();
        label["label"] = outcome.labelled[i].label;
        label["point"] = PointJson(outcome.labelled[i].point);
        labels.push_back(label);
    }
    out["labels"] = labels;
    out["seconds"] = outcome.seconds;
    out["memoryBytes"] = outcome.memoryBytes;
    out["memoryMB"] = outcome.memoryBytes / 1048576;
    out["judgeCount"] = outcome.judgments;
    out["depth"] = outcome.depth;
}

int WriteSgfOut(const CliOptions& options, const SgfAnswer* answer) {
    errno = 0;
    if (WriteSgfProblemFile(options.sgfOut.c_str(), answer) != 0) {
        std::fprintf(stderr, "ostrel-solve: cannot write %s: %s\n", options.sgfOut.c_str(),
                     errno != 0 ? std::strerror(errno) : "the write failed");
        return kExitFatal;
    }
    return kExitOk;
}

std::string SolveRefusalText(int32_t threads) {
    const SolveRefusalCode refusal = SolveRefusal(threads);
    return refusal == SolveRefusalCode::kNone ? "" : RefusalReason(refusal);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Rounded(double seconds) {
    return static_cast<double>(static_cast<int64_t>(seconds * 1000.0 + 0.5)) / 1000.0;
}

bool SolveLoadedProblem(const CliOptions& options, bool echo, SolveOutcome& outcome) {
    if (options.haveSeed) {
        PrepareKeysFromSeed(options.seed);
    } else {
        PrepareKeys();
    }
    timeLimitSeconds = options.timeLimit;
    searchMode = options.search;
    strongSearch = options.strong;
    strongMemoryMegabytes = options.memoryMegabytes;
    HeadlessReset();
    HeadlessEchoMessages(echo);
    if (!LaunchSolveWorkers(options.threads)) {
        HeadlessEchoMessages(false);
        std::fprintf(stderr, "ostrel-solve: could not start %d search threads\n",
                     static_cast<int>(options.threads));
        return false;
    }
    WaitForSolveResult();
    WaitForWorkersToExit();
    HeadlessEchoMessages(false);
    outcome = HeadlessSnapshot().outcome;
    return true;
}

int RunSolve(const CliOptions& options) {
    if (const std::string why = SolveRefusalText(options.threads); !why.empty()) {
        std::fprintf(stderr, "ostrel-solve: %s: %s\n", options.file.c_str(), why.c_str());
        return kExitBadInput;
    }
    const PointList region = regionPoints;
    SolveOutcome outcome;
    const auto start = std::chrono::steady_clock::now();
    if (!SolveLoadedProblem(options, true, outcome)) {
        return kExitFatal;
    }
    const double wallSeconds = SecondsSince(start);
    if (options.json) {
        PrintJson(options, region, outcome, wallSeconds);
    } else {
        PrintText(outcome);
    }
    if (!options.sgfOut.empty()) {
        // A cut-off solve has no answer to write: its comment says so.
        SgfAnswer answer;
        answer.verdict = outcome.verdict;
        if (outcome.verdict != kSolveCutOff) {
            answer.moves = outcome.moves;
        }
        return WriteSgfOut(options, &answer);
    }
    return kExitOk;
}
