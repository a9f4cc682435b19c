#include <gtest/gtest.h>

#include <mutex>

#include "search/keys.h"
#include "search/node_table.h"
#include "search/solve.h"
#include "search/solve_state.h"
#include "support/board_text.h"

namespace {

// Sixteen draws of the generator as (x * 1103515245 + 12345) mod 2^31, the
// textbook form of the same recurrence.
uint32_t TextbookStep(uint32_t x) {
    return static_cast<uint32_t>((uint64_t{x} * 1103515245u + 12345u) % 2147483648u);
}

TEST(RandomKeys, GeneratorFromSeedZeroAndItsRecurrence) {
    randomState = 0;
    EXPECT_EQ(NextRandom(), 12345u);
    uint32_t expected = 12345;
    for (int i = 0; i < 1000; ++i) {
        expected = TextbookStep(expected);
        const uint32_t value = NextRandom();
        ASSERT_EQ(value, expected) << "draw " << i;
        ASSERT_LT(value, 1u << 31);
    }
}

TEST(RandomKeys, WhiteTableIsFilledFirstFromThirteenDraws) {
    FillKeys(4242);
    uint32_t state = 4242;
    uint64_t r[14];
    for (int i = 1; i <= 13; ++i) {
        state = TextbookStep(state);
        r[i] = state;
    }
    uint64_t x = r[1] * 64;
    x = (x + r[2]) * 128;
    x = (x + r[3]) * 32;
    x = (x + r[4]) * 128;
    x = (x + r[5]) * 32;
    x = (x + r[6]) * 128;
    x = (x + r[7]) * 32;
    x = (x + r[8]) * 64;
    x = (x + r[9]) * 64;
    x = (x + r[10]) * 128;
    x = x + (r[11] >> 12) + (r[12] >> 5) + r[13];
    EXPECT_EQ(whiteKeys[0], x);
    EXPECT_NE(blackKeys[0], x);
    // 848 entries of 13 draws each have been drawn; the next draw continues from there.
    FillKeys(4242);
    const uint32_t after = randomState;
    uint32_t s = 4242;
    for (int i = 0; i < 848 * 13; ++i) {
        s = TextbookStep(s);
    }
    EXPECT_EQ(after, s);
}

class PositionKeys : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareKeysFromSeed(99);
        restrainDefenderKo.store(1);
    }
    void TearDown() override { restrainDefenderKo.store(1); }
};

TEST_F(PositionKeys, KeyIsTheSumOfStoneTermsAndIgnoresMarks) {
    Board empty = boardFromText({});
    Board stones = boardFromText({"X.O"});
    const uint64_t base = PositionKey(empty, kBlack);
    EXPECT_EQ(base, blackKeys[0] + blackKeys[1]);
    EXPECT_EQ(PositionKey(stones, kBlack) - base,
              blackKeys[pointAt(1, 1)] + whiteKeys[pointAt(3, 1)]);

    Board marked = stones;
    marked[pointAt(1, 1)] |= kOutsideMark;
    marked[pointAt(2, 1)] = kKoMark;
    marked[pointAt(5, 5)] = kOutsideMark | kRegionMark;
    EXPECT_EQ(PositionKey(marked, kBlack), PositionKey(stones, kBlack));
}

TEST_F(PositionKeys, SideAndKoRestraintChangeTheKey) {
    Board stones = boardFromText({"X.O"});
    const uint64_t black = PositionKey(stones, kBlack);
    const uint64_t white = PositionKey(stones, kWhite);
    EXPECT_EQ(black - white, blackKeys[0] - whiteKeys[0]);
    restrainDefenderKo.store(0);
    EXPECT_EQ(black - PositionKey(stones, kBlack), blackKeys[1] - whiteKeys[1]);
}

