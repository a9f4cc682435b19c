// The rules of play on a typical fighting position: these run at every node.
#include <benchmark/benchmark.h>

#include "position/board.h"

namespace {

// A corner fight with several strings of both colours and some open area.
Board fightPosition() {
    const char* rows[] = {
        "..OX.X.............",
        "OOOXX..............",
        "XXOOX..X...........",
        ".XXO.X.............",
        "..XOO..............",
        "..XXO..............",
        "...XO..............",
    };
    Board board;
    clearBoard(board);
    for (int32_t y = 1; y <= 7; ++y) {
        for (int32_t x = 1; x <= 19; ++x) {
            const char c = rows[y - 1][x - 1];
            board[pointAt(x, y)] = c == 'X' ? kBlack : c == 'O' ? kWhite : kEmpty;
        }
    }
    return board;
}

void BM_playMove(benchmark::State& state) {
    const Board position = fightPosition();
    Board board;
    for (auto _ : state) {
        board = position;
        playMove(0, board, kBlack, pointAt(1, 1));  // captures the white corner string
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(BM_playMove);

void BM_playMoveQuiet(benchmark::State& state) {
    const Board position = fightPosition();
    Board board;
    for (auto _ : state) {
        board = position;
        playMove(0, board, kWhite, pointAt(5, 4));
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(BM_playMoveQuiet);

void BM_tumetst1(benchmark::State& state) {
    const Board position = fightPosition();
    const int32_t points[] = {pointAt(1, 1), pointAt(5, 4), pointAt(1, 4), pointAt(5, 1),
                              pointAt(6, 2), pointAt(2, 5)};
    for (auto _ : state) {
        for (const int32_t p : points) {
            benchmark::DoNotOptimize(tumetst1(position, kWhite, p));
            benchmark::DoNotOptimize(tumetst1(position, kBlack, p));
        }
    }
    state.SetItemsProcessed(state.iterations() * 12);
}
BENCHMARK(BM_tumetst1);

void BM_tumedame(benchmark::State& state) {
    const Board position = fightPosition();
    const int32_t stones[] = {pointAt(3, 1), pointAt(1, 3), pointAt(4, 3), pointAt(5, 6)};
    for (auto _ : state) {
        for (const int32_t p : stones) {
            benchmark::DoNotOptimize(tumedame(position, p));
        }
    }
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_tumedame);

}  // namespace
