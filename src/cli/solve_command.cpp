// The solve of ostrel-solve: the same worker threads as the window starts,
// with the outcome printed instead of shown in a box.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "cli/cli.h"
#include "cli/headless_frontend.h"
#include "problem/problem.h"
#include "search/solve.h"
#include "search/solve_state.h"

namespace {

const char* VerdictName(int32_t verdict) {
    switch (verdict) {
        case kSolveAlive: return "alive";
        case kSolveDead: return "dead";
        case kSolveKo: return "ko";
        default: return "cut off";
    }
}

// Why the problem cannot be solved, in words for the command line.
std::string RefusalReason(int32_t threads) {
    if (targetStone() == 0) {
        return "no stone at the target point";
    }
    if (sideToMove != kBlack && sideToMove != kWhite) {
        return "no side to move";
    }
    if (threads < 1 || threads > kMaxWorkers) {
        return "--threads takes a number from 1 to 16";
    }
    return "cannot be solved";
}

void PrintJson(const CliOptions& options, const PointList& region, int32_t side,
               int32_t target, const SolveOutcome& outcome, const HeadlessRecord& shown) {
    std::string out = "{";
    out += ProblemJsonFields(options.file, side, target, region);
    out += ", \"threads\": " + std::to_string(options.threads);
    out += ", \"solveResult\": " + std::to_string(outcome.verdict);
    out += ", \"verdict\": ";
    AppendJsonString(out, VerdictName(outcome.verdict));
    out += ", \"moves\": " + PointListJson(outcome.moves);
    out += ", \"labels\": [";
    for (size_t i = 0; i < shown.labels.size(); ++i) {
        out += i ? ", {\"label\": " : "{\"label\": ";
        AppendJsonString(out, shown.labels[i].label);
        out += ", \"point\": " + PointJson(pointAt(shown.labels[i].column, shown.labels[i].row)) + "}";
    }
    out += "], \"seconds\": " + std::to_string(outcome.seconds);
    out += ", \"memoryBytes\": " + std::to_string(outcome.memoryBytes);
    out += ", \"memoryMB\": " + std::to_string(outcome.memoryBytes / 1048576);
    out += ", \"judgeCount\": " + std::to_string(outcome.judgments);
    out += ", \"depth\": " + std::to_string(outcome.depth);
    out += "}\n";
    std::fputs(out.c_str(), stdout);
}

void PrintText(const SolveOutcome& outcome, const HeadlessRecord& shown) {
    if (outcome.verdict == kSolveCutOff) {
        std::printf("%s\n", outcome.boxText.c_str());
        return;
    }
    std::printf("%s\n", outcome.outcomeLine.c_str());
    // The outcome box repeats the outcome line before its own part.
    std::string box = outcome.boxText;
    const std::string lead = outcome.outcomeLine + "\n";
    if (box.rfind(lead, 0) == 0) {
        box.erase(0, lead.size());
    }
    std::printf("%s\n", box.c_str());
    for (const HeadlessLabel& label : shown.labels) {
        std::printf("%s %d,%d\n", label.label.c_str(), label.column, label.row);
    }
}

}  // namespace

int RunSolve(const CliOptions& options) {
    if (SolveRefusal(options.threads) != nullptr) {
        std::fprintf(stderr, "ostrel-solve: %s: %s\n", options.file.c_str(),
                     RefusalReason(options.threads).c_str());
        return kExitBadInput;
    }
    const PointList region = regionPoints;
    const int32_t side = sideToMove;
    const int32_t target = targetPoint;

    if (options.haveSeed) {
        PrepareKeysFromSeed(options.seed);
    } else {
        PrepareKeys();
    }
    timeLimitSeconds = options.timeLimit;
    HeadlessReset();
    HeadlessEchoMessages(true);
    LaunchSolveWorkers(options.threads);
    while (solveResult.load() == kSolveRunning) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    WaitForWorkersToExit();
    HeadlessEchoMessages(false);

    const HeadlessRecord shown = HeadlessSnapshot();
    if (options.json) {
        PrintJson(options, region, side, target, lastOutcome, shown);
    } else {
        PrintText(lastOutcome, shown);
    }
    return kExitOk;
}
