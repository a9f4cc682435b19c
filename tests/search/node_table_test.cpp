#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "search/keys.h"
#include "search/node_table.h"
#include "search/solve.h"
#include "search/solve_state.h"
#include "support/board_text.h"

namespace {

TEST(PositionKeys, SeededTablesAreRepeatableAndDistinct) {
    FillKeys(4242);
    const auto black = blackKeys;
    const auto white = whiteKeys;
    FillKeys(4243);
    EXPECT_NE(black, blackKeys);
    FillKeys(4242);
    EXPECT_EQ(black, blackKeys);
    EXPECT_EQ(white, whiteKeys);
    std::set<uint64_t> seen(black.begin(), black.end());
    seen.insert(white.begin(), white.end());
    EXPECT_EQ(seen.size(), 2u * kBoardCells);  // no two entries collide
}

TEST(PositionKeys, AdditiveOverStonesWithSideAndKoRestraintIgnoringMarks) {
    PrepareKeysFromSeed(99);
    const Board empty = boardFromText({});
    const Board corner = boardFromText({"X.O"});
    const Board centre = boardFromText({"", "", "", "", "", "", "", "", ".........X", "........OX"});
    const Board both = boardFromText({"X.O", "", "", "", "", "", "", "", ".........X", "........OX"});
    for (int32_t side : {kBlack, kWhite}) {
        for (int32_t restrain : {0, 1}) {
            const uint64_t none = PositionKey(empty, side, restrain);
            EXPECT_EQ(PositionKey(both, side, restrain) - none,
                      (PositionKey(corner, side, restrain) - none) +
                          (PositionKey(centre, side, restrain) - none));
        }
    }
    // The side to move and the ko restraint each change the key, by the same
    // amount on every board.
    for (const Board* board : {&empty, &corner, &both}) {
        EXPECT_NE(PositionKey(*board, kBlack, 1), PositionKey(*board, kWhite, 1));
        EXPECT_NE(PositionKey(*board, kBlack, 1), PositionKey(*board, kBlack, 0));
        EXPECT_EQ(PositionKey(*board, kBlack, 1) - PositionKey(*board, kWhite, 1),
                  PositionKey(empty, kBlack, 1) - PositionKey(empty, kWhite, 1));
        EXPECT_EQ(PositionKey(*board, kBlack, 1) - PositionKey(*board, kBlack, 0),
                  PositionKey(empty, kBlack, 1) - PositionKey(empty, kBlack, 0));
    }
    // The colour of a stone matters; marks and ko points do not.
    EXPECT_NE(PositionKey(corner, kBlack, 1), PositionKey(boardFromText({"O.X"}), kBlack, 1));
    Board marked = corner;
    marked[pointAt(1, 1)] |= kOutsideMark;
    marked[pointAt(2, 1)] = kKoMark;
    EXPECT_EQ(PositionKey(marked, kBlack, 1), PositionKey(corner, kBlack, 1));
}

class NodeTable : public ::testing::Test {
protected:
    void SetUp() override { ClearNodeTable(0); }
    void TearDown() override { ClearNodeTable(0); }
    NodeRecord* Lookup(uint64_t key, int32_t side) {
        NodeRecord* found;
        LookupRecord(key, side, &found);
        return found;
    }
    NodeRecord* Insert(uint64_t key, int32_t side) {
        NodeRecord* found;
        return InsertPlaceholder(0, LookupRecord(key, side, &found), key, side);
    }
};

TEST_F(NodeTable, CountingRuleAndClearByWorkerZeroOnly) {
    NodeRecord* placeholder = Insert(77, kBlack);
    EXPECT_EQ(memoryUsed.load(), 32u);
    EXPECT_EQ(placeholder->busy, kRecordExpanding);
    NodeRecord* full = ReplacePlaceholder(0, placeholder, 4);
    EXPECT_EQ(memoryUsed.load(), 6u * 4 + 32);
    EXPECT_EQ(Lookup(77, kBlack), full);
    EXPECT_EQ(full->side, kBlack);

    ClearNodeTable(5);
    EXPECT_EQ(Lookup(77, kBlack), full);
    ClearNodeTable(0);
    EXPECT_EQ(memoryUsed.load(), 0u);
    EXPECT_EQ(nodeTable[BucketOf(77)], nullptr);
}

TEST_F(NodeTable, ChainsKeepTheirRecordsThroughReplacementAndOtherSides) {
    NodeRecord* black = Insert(3, kBlack);
    Insert(3 + 1000000, kWhite);  // appended behind it by another worker
    // Same key, other side: new, put in front, the displaced one directly behind.
    EXPECT_EQ(Lookup(3, kWhite), nullptr);
    NodeRecord* white = Insert(3, kWhite);
    EXPECT_EQ(nodeTable[BucketOf(3)], white);
    EXPECT_EQ(white->next, black);

    NodeRecord* full = ReplacePlaceholder(1, black, 2);
    EXPECT_EQ(white->next, full);
    EXPECT_NE(Lookup(3 + 1000000, kWhite), nullptr);
    // The walk stops at the first record with the key: the white one.
    EXPECT_EQ(Lookup(3, kBlack), nullptr);
}

// The clear and the rebuild only visit pages of heads that were set: heads
// in the first, a middle and the last page of the first size must all be
// found.
TEST_F(NodeTable, ClearAndDetachReachHeadsOnEveryPage) {
    constexpr uint64_t kLast = (uint64_t{1} << kHeadBitsFirst) - 1;
    const std::vector<uint64_t> keys{0, 511, 512, 200000, kLast, kLast + kLast + 1};
    for (uint64_t key : keys) {
        Insert(key, kBlack);
    }
    // Chain by chain in bucket order, each chain in its own order.
    std::vector<uint64_t> detached;
    for (NodeRecord* r = DetachAllRecords(); r != nullptr; r = r->next) {
        detached.push_back(r->key);
    }
    EXPECT_EQ(detached, keys);
    for (uint64_t key : keys) {
        EXPECT_EQ(Lookup(key, kBlack), nullptr);
    }

    Insert(kLast, kBlack);
    ClearNodeTable(0);
    EXPECT_EQ(nodeTable[BucketOf(kLast)], nullptr);
}

// A lock group's chains split as it fills, up to the last page of heads:
// every record stays findable, two records of one key keep their order (the
// newer side in front, hiding the older), and a clear starts the group at its
// first size again.
TEST_F(NodeTable, GroupsGrowKeepingEveryChainsOrder) {
    constexpr uint64_t kGroupKeys = kTableLockCount;  // multiples: all in group 0
    constexpr uint64_t kShared = 5 * kGroupKeys;
    NodeRecord* black = Insert(kShared, kBlack);
    NodeRecord* white = Insert(kShared, kWhite);
    constexpr uint64_t kTop = (uint64_t{1} << kHeadBitsMost) - kGroupKeys;
    constexpr int32_t kCount = 5000;
    for (uint64_t k = 1; k <= kCount; ++k) {
        if (k * kGroupKeys != kShared) {
            Insert(k == kCount ? kTop : k * kGroupKeys, kBlack);
        }
    }
    EXPECT_EQ(groupDoublings[0].load(), kHeadBitsMost - kHeadBitsFirst);
    EXPECT_EQ(groupDoublings[1].load(), 0);
    EXPECT_EQ(nodeTable[kTop]->key, kTop);
    EXPECT_EQ(Lookup(kShared, kWhite), white);
    EXPECT_EQ(white->next, black);
    EXPECT_EQ(Lookup(kShared, kBlack), nullptr);
    for (uint64_t k = 1; k < kCount; ++k) {
        if (k * kGroupKeys != kShared) {
            ASSERT_NE(Lookup(k * kGroupKeys, kBlack), nullptr) << k;
        }
    }
    int32_t detached = 0;
    for (NodeRecord* r = DetachAllRecords(); r != nullptr; r = r->next) {
        ++detached;
    }
    EXPECT_EQ(detached, kCount + 1);

    ClearNodeTable(0);
    EXPECT_EQ(groupDoublings[0].load(), 0);
    EXPECT_EQ(BucketOf(kTop), kTop % (uint64_t{1} << kHeadBitsFirst));
}

// A clear keeps the records' memory for the same solve's next records
// instead of taking fresh pages, until the solve gives it back.
TEST_F(NodeTable, ClearedMemoryIsReusedUntilGivenBack) {
    NodeRecord* first = Insert(9, kBlack);
    ClearNodeTable(0);
    EXPECT_EQ(Insert(9, kBlack), first);
    ClearNodeTable(0);
    ReleaseSpareBlocks();
    EXPECT_EQ(Lookup(9, kBlack), nullptr);
}

// A worker reads numbers that their owner is rewriting. Each pair here goes
// from open to a result, as a record's numbers do once, while another thread
// reads the pair being written. A 0 must never come without INF beside it:
// such a half result once kept a solve going for ever. (A new INF beside the
// old other number ends every loop as the whole result does.)
TEST(NodeTableThreaded, PairsReadWhileBeingWrittenReadWhole) {
    constexpr int32_t kPairs = 1000000;
    std::vector<ProofPair> pairs(kPairs, ProofPair{3, 4});
    std::atomic<int32_t> writing{0};
    std::thread writer([&] {
        for (int32_t i = 0; i < kPairs; ++i) {
            const ProofPair result = i % 2 == 0 ? kProvenPair : kDisprovenPair;
            writing.store(i);
            storeNumber(pairs[i].pn, result.pn);
            storeNumber(pairs[i].dn, result.dn);
        }
        writing.store(kPairs);
    });
    int32_t halves = 0;
    for (int32_t i = writing.load(); i < kPairs; i = writing.load()) {
        const ProofPair read = loadPair(pairs[i].pn, pairs[i].dn);
        const bool half = (read.pn == 0 && read.dn != INF) || (read.dn == 0 && read.pn != INF);
        halves += half ? 1 : 0;
    }
    writer.join();
    EXPECT_EQ(halves, 0);
}

}  // namespace
