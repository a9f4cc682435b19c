// Loads problems and solves them with the worker threads, as the window does.
#pragma once

#include <chrono>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "headless/headless_frontend.h"
#include "position/region.h"
#include "problem/problem.h"
#include "problem/sgf_problem.h"
#include "search/solve.h"
#include "search/solve_state.h"

using MoveSet = std::set<std::pair<int32_t, int32_t>>;

// Puts the solve in the strong order with these settings, and back in the
// exact order however the test ends.
struct StrongOrder {
    explicit StrongOrder(const StrongSearchSettings& settings = {}) {
        searchMode = SearchMode::kStrong;
        strongSearch = settings;
    }
    ~StrongOrder() {
        searchMode = SearchMode::kExact;
        strongSearch = StrongSearchSettings{};
    }
    StrongOrder(const StrongOrder&) = delete;
    StrongOrder& operator=(const StrongOrder&) = delete;
};

struct SolveRun {
    bool finished = false;
    int32_t result = kSolveRunning;
    SolveOutcome outcome;
    HeadlessRecord shown;
    MoveSet moves;
};

inline std::string examplePath(const std::string& file) {
    return std::string(OSTREL_SOURCE_DIR) + "/examples/" + file;
}

// Takes minutes to finish: white to kill a black corner group with a wide open eye space.
inline std::string writeHeavyProblem() {
    // One file per test process: ctest runs tests in parallel.
    const std::string path =
        testing::TempDir() + "ostrel_" + std::to_string(getpid()) + "_heavy_problem.ban";
    std::ofstream out(path, std::ios::binary);
    out << "* /t=2 /mark=[3,3]\n";
    for (const char* row : {"0000000002", "0000000012", "0011111112", "0012222222", "1122", "222"}) {
        out << (row + std::string(19, '0')).substr(0, 19) << "\n";
    }
    for (int y = 7; y <= 19; ++y) {
        out << std::string(19, '0') << "\n";
    }
    return path;
}

// Reads the problem and sets up its region, as a load does.
inline bool loadProblem(const std::string& path) {
    if (ReadProblemFile(path.c_str()) != 0) {
        return false;
    }
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    return true;
}

// The same for an SGF problem, which must be complete.
inline bool loadSgfProblem(const std::string& path) {
    SgfProblem problem;
    std::string message;
    if (ReadSgfProblemFile(path.c_str(), problem, message) != kSgfOk) {
        ADD_FAILURE() << path << ": " << message;
        return false;
    }
    if (!SgfProblemGap(problem).empty()) {
        ADD_FAILURE() << path << ": " << SgfProblemGap(problem);
        return false;
    }
    TakeSgfProblem(problem);
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    return true;
}

// Fails the test when the solve has not ended after watchdogSeconds. Every
// worker searches unless searchers says otherwise, whatever the machine.
inline SolveRun solveCurrentProblem(int32_t workers, uint32_t seed = 1, int32_t timeLimit = 100000,
                                    int32_t watchdogSeconds = 120,
                                    int32_t searchers = kMaxWorkers) {
    SolveRun run;
    PrepareKeysFromSeed(seed);
    searchingWorkerLimit = searchers;
    timeLimitSeconds = timeLimit;
    HeadlessReset();
    if (!LaunchSolveWorkers(workers)) {
        ADD_FAILURE() << "the " << workers << " workers could not be started";
        return run;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(watchdogSeconds);
    while (solveResult.load() == kSolveRunning) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "a solve with " << workers << " workers did not end";
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    WaitForWorkersToExit();
    run.finished = true;
    run.result = solveResult.load();
    run.outcome = lastOutcome;
    run.shown = HeadlessSnapshot();
    for (int32_t i = 0; i < kListSlots && lastOutcome.moves[i] != 0; ++i) {
        run.moves.insert({pointX(lastOutcome.moves[i]), pointY(lastOutcome.moves[i])});
    }
    return run;
}

// An answer table (examples/README.md, bench/problems/README.md): file,
// answer, correct first moves.
struct ExampleAnswer {
    std::string file;
    int32_t verdict = 0;
    MoveSet moves;
};

// `directory` is relative to the source tree and holds the README.md.
inline std::vector<ExampleAnswer> readAnswerTable(const std::string& directory) {
    std::ifstream in(std::string(OSTREL_SOURCE_DIR) + "/" + directory + "/README.md");
    const std::regex row(R"(^\|\s*`([^`]+\.ban)`\s*\|[^|]*\|[^|]*\|\s*(\w+)\s*\|([^|]*)\|)");
    const std::regex point(R"(\((\d+),\s*(\d+)\))");
    std::vector<ExampleAnswer> answers;
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (!std::regex_search(line, m, row)) {
            continue;
        }
        ExampleAnswer answer{m[1], m[2] == "alive" ? kSolveAlive : m[2] == "dead" ? kSolveDead
                                   : m[2] == "ko"  ? kSolveKo    : -1, {}};
        const std::string moves = m[3];
        for (auto it = std::sregex_iterator(moves.begin(), moves.end(), point);
             it != std::sregex_iterator(); ++it) {
            answer.moves.insert({std::stoi((*it)[1]), std::stoi((*it)[2])});
        }
        answers.push_back(answer);
    }
    return answers;
}

inline std::vector<ExampleAnswer> readExampleAnswers() { return readAnswerTable("examples"); }
