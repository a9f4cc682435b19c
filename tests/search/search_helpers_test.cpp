#include <gtest/gtest.h>

#include <vector>

#include "search/node_search.h"
#include "search/progress.h"
#include "search/root_drivers.h"
#include "search/search_mode.h"
#include "search/solve.h"
#include "search/solve_state.h"
#include "support/board_text.h"

namespace {

// Five moves along the top edge.
constexpr int32_t kA = pointAt(1, 1), kB = pointAt(2, 1), kC = pointAt(3, 1), kD = pointAt(4, 1),
                  kE = pointAt(5, 1);

// Real children followed by the closing (pass) entry.
std::vector<ChildEntry> Children(std::initializer_list<ChildEntry> real) {
    std::vector<ChildEntry> all(real);
    all.push_back({0, 1, 1});
    return all;
}

TEST(NodeNumbers, SumsSaturateAndARefutedChildDecides) {
    const NodeNumbers none = NodeNumbersIki(Children({}).data());
    EXPECT_EQ(none.pn, 0);
    EXPECT_EQ(none.dn, INF);
    EXPECT_EQ(NodeNumbersTori(Children({}).data()).pn, INF);

    const NodeNumbers plain = NodeNumbersIki(Children({{kA, 2, 5}, {kB, 3, 4}}).data());
    EXPECT_EQ(plain.pn, 5);
    EXPECT_EQ(plain.dn, 4);
    EXPECT_EQ(plain.count, 2);
    const NodeNumbers saturated =
        NodeNumbersIki(Children({{kA, 40000, 5}, {kB, 30000, 4}, {kC, 1, 3}}).data());
    EXPECT_EQ(saturated.pn, INF);
    EXPECT_EQ(saturated.dn, 0);
    EXPECT_EQ(NodeNumbersIki(Children({{kA, 1, 0}, {kB, 1, 1}}).data()).pn, INF);

    const NodeNumbers tori = NodeNumbersTori(Children({{kA, 3, 3}, {kB, 0, INF}}).data());
    EXPECT_EQ(tori.pn, 0);
    EXPECT_EQ(tori.dn, INF);
}

TEST(ChildSelection, EarliestOnTiesStopAfterInfiniteAndThresholdFigures) {
    const ChildSelection tie = SelectIkiChild(Children({{kA, 2, 3}, {kB, 4, 3}, {kC, 1, 5}}).data());
    EXPECT_EQ(tie.move, kA);
    EXPECT_EQ(tie.second, 3);
    EXPECT_EQ(tie.scannedSum, 7);
    EXPECT_EQ(tie.selectedPart, 2);

    // The smallest dn lies behind a child whose pn is INF, so it is not seen.
    const ChildSelection stop =
        SelectIkiChild(Children({{kA, 3, 8}, {kB, INF, 9}, {kC, 1, 1}}).data());
    EXPECT_EQ(stop.move, kA);
    EXPECT_EQ(stop.second, 9);
    EXPECT_EQ(SelectToriChild(Children({{kA, 8, 3}, {kB, 9, INF}, {kC, 1, 1}}).data()).move, kA);

    const ChildSelection hopeless = SelectIkiChild(Children({{kA, 4, INF}, {kB, 5, INF}}).data());
    EXPECT_EQ(hopeless.move, kA);
    EXPECT_EQ(hopeless.selectedPart, 0);
    EXPECT_EQ(hopeless.second, INF);
    EXPECT_EQ(SelectIkiChild(Children({}).data()).move, -1);
}

TEST(RootSelection, ResolvedAndBusyEntriesAreSkipped) {
    workersStarted.store(4);
    ChildEntry entries[kRootSlots] = {{kA, 0, INF}, {kB, 3, 4}, {kC, 2, 2}, {kD, 5, 6}};
    BusyRootMoves busy{};
    EXPECT_EQ(SelectRootDefender(entries, busy).move, kC);
    RecordBusyRootMove(busy, kC);
    const RootSelection next = SelectRootDefender(entries, busy);
    EXPECT_EQ(next.move, kB);
    EXPECT_EQ(next.second, 6);
    RecordBusyRootMove(busy, kB);
    RecordBusyRootMove(busy, kD);
    EXPECT_EQ(SelectRootDefender(entries, busy).move, kRootOnlyBusy);
    RecordBusyRootMove(busy, kE);  // three slots for four workers: the list empties
    EXPECT_EQ(busy.move[0], 0);
    ChildEntry resolved[kRootSlots] = {{kA, 0, INF}, {kB, INF, 0}};
    EXPECT_EQ(SelectRootAttacker(resolved, busy).move, kRootAllResolved);
    workersStarted.store(0);
}

// A first move grows to a multiple of the second best; without a root growth
// of its own it grows as a child inside the tree does.
TEST(RootSelection, StrongFirstMovesGrowPastTheSecondBest) {
    StrongSearchSettings settings;
    settings.rootEpsilonNumerator = 12;
    settings.rootEpsilonDenominator = 1;
    EXPECT_EQ(StrongRootThreshold(5, settings), 65);
    settings.rootEpsilonNumerator = 1;
    settings.rootEpsilonDenominator = 3;
    EXPECT_EQ(StrongRootThreshold(7, settings), 10);  // 7 + ceil(7 / 3)
    EXPECT_EQ(StrongRootThreshold(1, settings), 2);
    settings.rootEpsilonNumerator = 0;
    EXPECT_EQ(StrongRootThreshold(8, settings), 9);
    settings.epsilonNumerator = 1;
    EXPECT_EQ(StrongRootThreshold(8, settings), 10);  // the tree's 1/4
}

TEST(CandidateLists, TouchingPointsCountByColourBits) {
    Board board = boardFromText({
        ".X.X.X.X",
        "..X.....",
        ".O......",
    });
    board[pointAt(2, 1)] |= kOutsideMark;  // counted by its colour bits
    PointList list{};
    for (int32_t p : {pointAt(1, 1), pointAt(3, 1), pointAt(5, 1), pointAt(7, 1)}) {
        addPoint(list, p);
    }
    EXPECT_EQ(CountTouchingPoints(board, list, kBlack), 3);
    EXPECT_EQ(CountTouchingPoints(board, list, kWhite), 0);

}

class ProgressMonitor : public ::testing::Test {
protected:
    void SetUp() override {
        monitorCalls = 0;
        startTick = lastCheckTick = TickCount();
        slowChecks = 0;
        timeLimitSeconds = 100000;
    }
    void TearDown() override {
        physicalMemoryShort = PhysicalMemoryShortFromProc;
        timeLimitSeconds = 100000;
    }
    // The 100 calls that only count, then the 101st, in a window opened `ago` ms back.
    int32_t CheckWindow(uint32_t ago) {
        lastCheckTick = TickCount() - ago;
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(CheckProgress(), kProgressGoOn);
        }
        return CheckProgress();
    }
};

TEST_F(ProgressMonitor, TimeLimitAndSlowWindowsThatCountOnlyWhenMemoryIsShort) {
    physicalMemoryShort = [] { return false; };
    EXPECT_EQ(CheckWindow(500), kProgressGoOn);
    EXPECT_EQ(CheckWindow(500), kProgressGoOn);
    EXPECT_EQ(slowChecks, 0);
    physicalMemoryShort = [] { return true; };
    EXPECT_EQ(CheckWindow(500), kProgressGoOn);
    EXPECT_EQ(slowChecks, 1);
    EXPECT_EQ(CheckWindow(0), kProgressGoOn);  // a fast window starts the count again
    EXPECT_EQ(slowChecks, 0);
    EXPECT_EXIT((CheckWindow(500), CheckWindow(500)), ::testing::ExitedWithCode(1),
                "ワーキングメモリ [0-9]+Mbyte 使用");

    timeLimitSeconds = 0;
    EXPECT_EQ(CheckWindow(0), kProgressTimeUp);
    EXPECT_EQ(monitorCalls, 0);
}

}  // namespace