TEST(NodeTableBuckets, TopBitIsClearedBeforeTheRemainder) {
    EXPECT_EQ(BucketOf(0), 0u);
    EXPECT_EQ(BucketOf(1000000), 0u);
    EXPECT_EQ(BucketOf(1000001), 1u);
    const uint64_t high = (uint64_t{1} << 63) | 12345678;
    EXPECT_EQ(BucketOf(high), 12345678u % 1000000);
    EXPECT_EQ(BucketOf(~uint64_t{0}), static_cast<uint32_t>((~uint64_t{0} >> 1) % 1000000));
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
        NodeRecord** link = LookupRecord(key, side, &found);
        EXPECT_EQ(found, nullptr);
        return InsertPlaceholder(link, key, side);
    }
    std::lock_guard<std::mutex> hold{engineLock};
};

TEST_F(NodeTable, PlaceholderAndFullRecordAreCountedByTheRule) {
    NodeRecord* placeholder = Insert(77, kBlack);
    EXPECT_EQ(memoryUsed.load(), 32u);
    EXPECT_EQ(placeholder->busy, 1);
    EXPECT_EQ(placeholder->pn, 1);
    EXPECT_EQ(placeholder->dn, 1);

    NodeRecord* full = ReplacePlaceholder(placeholder, 4);
    EXPECT_EQ(memoryUsed.load(), 6u * 4 + 32);
    EXPECT_EQ(full->key, 77u);
    EXPECT_EQ(full->side, kBlack);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(full->children()[i].move, 0);
    }
    EXPECT_EQ(Lookup(77, kBlack), full);

    // Released placeholders are reused without changing the count rule.
    Insert(78, kWhite);
    EXPECT_EQ(memoryUsed.load(), 6u * 4 + 32 + 32);
}

TEST_F(NodeTable, OtherSideIsNewAndTheDisplacedRecordStaysBehind) {
    NodeRecord* black = Insert(500, kBlack);
    EXPECT_EQ(Lookup(500, kWhite), nullptr);
    NodeRecord* white = Insert(500, kWhite);
    EXPECT_EQ(nodeTable[BucketOf(500)], white);
    EXPECT_EQ(white->next, black);
    // The walk stops at the first record with the key, now the white one.
    EXPECT_EQ(Lookup(500, kWhite), white);
    EXPECT_EQ(Lookup(500, kBlack), nullptr);

    // Replacing the black placeholder, no longer at the chain head, keeps the chain.
    NodeRecord* full = ReplacePlaceholder(black, 1);
    EXPECT_EQ(white->next, full);
}

TEST_F(NodeTable, ReplacingAPlaceholderKeepsRecordsAppendedBehindIt) {
    const uint64_t first = 3;
    NodeRecord* placeholder = Insert(first, kBlack);
    // Same bucket, appended by "other workers" while the first is expanded.
    Insert(first + 1000000, kWhite);
    Insert(first + 2000000, kBlack);
    NodeRecord* full = ReplacePlaceholder(placeholder, 2);
    EXPECT_EQ(nodeTable[BucketOf(first)], full);
    EXPECT_NE(Lookup(first + 1000000, kWhite), nullptr);
    EXPECT_NE(Lookup(first + 2000000, kBlack), nullptr);
    EXPECT_EQ(Lookup(first, kBlack), full);
}

TEST_F(NodeTable, OnlyWorkerZeroClears) {
    for (uint64_t key = 1; key <= 50; ++key) {
        ReplacePlaceholder(Insert(key * 999983, kBlack), 3);
    }
    const uint64_t used = memoryUsed.load();
    EXPECT_EQ(used, 50u * (6 * 3 + 32));
    ClearNodeTable(5);
    EXPECT_EQ(memoryUsed.load(), used);
    EXPECT_NE(Lookup(999983, kBlack), nullptr);
    ClearNodeTable(0);
    EXPECT_EQ(memoryUsed.load(), 0u);
    for (uint64_t key = 1; key <= 50; ++key) {
        EXPECT_EQ(nodeTable[BucketOf(key * 999983)], nullptr);
    }
}

}  // namespace
