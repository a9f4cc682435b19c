// The search region set-up on the example problems: it runs once per
// established problem (load, set-up finish, each move of the play mode).
#include <benchmark/benchmark.h>

#include <string>

#include "position/region.h"
#include "problem/problem.h"

namespace {

const char* const kProblems[] = {
    "corner_bent_three_white_kills.ban",
    "side_cutting_point_black_lives.ban",
    "centre_pyramid_four_black_kills.ban",
};

void BM_setUpSearchRegion(benchmark::State& state) {
    const std::string path =
        std::string(OSTREL_SOURCE_DIR) + "/examples/" + kProblems[state.range(0)];
    if (ReadProblemFile(path.c_str()) != 0) {
        state.SkipWithError(("cannot read " + path).c_str());
        return;
    }
    state.SetLabel(kProblems[state.range(0)]);
    const Board board = problemBoard;
    for (auto _ : state) {
        setUpSearchRegion(0, board, targetPoint, regionPoints);
        benchmark::DoNotOptimize(regionPoints);
    }
}
BENCHMARK(BM_setUpSearchRegion)->DenseRange(0, 2);

}  // namespace
