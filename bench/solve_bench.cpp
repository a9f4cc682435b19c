// Whole solves with the worker threads, as the window runs them: every
// example problem with 1 and 2 workers and fixed keys.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "headless/headless_frontend.h"
#include "position/judgment.h"
#include "position/region.h"
#include "problem/problem.h"
#include "search/solve.h"
#include "search/solve_state.h"

namespace {

constexpr uint32_t kSeed = 1;

// Not an example: a larger open corner that takes about a second, so that
// the rate is measured on more than a handful of judgments.
constexpr const char* kOpenCornerProblem =
    "* /t=2 /mark=[2,3]\n"
    "0000001200000000000\n"
    "0000001200000000000\n"
    "1111111200000000000\n"
    "2222222200000000000\n";

std::string WriteOpenCorner() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "ostrel_bench_open_corner.ban").string();
    if (std::FILE* file = std::fopen(path.c_str(), "w")) {
        std::fputs(kOpenCornerProblem, file);
        for (int y = 5; y <= 19; ++y) {
            std::fputs("0000000000000000000\n", file);
        }
        std::fclose(file);
    }
    return path;
}

void BM_Solve(benchmark::State& state, const std::string& path, int32_t workers) {
    uint64_t judgments = 0;
    uint64_t memory = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ReadProblemFile(path.c_str());
        setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
        PrepareKeysFromSeed(kSeed);
        timeLimitSeconds = 100000;
        HeadlessReset();
        state.ResumeTiming();

        LaunchSolveWorkers(workers);
        while (solveResult.load() == kSolveRunning) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        WaitForWorkersToExit();
        judgments += lastOutcome.judgments;
        memory = lastOutcome.memoryBytes;
    }
    state.counters["judgments"] = benchmark::Counter(
        static_cast<double>(judgments), benchmark::Counter::kAvgIterations);
    state.counters["judgments/s"] =
        benchmark::Counter(static_cast<double>(judgments), benchmark::Counter::kIsRate);
    state.counters["memoryBytes"] = static_cast<double>(memory);
}

void RegisterSolves() {
    std::vector<std::string> problems;
    const std::filesystem::path examples = std::filesystem::path(OSTREL_SOURCE_DIR) / "examples";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(examples, error)) {
        if (entry.path().extension() == ".ban") {
            problems.push_back(entry.path().string());
        }
    }
    std::sort(problems.begin(), problems.end());
    problems.push_back(WriteOpenCorner());
    for (const std::string& path : problems) {
        const std::string name = std::filesystem::path(path).stem().string();
        for (int32_t workers : {1, 2}) {
            benchmark::RegisterBenchmark(
                ("BM_Solve/" + name + "/workers:" + std::to_string(workers)).c_str(),
                [path, workers](benchmark::State& state) { BM_Solve(state, path, workers); })
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
}

const bool registered = (RegisterSolves(), true);

}  // namespace
