// Solves every problem of bench/problems/ (or the files named) with 1, 2, 4
// and 16 workers and fixed keys, and prints per problem: judgments, wall
// seconds and judgments per second for each worker count, the time of 2
// workers against 1, and the node table's heap use against its counted bytes.
//
//   ostrel_set_bench [--workers 1,2,4,16] [--searchers N] [--rounds N] [--filter TEXT]
//                    [FILE.ban|DIR]...
//
// --searchers caps the workers that search, as searchingWorkerLimit does; the
// default 0 is the processor count, as in the program.
// With several rounds each solve keeps its fastest time. The heap figure is
// sampled while the solve runs: the peak of glibc's bytes in use above what
// was in use before the solve, beside the peak of the counted bytes (both
// peaks fall at the end of the larger pass). The bucket array is static and
// in neither figure.
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "headless/headless_frontend.h"
#include "position/region.h"
#include "problem/problem.h"
#include "search/node_table.h"
#include "search/solve.h"
#include "search/solve_state.h"

namespace {

constexpr uint32_t kSeed = 1;

struct SolveFigures {
    int32_t verdict = 0;
    uint32_t judgments = 0;
    double seconds = 0;
    uint64_t countedBytes = 0;  // peak of the counted bytes
    uint64_t heapBytes = 0;     // peak of the heap in use above the start
    std::set<int32_t> moves;    // working first moves
};

uint64_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

SolveFigures SolveOnce(int32_t workers) {
    PrepareKeysFromSeed(kSeed);
    timeLimitSeconds = 100000;
    HeadlessReset();
    SolveFigures figures;
    const uint64_t heapBefore = HeapInUse();
    const auto start = std::chrono::steady_clock::now();
    LaunchSolveWorkers(workers);
    while (solveResult.load() == kSolveRunning) {
        const uint64_t heap = HeapInUse();
        figures.heapBytes = std::max(figures.heapBytes, heap > heapBefore ? heap - heapBefore : 0);
        figures.countedBytes = std::max(figures.countedBytes, memoryUsed.load(std::memory_order_relaxed));
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    WaitForWorkersToExit();
    figures.verdict = solveResult.load();
    figures.judgments = lastOutcome.judgments;
    for (int32_t i = 0; i < kListSlots && lastOutcome.moves[i] != 0; ++i) {
        figures.moves.insert(lastOutcome.moves[i]);
    }
    return figures;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<int32_t> ParseWorkers(const char* text) {
    std::vector<int32_t> counts;
    for (const char* at = text; *at != '\0';) {
        char* end = nullptr;
        const long n = std::strtol(at, &end, 10);
        if (end == at || n < 1 || n > kMaxWorkers) {
            return {};
        }
        counts.push_back(static_cast<int32_t>(n));
        at = *end == ',' ? end + 1 : end;
    }
    return counts;
}

std::vector<std::string> ProblemFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            files.push_back(path);
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
            if (entry.path().extension() == ".ban") {
                files.push_back(entry.path().string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: ostrel_set_bench [--workers 1,2,4,16] [--searchers N] [--rounds N] "
                 "[--filter TEXT] "
                 "[FILE.ban|DIR]...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int32_t> workerCounts = {1, 2, 4, 16};
    int32_t rounds = 1;
    std::string filter;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--workers" && i + 1 < argc) {
            workerCounts = ParseWorkers(argv[++i]);
            if (workerCounts.empty()) {
                return Usage();
            }
        } else if (arg == "--searchers" && i + 1 < argc) {
            searchingWorkerLimit = std::clamp(std::atoi(argv[++i]), 0, kMaxWorkers);
        } else if (arg == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--filter" && i + 1 < argc) {
            filter = argv[++i];
        } else if (!arg.empty() && arg[0] != '-') {
            paths.push_back(arg);
        } else {
            return Usage();
        }
    }
    if (paths.empty()) {
        paths.push_back(std::string(OSTREL_SOURCE_DIR) + "/bench/problems");
    }
    std::vector<std::string> files = ProblemFiles(paths);
    std::erase_if(files, [&](const std::string& f) { return f.find(filter) == std::string::npos; });
    if (files.empty()) {
        std::fprintf(stderr, "no problem files\n");
        return 2;
    }
    const bool hasOne = std::count(workerCounts.begin(), workerCounts.end(), 1) > 0;
    const bool hasTwo = std::count(workerCounts.begin(), workerCounts.end(), 2) > 0;

    std::printf("%-44s %10s", "problem", "judgments");
    for (int32_t w : workerCounts) {
        std::printf(" %8s %9s", ("s@" + std::to_string(w)).c_str(), ("jps@" + std::to_string(w)).c_str());
    }
    std::printf(" %6s %10s %10s %6s\n", "t2/t1", "counted", "heap", "heap/c");

    std::vector<double> ratios;
    std::vector<double> ratiosLong;  // problems of at least 0.5 s with one worker
    std::vector<double> oneWorkerRates;
    int exitCode = 0;
    for (const std::string& file : files) {
        if (ReadProblemFile(file.c_str()) != 0 || SolveRefusal(1) != SolveRefusalCode::kNone) {
            std::fprintf(stderr, "%s: cannot be solved\n", file.c_str());
            exitCode = 1;
            continue;
        }
        setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
        std::vector<SolveFigures> best(workerCounts.size());
        for (int32_t round = 0; round < rounds; ++round) {
            for (size_t k = 0; k < workerCounts.size(); ++k) {
                const SolveFigures run = SolveOnce(workerCounts[k]);
                if (round == 0 || run.seconds < best[k].seconds) {
                    best[k] = run;
                }
            }
        }
        const std::string name = std::filesystem::path(file).filename().string();
        std::printf("%-44s %10u", name.c_str(), best[0].judgments);
        double oneSeconds = 0;
        double twoSeconds = 0;
        for (size_t k = 0; k < workerCounts.size(); ++k) {
            const double jps = best[k].seconds > 0 ? best[k].judgments / best[k].seconds : 0;
            std::printf(" %8.3f %9.0f", best[k].seconds, jps);
            if (workerCounts[k] == 1) {
                oneSeconds = best[k].seconds;
                oneWorkerRates.push_back(jps);
            } else if (workerCounts[k] == 2) {
                twoSeconds = best[k].seconds;
            }
            if (best[k].verdict != best[0].verdict) {
                std::fprintf(stderr, "%s: %d workers give verdict %d, %d workers %d\n", name.c_str(),
                             workerCounts[k], best[k].verdict, workerCounts[0], best[0].verdict);
                exitCode = 1;
            }
            if (best[k].moves != best[0].moves) {
                std::fprintf(stderr, "%s: %d workers give other working first moves than %d\n",
                             name.c_str(), workerCounts[k], workerCounts[0]);
                exitCode = 1;
            }
        }
        if (hasOne && hasTwo && oneSeconds > 0) {
            ratios.push_back(twoSeconds / oneSeconds);
            if (oneSeconds >= 0.5) {
                ratiosLong.push_back(twoSeconds / oneSeconds);
            }
            std::printf(" %6.2f", twoSeconds / oneSeconds);
        } else {
            std::printf(" %6s", "-");
        }
        const SolveFigures& first = best[0];
        std::printf(" %10llu %10llu %6.2f\n", static_cast<unsigned long long>(first.countedBytes),
                    static_cast<unsigned long long>(first.heapBytes),
                    first.countedBytes ? static_cast<double>(first.heapBytes) / first.countedBytes : 0.0);
        std::fflush(stdout);
    }
    if (hasOne) {
        std::printf("median one-worker judgments per second: %.0f\n", Median(oneWorkerRates));
    }
    if (hasOne && hasTwo) {
        std::printf("median t2/t1: %.2f over %zu problems, %.2f over the %zu of at least 0.5 s\n",
                    Median(ratios), ratios.size(), Median(ratiosLong), ratiosLong.size());
    }
    return exitCode;
}
