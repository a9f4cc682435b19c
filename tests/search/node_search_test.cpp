#include <gtest/gtest.h>

#include <mutex>

#include "search/keys.h"
#include "search/node_search.h"
#include "search/node_table.h"
#include "search/solve.h"
#include "search/solve_state.h"
#include "support/board_text.h"

namespace {

// Worker 1 never runs the progress monitor, so these searches see no clock.
constexpr int32_t W = 1;

class NodeSearchEntry : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareKeysFromSeed(5);
        ClearNodeTable(0);
        restrainDefenderKo.store(1);
        depthLimit.store(kRootDepthLimit);
        solveCutOff.store(false);
        board = boardFromText({
            ".OX..",
            "OOX..",
            "XX...",
        });
    }
    void TearDown() override {
        depthLimit.store(kRootDepthLimit);
        restrainDefenderKo.store(1);
        solveCutOff.store(false);
        ClearNodeTable(0);
    }
    // Enters the position at depth 0 without storing anything, so that it is
    // on the worker's line: a depth limit below 0 stops it right after its key.
    void PutOnLine(int32_t side) {
        depthLimit.store(-1);
        uint16_t pn = 0, dn = 0;
        EXPECT_EQ(tume_iki(W, 0, board, side, none, none, pn, dn, INF, INF, 0), kSearchDone);
        EXPECT_EQ(pn, 1);
        EXPECT_EQ(dn, 1);
        depthLimit.store(kRootDepthLimit);
    }
    Board board;
    PointList none{};
};

TEST_F(NodeSearchEntry, RepetitionIsWonByTheDefenderUnlessAKoWasRetaken) {
    PutOnLine(kWhite);
    EXPECT_EQ(PathKey(W, 0), PositionKey(board, kWhite));
    uint16_t pn = 7, dn = 7;
    EXPECT_EQ(tume_iki(W, 1, board, kWhite, none, none, pn, dn, INF, INF, 1), kSearchDone);
    EXPECT_EQ(pn, INF);  // restraining the defender's kos: a retaken ko does not matter
    EXPECT_EQ(dn, 0);

    restrainDefenderKo.store(0);
    PutOnLine(kWhite);
    EXPECT_EQ(tume_iki(W, 1, board, kWhite, none, none, pn, dn, INF, INF, 0), kSearchDone);
    EXPECT_EQ(pn, INF);
    EXPECT_EQ(dn, 0);
    EXPECT_EQ(tume_iki(W, 1, board, kWhite, none, none, pn, dn, INF, INF, 1), kSearchDone);
    EXPECT_EQ(pn, 0);
    EXPECT_EQ(dn, INF);
    EXPECT_EQ(memoryUsed.load(), 0u);  // nothing is stored for a repetition
}

TEST_F(NodeSearchEntry, SameStonesWithTheOtherSideToMoveAreNoRepetition) {
    PutOnLine(kWhite);
    depthLimit.store(0);  // depth 1 is past the limit: (1, 1) unless caught as a repetition
    uint16_t pn = 0, dn = 0;
    EXPECT_EQ(tume_tori(W, 1, board, kBlack, none, none, pn, dn, INF, INF, 0), kSearchDone);
    EXPECT_EQ(pn, 1);
    EXPECT_EQ(dn, 1);
}

TEST_F(NodeSearchEntry, PastTheDepthLimitTheNodeIsUnknownAndNotStored) {
    maxDepthReached.store(0);
    uint16_t pn = 0, dn = 0;
    // Another worker, whose line holds no earlier copy of this position.
    EXPECT_EQ(tume_iki(W + 1, kRootDepthLimit + 1, board, kWhite, none, none, pn, dn, INF, INF, 0),
              kSearchDone);
    EXPECT_EQ(pn, 1);
    EXPECT_EQ(dn, 1);
    EXPECT_EQ(memoryUsed.load(), 0u);
    EXPECT_EQ(maxDepthReached.load(), kRootDepthLimit + 1);
}

TEST_F(NodeSearchEntry, BusyRecordGivesItsNumbersAndCode300) {
    {
        std::lock_guard<std::mutex> hold(engineLock);
        NodeRecord* found;
        NodeRecord** link = LookupRecord(PositionKey(board, kWhite), kWhite, &found);
        NodeRecord* placeholder = InsertPlaceholder(link, PositionKey(board, kWhite), kWhite);
        placeholder->pn = 4;
        placeholder->dn = 9;
    }
    uint16_t pn = 0, dn = 0;
    EXPECT_EQ(tume_iki(W, 0, board, kWhite, none, none, pn, dn, INF, INF, 0), kSearchBusy);
    EXPECT_EQ(pn, 4);
    EXPECT_EQ(dn, 9);
    EXPECT_EQ(memoryUsed.load(), 32u);
}

TEST_F(NodeSearchEntry, CutOffUnwindsAtOnce) {
    solveCutOff.store(true);
    uint16_t pn = 0, dn = 0;
    EXPECT_EQ(tume_tori(W, 0, board, kBlack, none, none, pn, dn, INF, INF, 0), kSearchTimeUp);
    EXPECT_EQ(memoryUsed.load(), 0u);
}

}  // namespace
