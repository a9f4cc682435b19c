// The static judgment on example problems: it runs once per new search node.
#include <benchmark/benchmark.h>

#include <string>

#include "position/board.h"
#include "position/judgment.h"
#include "position/region.h"
#include "problem/problem.h"

namespace {

constexpr const char* kProblems[] = {
    "corner_bent_three_white_kills",
    "corner_straight_four_white_cannot_kill",
    "side_cutting_point_white_makes_ko",
    "centre_pyramid_four_black_kills",
};

// The board as the search sees it: colours, the outside marks of the open area,
// and after the first region move of the side to move.
struct JudgedPosition {
    Board board;
    PointList list;
    bool loaded = false;
};

JudgedPosition prepare(const char* name, bool afterFirstMove) {
    JudgedPosition position;
    const std::string path = std::string(OSTREL_SOURCE_DIR) + "/examples/" + name + ".ban";
    if (ReadProblemFile(path.c_str()) != 0 || !problemComplete()) return position;
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    copyColours(position.board, problemBoard);
    markOutside(0, position.board, regionPoints);
    position.list = regionPoints;
    if (afterFirstMove) {
        for (int32_t i = 0; i < kListSlots && regionPoints[i] != 0; ++i) {
            const int32_t p = regionPoints[i];
            if (tumetst1(position.board, sideToMove, p) == 1) {
                playMove(0, position.board, sideToMove, p);
                removePoint(position.list, p);
                break;
            }
        }
    }
    position.loaded = true;
    return position;
}

void judge(benchmark::State& state, bool afterFirstMove) {
    const char* name = kProblems[state.range(0)];
    const JudgedPosition position = prepare(name, afterFirstMove);
    if (!position.loaded) {
        state.SkipWithError("example problem not readable");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(judgePosition(position.board, targetPoint, position.list));
    }
    state.SetLabel(name);
    state.SetItemsProcessed(state.iterations());
}

void BM_judgePositionRoot(benchmark::State& state) { judge(state, false); }
void BM_judgePositionAfterMove(benchmark::State& state) { judge(state, true); }

constexpr int64_t kLastProblem = static_cast<int64_t>(std::size(kProblems)) - 1;
BENCHMARK(BM_judgePositionRoot)->DenseRange(0, kLastProblem);
BENCHMARK(BM_judgePositionAfterMove)->DenseRange(0, kLastProblem);

}  // namespace
