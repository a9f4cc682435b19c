// Loads example problems and solves them with the worker threads, as the
// window does, for the engine tests.
#pragma once

#include <chrono>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "cli/headless_frontend.h"
#include "position/region.h"
#include "problem/problem.h"
#include "search/solve.h"
#include "search/solve_state.h"

struct SolveRun {
    int32_t result = kSolveRunning;
    SolveOutcome outcome;
    HeadlessRecord shown;
    bool finished = false;
};

// A problem far too large to finish quickly (minutes), for the time limit:
// white to kill a black corner group with a wide open eye space.
inline std::string writeHeavyProblem() {
    const std::string path = testing::TempDir() + "ostrel_heavy_problem.ban";
    std::ofstream out(path, std::ios::binary);
    out << "* /t=2 /mark=[3,3]\r\n"
           "0000000002000000000\r\n"
           "0000000012000000000\r\n"
           "0011111112000000000\r\n"
           "0012222222000000000\r\n"
           "1122000000000000000\r\n"
           "2220000000000000000\r\n";
    for (int y = 7; y <= 19; ++y) {
        out << "0000000000000000000\r\n";
    }
    return path;
}

inline bool loadHeavyProblem() {
    if (ReadProblemFile(writeHeavyProblem().c_str()) != 0) {
        return false;
    }
    setUpSearchRegion(0, problemBoard);
    return true;
}

inline std::string examplePath(const std::string& file) {
    return std::string(OSTREL_SOURCE_DIR) + "/examples/" + file;
}

// Reads the problem and sets up its region as a load does.
inline bool loadExample(const std::string& file) {
    if (ReadProblemFile(examplePath(file).c_str()) != 0) {
        return false;
    }
    setUpSearchRegion(0, problemBoard);
    return true;
}

// Solves the current problem; gives up waiting (and fails) after `patience`.
inline SolveRun solveCurrentProblem(int32_t workers, uint32_t seed = 1,
                                    int32_t timeLimit = 100000,
                                    std::chrono::seconds patience = std::chrono::seconds(120)) {
    SolveRun run;
    PrepareKeysFromSeed(seed);
    timeLimitSeconds = timeLimit;
    HeadlessReset();
    LaunchSolveWorkers(workers);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (solveResult.load() == kSolveRunning) {
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "solve with " << workers << " workers did not end";
            return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    WaitForWorkersToExit();
    run.finished = true;
    run.result = solveResult.load();
    run.outcome = lastOutcome;
    run.shown = HeadlessSnapshot();
    return run;
}

inline std::set<std::pair<int32_t, int32_t>> movesOf(const SolveOutcome& outcome) {
    std::set<std::pair<int32_t, int32_t>> moves;
    for (int32_t i = 0; i < kListSlots && outcome.moves[i] != 0; ++i) {
        moves.insert({pointX(outcome.moves[i]), pointY(outcome.moves[i])});
    }
    return moves;
}

// One row of the answer table in examples/README.md.
struct ExampleAnswer {
    std::string file;
    int32_t verdict = 0;
    std::set<std::pair<int32_t, int32_t>> moves;
};

inline std::vector<ExampleAnswer> readExampleAnswers() {
    std::ifstream in(std::string(OSTREL_SOURCE_DIR) + "/examples/README.md");
    std::vector<ExampleAnswer> answers;
    std::string line;
    const std::regex row(R"(^\|\s*`([^`]+\.ban)`\s*\|[^|]*\|[^|]*\|\s*(\w+)\s*\|([^|]*)\|)");
    const std::regex point(R"(\((\d+),\s*(\d+)\))");
    while (std::getline(in, line)) {
        std::smatch m;
        if (!std::regex_search(line, m, row)) {
            continue;
        }
        ExampleAnswer answer;
        answer.file = m[1];
        const std::string verdict = m[2];
        answer.verdict = verdict == "alive" ? kSolveAlive
                         : verdict == "dead" ? kSolveDead
                         : verdict == "ko"   ? kSolveKo
                                             : -1;
        const std::string moves = m[3];
        for (auto it = std::sregex_iterator(moves.begin(), moves.end(), point);
             it != std::sregex_iterator(); ++it) {
            answer.moves.insert({std::stoi((*it)[1]), std::stoi((*it)[2])});
        }
        answers.push_back(answer);
    }
    return answers;
}
