#include <gtest/gtest.h>

#include <mutex>

#include "search/keys.h"
#include "search/node_search.h"
#include "search/node_table.h"
#include "search/solve.h"
#include "problem/problem.h"
#include "search/solve_state.h"
#include "support/board_text.h"

namespace {

// Workers other than 0 never run the progress monitor: these searches see no clock.
constexpr int32_t W = 1;

class NodeSearchEntry : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareKeysFromSeed(5);
        ClearNodeTable(0);
        restrainDefenderKo.store(1);
        solveCutOff.store(false);
    }
    void TearDown() override {
        depthLimit.store(kRootDepthLimit);
        restrainDefenderKo.store(1);
        solveCutOff.store(false);
        ClearNodeTable(0);
    }
    // Searches at `depth` with `limit`; with a limit below the depth the node
    // only leaves its key on the worker's line.
    int32_t Search(int32_t w, int32_t depth, int32_t limit, int32_t side, int32_t koRetaken) {
        depthLimit.store(limit);
        return side == kWhite ? tume_iki(w, depth, board, side, none, none, pn, dn, INF, INF, koRetaken)
                              : tume_tori(w, depth, board, side, none, none, pn, dn, INF, INF, koRetaken);
    }
    Board board = boardFromText({".OX..", "OOX..", "XX..."});
    PointList none{};
    uint16_t pn = 0, dn = 0;
};

TEST_F(NodeSearchEntry, RepetitionIsWonByTheDefenderUnlessAKoWasRetaken) {
    for (int32_t restrain : {1, 0}) {
        restrainDefenderKo.store(restrain);
        ASSERT_EQ(Search(W, 0, -1, kWhite, 0), kSearchDone);
        EXPECT_EQ(PathKey(W, 0), PositionKey(board, kWhite, restrainDefenderKo.load()));
        EXPECT_EQ(Search(W, 1, 200, kWhite, 0), kSearchDone);
        EXPECT_EQ(pn, INF);
        EXPECT_EQ(dn, 0);
        EXPECT_EQ(Search(W, 1, 200, kWhite, 1), kSearchDone);
        EXPECT_EQ(pn, restrain == 0 ? 0 : INF);
        EXPECT_EQ(dn, restrain == 0 ? INF : 0);
    }
    // The same stones with the other side to move are no repetition: past the
    // limit the node is (1, 1).
    EXPECT_EQ(Search(W, 1, 0, kBlack, 1), kSearchDone);
    EXPECT_EQ(pn, 1);
    EXPECT_EQ(dn, 1);
    EXPECT_EQ(memoryUsed.load(), 0u);  // none of these stores anything
}

TEST_F(NodeSearchEntry, DepthLimitBusyRecordAndCutOff) {
    maxDepthReached.store(0);
    // Another worker, whose line holds no earlier copy of the position.
    EXPECT_EQ(Search(W + 1, kRootDepthLimit + 1, kRootDepthLimit, kWhite, 0), kSearchDone);
    EXPECT_EQ(pn, 1);
    EXPECT_EQ(dn, 1);
    EXPECT_EQ(maxDepthReached.load(), kRootDepthLimit + 1);
    EXPECT_EQ(memoryUsed.load(), 0u);

    {
        NodeRecord* found;
        const uint64_t key = PositionKey(board, kWhite, restrainDefenderKo.load());
        std::lock_guard<std::mutex> hold(TableLockOf(key));
        NodeRecord* busy = InsertPlaceholder(W + 1, LookupRecord(key, kWhite, &found), key, kWhite);
        busy->pn = 4;
        busy->dn = 9;
    }
    EXPECT_EQ(Search(W + 2, 0, kRootDepthLimit, kWhite, 0), kSearchBusy);
    EXPECT_EQ(pn, 4);
    EXPECT_EQ(dn, 9);

    solveCutOff.store(true);
    EXPECT_EQ(Search(W + 2, 0, kRootDepthLimit, kBlack, 0), kSearchTimeUp);
    EXPECT_EQ(memoryUsed.load(), 32u);
}

