#include <gtest/gtest.h>

#include <vector>

#include "search/node_search.h"
#include "search/progress.h"
#include "search/root_drivers.h"
#include "search/solve.h"
#include "search/solve_state.h"
#include "support/board_text.h"

namespace {

// Real children followed by the closing (pass) entry.
std::vector<ChildEntry> Children(std::initializer_list<ChildEntry> real) {
    std::vector<ChildEntry> all(real);
    all.push_back({0, 1, 1});
    return all;
}

TEST(NodeNumbers, DefenderNodeSumsProofAndTakesSmallestDisproof) {
    EXPECT_EQ(NodeNumbersIki(Children({}).data()).pn, 0);
    EXPECT_EQ(NodeNumbersIki(Children({}).data()).dn, INF);

    const auto plain = Children({{21, 2, 5}, {22, 3, 4}, {23, 1, 7}});
    const NodeNumbers n = NodeNumbersIki(plain.data());
    EXPECT_EQ(n.pn, 6);
    EXPECT_EQ(n.dn, 4);
    EXPECT_EQ(n.count, 3);

    // A saturated sum makes the node disproven-looking, whatever comes later.
    const auto saturated = Children({{21, 40000, 5}, {22, 30000, 4}, {23, 1, 3}});
    EXPECT_EQ(NodeNumbersIki(saturated.data()).pn, INF);
    EXPECT_EQ(NodeNumbersIki(saturated.data()).dn, 0);

    // A child with dn 0 makes pn INF even though the sum is small.
    const auto refuted = Children({{21, 1, 0}, {22, 1, 1}});
    EXPECT_EQ(NodeNumbersIki(refuted.data()).pn, INF);
    EXPECT_EQ(NodeNumbersIki(refuted.data()).dn, 0);
}

TEST(NodeNumbers, AttackerNodeIsTheMirror) {
    EXPECT_EQ(NodeNumbersTori(Children({}).data()).pn, INF);
    EXPECT_EQ(NodeNumbersTori(Children({}).data()).dn, 0);

    const auto plain = Children({{21, 5, 2}, {22, 4, 3}});
    EXPECT_EQ(NodeNumbersTori(plain.data()).pn, 4);
    EXPECT_EQ(NodeNumbersTori(plain.data()).dn, 5);

    const auto proven = Children({{21, 3, 3}, {22, 0, INF}});
    EXPECT_EQ(NodeNumbersTori(proven.data()).pn, 0);
    EXPECT_EQ(NodeNumbersTori(proven.data()).dn, INF);
}

TEST(ChildSelection, DefenderPicksSmallestDisproofEarliestOnTies) {
    const auto tie = Children({{21, 2, 3}, {22, 4, 3}, {23, 1, 5}});
    const ChildSelection pick = SelectIkiChild(tie.data());
    EXPECT_EQ(pick.move, 21);
    EXPECT_EQ(pick.index, 0);
    EXPECT_EQ(pick.second, 3);
    EXPECT_EQ(pick.scannedSum, 7);
    EXPECT_EQ(pick.selectedPart, 2);
}

TEST(ChildSelection, ScanStopsAfterAChildWithInfiniteSummedNumber) {
    // The third child has the smallest dn but lies behind a pn of INF.
    const auto children = Children({{21, 3, 8}, {22, INF, 9}, {23, 1, 1}});
    const ChildSelection pick = SelectIkiChild(children.data());
    EXPECT_EQ(pick.move, 21);
    EXPECT_EQ(pick.second, 9);
    EXPECT_EQ(pick.scannedSum, 3 + INF);

    const auto tori = Children({{21, 8, 3}, {22, 9, INF}, {23, 1, 1}});
    EXPECT_EQ(SelectToriChild(tori.data()).move, 21);
}

TEST(ChildSelection, NoChildOrOnlyInfiniteChildren) {
    const ChildSelection none = SelectIkiChild(Children({}).data());
    EXPECT_EQ(none.move, -1);
    EXPECT_EQ(none.selectedPart, 0);
    EXPECT_EQ(none.second, INF);

    const auto hopeless = Children({{21, 4, INF}, {22, 5, INF}});
    const ChildSelection pick = SelectIkiChild(hopeless.data());
    EXPECT_EQ(pick.move, 21);
    EXPECT_EQ(pick.selectedPart, 0);  // the best is INF: its pn does not count
    EXPECT_EQ(pick.second, INF);
}

TEST(RootSelection, SkipsResolvedAndBusyEntries) {
    workersStarted.store(4);
    ChildEntry entries[kRootSlots] = {{21, 0, INF}, {22, 3, 4}, {23, 2, 2}, {24, 5, 6}};
    BusyRootMoves busy{};
    RootSelection pick = SelectRootDefender(entries, busy);
    EXPECT_EQ(pick.move, 23);
    EXPECT_EQ(pick.second, 4);

    RecordBusyRootMove(busy, 23);
    pick = SelectRootDefender(entries, busy);
    EXPECT_EQ(pick.move, 22);
    EXPECT_EQ(pick.second, 6);

    RecordBusyRootMove(busy, 22);
    RecordBusyRootMove(busy, 24);
    EXPECT_EQ(SelectRootDefender(entries, busy).move, kRootOnlyBusy);
    // With three slots (four workers) taken, a fourth busy move empties the list.
    RecordBusyRootMove(busy, 25);
    EXPECT_EQ(busy.move[0], 0);

    ChildEntry resolved[kRootSlots] = {{21, 0, INF}, {22, INF, 0}};
    EXPECT_EQ(SelectRootDefender(resolved, BusyRootMoves{}).move, kRootAllResolved);
    workersStarted.store(0);
}

TEST(RootSelection, OneWorkerNeverKeepsBusyMoves) {
    workersStarted.store(1);
    BusyRootMoves busy{};
    RecordBusyRootMove(busy, 30);
    EXPECT_EQ(busy.move[0], 0);
    workersStarted.store(0);
}

TEST(CandidateLists, TouchingPointsCountByColourBitsAndStopAtThree) {
    // Black stones, one carrying the outside mark; the points around them are listed.
    Board board = boardFromText({
        ".X.X.X.X",
        "........",
    });
    board[pointAt(2, 1)] |= kOutsideMark;
    PointList list{};
    for (int32_t x : {1, 3, 5, 7}) {
        addPoint(list, pointAt(x, 1));
    }
    addPoint(list, pointAt(2, 2));
    EXPECT_EQ(CountTouchingPoints(board, list, kBlack), 3);
    EXPECT_EQ(CountTouchingPoints(board, list, kWhite), 0);

    PointList one{};
    addPoint(one, pointAt(1, 1));   // touches the marked black stone
    addPoint(one, pointAt(2, 1));   // occupied: not counted
    addPoint(one, pointAt(10, 10));
    EXPECT_EQ(CountTouchingPoints(board, one, kBlack), 1);
}

TEST(CandidateLists, EmptyNeighboursInTableOrderAndCapturesInRecordOrder) {
    Board board = boardFromText({
        ".....",
        "..X..",
        ".O...",
    });
    board[pointAt(3, 1)] = kKoMark;  // marked empty points are still empty
    PointList list{};
    addPoint(list, pointAt(2, 2));
    AddEmptyNeighbours(board, list, pointAt(2, 2));
    EXPECT_EQ(list[0], pointAt(2, 2));
    EXPECT_EQ(list[1], pointAt(2, 1));
    EXPECT_EQ(list[2], pointAt(1, 2));
    EXPECT_EQ(list[3], 0);  // (3,2) black, (2,3) white

    AddEmptyNeighbours(board, list, pointAt(3, 2));
    EXPECT_EQ(list[3], pointAt(3, 1));
    EXPECT_EQ(list[4], pointAt(4, 2));
    EXPECT_EQ(list[5], pointAt(3, 3));

    rulesScratch[3].capturedByMove = 2;
    rulesScratch[3].captureRecord[0] = pointAt(9, 9);
    rulesScratch[3].captureRecord[1] = pointAt(2, 1);
    PointList x{};
    PointList y{};
    addPoint(y, pointAt(9, 9));
    AddCapturedPoints(3, x, y);
    EXPECT_EQ(x[0], pointAt(9, 9));
    EXPECT_EQ(x[1], pointAt(2, 1));
    EXPECT_EQ(y[0], pointAt(9, 9));
    EXPECT_EQ(y[1], pointAt(2, 1));
    EXPECT_EQ(y[2], 0);
    rulesScratch[3].capturedByMove = 0;
}

TEST(CandidateLists, AttackerStoneTouchingTheOpenAreaJoinsIt) {
    Board board = boardFromText({
        "#....",
        ".XX..",
        ".....",
    });
    board[pointAt(1, 2)] = kBlack;
    ExtendOutsideMark(board, pointAt(1, 2));
    EXPECT_EQ(board[pointAt(1, 2)], kBlack | kOutsideMark);
    EXPECT_EQ(board[pointAt(2, 2)], kBlack | kOutsideMark);
    EXPECT_EQ(board[pointAt(3, 2)], kBlack | kOutsideMark);

    Board inside = boardFromText({
        ".....",
        ".XX..",
    });
    ExtendOutsideMark(inside, pointAt(2, 2));
    EXPECT_EQ(inside[pointAt(2, 2)], kBlack);
}

TEST(Outcome, SecondsAreRoundedAndSurviveTheTickWrap) {
    EXPECT_EQ(RoundedSeconds(1000 + 1499, 1000), 1u);
    EXPECT_EQ(RoundedSeconds(1000 + 1500, 1000), 2u);
    EXPECT_EQ(RoundedSeconds(1000 + 499, 1000), 0u);
    const uint32_t start = 0xFFFFFF00u;
    EXPECT_EQ(RoundedSeconds(start + 2600, start), 3u);
}

TEST(Outcome, LabelsRunThroughCapitalsThenSmallLettersThenStar) {
    EXPECT_EQ(MoveLabel(0), "Ａ");
    EXPECT_EQ(MoveLabel(1), "Ｂ");
    EXPECT_EQ(MoveLabel(25), "Ｚ");
    EXPECT_EQ(MoveLabel(26), "ａ");
    EXPECT_EQ(MoveLabel(51), "ｚ");
    EXPECT_EQ(MoveLabel(52), "＊");
    EXPECT_EQ(MoveLabel(99), "＊");
}

class ProgressMonitor : public ::testing::Test {
protected:
    void SetUp() override {
        saved = timeLimitSeconds;
        monitorCalls = 0;
        startTick = TickCount();
        lastCheckTick = TickCount();
        slowChecks = 0;
        lastShownSecond = 0;
    }
    void TearDown() override {
        timeLimitSeconds = saved;
        physicalMemoryShort = PhysicalMemoryShortFromProc;
    }
    // Runs the 100 calls that only count, then returns the 101st.
    int32_t CheckAfterQuietCalls() {
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(CheckProgress(), kProgressGoOn);
        }
        return CheckProgress();
    }
    int32_t saved = 0;
};

