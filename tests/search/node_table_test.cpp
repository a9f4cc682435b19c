#include <gtest/gtest.h>

#include <mutex>

#include "search/keys.h"
#include "search/node_table.h"
#include "search/solve.h"
#include "search/solve_state.h"
#include "support/board_text.h"

namespace {

// The same recurrence in its textbook form: x * 1103515245 + 12345 mod 2^31.
uint32_t TextbookStep(uint32_t x) {
    return static_cast<uint32_t>((uint64_t{x} * 1103515245u + 12345u) % 2147483648u);
}

TEST(PositionKeys, GeneratorAndTheFirstWhiteEntry) {
    randomState = 0;
    EXPECT_EQ(NextRandom(), 12345u);
    for (uint32_t i = 0, expected = 12345; i < 500; ++i) {
        expected = TextbookStep(expected);
        ASSERT_EQ(NextRandom(), expected);
    }
    // White is filled first; an entry folds thirteen draws with these multipliers.
    FillKeys(4242);
    uint64_t r[14];
    for (uint32_t i = 1, state = 4242; i <= 13; ++i) {
        r[i] = state = TextbookStep(state);
    }
    uint64_t x = r[1] * 64;
    const uint64_t multipliers[] = {128, 32, 128, 32, 128, 32, 64, 64, 128};
    for (int i = 0; i < 9; ++i) {
        x = (x + r[i + 2]) * multipliers[i];
    }
    EXPECT_EQ(whiteKeys[0], x + (r[11] >> 12) + (r[12] >> 5) + r[13]);
}

TEST(PositionKeys, AdditiveOverStonesSideAndKoRestraintIgnoringMarks) {
    PrepareKeysFromSeed(99);
    restrainDefenderKo.store(1);
    const Board empty = boardFromText({});
    const Board stones = boardFromText({"X.O"});
    EXPECT_EQ(PositionKey(empty, kBlack), blackKeys[0] + blackKeys[1]);
    EXPECT_EQ(PositionKey(stones, kBlack) - PositionKey(empty, kBlack),
              blackKeys[pointAt(1, 1)] + whiteKeys[pointAt(3, 1)]);
    EXPECT_EQ(PositionKey(stones, kBlack) - PositionKey(stones, kWhite),
              blackKeys[0] - whiteKeys[0]);

    Board marked = stones;
    marked[pointAt(1, 1)] |= kOutsideMark;
    marked[pointAt(2, 1)] = kKoMark;
    EXPECT_EQ(PositionKey(marked, kBlack), PositionKey(stones, kBlack));

    restrainDefenderKo.store(0);
    EXPECT_EQ(PositionKey(empty, kBlack), blackKeys[0] + whiteKeys[1]);
    restrainDefenderKo.store(1);

    EXPECT_EQ(BucketOf(1000001), 1u);
    EXPECT_EQ(BucketOf((uint64_t{1} << 63) | 12345678), 12345678u % 1000000);
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
        return InsertPlaceholder(LookupRecord(key, side, &found), key, side);
    }
    std::lock_guard<std::mutex> hold{engineLock};
};

TEST_F(NodeTable, CountingRuleAndClearByWorkerZeroOnly) {
    NodeRecord* placeholder = Insert(77, kBlack);
    EXPECT_EQ(memoryUsed.load(), 32u);
    EXPECT_EQ(placeholder->busy, 1);
    NodeRecord* full = ReplacePlaceholder(placeholder, 4);
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

    NodeRecord* full = ReplacePlaceholder(black, 2);
    EXPECT_EQ(white->next, full);
    EXPECT_NE(Lookup(3 + 1000000, kWhite), nullptr);
    // The walk stops at the first record with the key: the white one.
    EXPECT_EQ(Lookup(3, kBlack), nullptr);
}

}  // namespace