TEST_F(NodeSearchEntry, ABusyPositionIsSearchedBesideItsOwnerWithoutTouchingItsRecord) {
    // A lone white stone with two candidate moves, expanded once.
    board = boardFromText({});
    board[pointAt(10, 10)] = kWhite;
    targetPoint = pointAt(10, 10);
    PointList own{};
    addPoint(own, pointAt(10, 9));
    addPoint(own, pointAt(9, 10));
    ASSERT_EQ(tume_iki(W, 0, board, kWhite, own, none, pn, dn, INF, INF, 0), kSearchDone);
    const uint64_t key = PositionKey(board, kWhite, restrainDefenderKo.load());
    NodeRecord* record;
    LookupRecord(key, kWhite, &record);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->children()[0].move, pointAt(10, 9));
    ASSERT_EQ(record->children()[1].move, pointAt(9, 10));
    auto childKey = [&](int32_t move) {
        Board child = board;
        playMove(W, child, kWhite, move);
        return PositionKey(child, kBlack, restrainDefenderKo.load());
    };
    auto known = [](uint64_t k) {
        NodeRecord* found;
        LookupRecord(k, kBlack, &found);
        return found;
    };
    EXPECT_EQ(known(childKey(pointAt(10, 9))), nullptr);
    EXPECT_EQ(known(childKey(pointAt(9, 10))), nullptr);

    // Another worker is in the first child.
    record->busy = kRecordSearched + 0;
    const ChildEntry first = record->children()[0];
    const uint16_t ownPn = record->pn;
    const uint16_t ownDn = record->dn;
    EXPECT_EQ(tume_iki(W + 1, 0, board, kWhite, own, none, pn, dn, 3, 3, 0), kSearchBusy);
    // The helper searched the second child only, and left the owner's record alone.
    EXPECT_EQ(known(childKey(pointAt(10, 9))), nullptr);
    NodeRecord* second = known(childKey(pointAt(9, 10)));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->busy, kRecordFree);
    EXPECT_EQ(record->busy, kRecordSearched + 0);
    EXPECT_EQ(record->pn, ownPn);
    EXPECT_EQ(record->dn, ownDn);
    EXPECT_EQ(record->children()[0].pn, first.pn);
    EXPECT_EQ(record->children()[0].dn, first.dn);

    // Once the owner lets go, the next search owns the record again.
    record->busy = kRecordFree;
    EXPECT_EQ(tume_iki(W + 1, 0, board, kWhite, own, none, pn, dn, 3, 3, 0), kSearchDone);
    EXPECT_EQ(record->busy, kRecordFree);
}

TEST_F(NodeSearchEntry, AChildThatStaysBusyIsGivenUpAfterAWhile) {
    // A lone white stone with one candidate move: its child stays (1, 1).
    board = boardFromText({});
    board[pointAt(10, 10)] = kWhite;
    targetPoint = pointAt(10, 10);
    PointList own{};
    addPoint(own, pointAt(10, 9));
    ASSERT_EQ(tume_iki(W, 0, board, kWhite, own, none, pn, dn, INF, INF, 0), kSearchDone);
    ASSERT_EQ(pn, 1);
    ASSERT_EQ(dn, 1);

    // Another worker owns the child for good, as when it waits for this node.
    Board child = board;
    playMove(W, child, kWhite, pointAt(10, 9));
    {
        NodeRecord* found;
        const uint64_t key = PositionKey(child, kBlack, restrainDefenderKo.load());
        std::lock_guard<std::mutex> hold(TableLockOf(key));
        InsertPlaceholder(W + 1, LookupRecord(key, kBlack, &found), key, kBlack);
    }
    EXPECT_EQ(tume_iki(W, 0, board, kWhite, own, none, pn, dn, INF, INF, 0), kSearchDone);
    EXPECT_EQ(pn, 1);
    EXPECT_EQ(dn, 1);
    // The record was let go: a third search owns it again instead of finding it busy.
    EXPECT_EQ(tume_iki(W, 0, board, kWhite, own, none, pn, dn, INF, INF, 0), kSearchDone);
}

}  // namespace