TEST_F(ProgressMonitor, TimeLimitIsCheckedEvery101Visits) {
    timeLimitSeconds = 0;
    EXPECT_EQ(CheckAfterQuietCalls(), kProgressTimeUp);
    EXPECT_EQ(monitorCalls, 0);
    timeLimitSeconds = 100000;
    EXPECT_EQ(CheckAfterQuietCalls(), kProgressGoOn);
}

TEST_F(ProgressMonitor, SlowWindowsCountOnlyWhenMemoryIsShort) {
    timeLimitSeconds = 100000;
    physicalMemoryShort = [] { return false; };
    for (int window = 0; window < 3; ++window) {
        lastCheckTick = TickCount() - 500;
        EXPECT_EQ(CheckAfterQuietCalls(), kProgressGoOn);
        EXPECT_EQ(slowChecks, 0);
    }
    physicalMemoryShort = [] { return true; };
    lastCheckTick = TickCount() - 500;
    EXPECT_EQ(CheckAfterQuietCalls(), kProgressGoOn);
    EXPECT_EQ(slowChecks, 1);
    // A fast window in between starts the count again.
    lastCheckTick = TickCount();
    EXPECT_EQ(CheckAfterQuietCalls(), kProgressGoOn);
    EXPECT_EQ(slowChecks, 0);
}

TEST_F(ProgressMonitor, TwoSlowWindowsWithShortMemoryAreFatal) {
    timeLimitSeconds = 100000;
    physicalMemoryShort = [] { return true; };
    EXPECT_EXIT(
        {
            lastCheckTick = TickCount() - 500;
            CheckAfterQuietCalls();
            lastCheckTick = TickCount() - 500;
            CheckAfterQuietCalls();
        },
        ::testing::ExitedWithCode(1), "ワーキングメモリ [0-9]+Mbyte 使用");
}

}  // namespace
