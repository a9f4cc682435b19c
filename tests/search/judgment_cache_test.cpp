#include <gtest/gtest.h>

#include "search/judgment_cache.h"

namespace {

CachedJudgment judged(uint16_t pn, uint16_t dn, int32_t judgment) { return {{pn, dn}, judgment}; }

// What was stored comes back whole (judgments run from -100 to 10000), a
// key never stored does not, and a new solve forgets everything.
TEST(JudgmentCache, RemembersWithinASolveOnly) {
    ASSERT_TRUE(StartJudgmentCache());
    StoreJudgment(0x1234'5678'9abc'def0, judged(7, 1, 136));
    StoreJudgment(42, judged(0, INF, -100));
    StoreJudgment(43, judged(INF, 0, 10000));
    CachedJudgment found{};
    ASSERT_TRUE(FindJudgment(0x1234'5678'9abc'def0, found));
    EXPECT_EQ(found.value.pn, 7);
    EXPECT_EQ(found.value.dn, 1);
    EXPECT_EQ(found.judgment, 136);
    ASSERT_TRUE(FindJudgment(42, found));
    EXPECT_EQ(found.judgment, -100);
    EXPECT_TRUE(found.value.proven());
    ASSERT_TRUE(FindJudgment(43, found));
    EXPECT_EQ(found.judgment, 10000);
    EXPECT_FALSE(FindJudgment(44, found));

    ASSERT_TRUE(StartJudgmentCache());
    EXPECT_FALSE(FindJudgment(42, found));
}

// Two keys of one slot: the later one wins it, and the earlier one is then
// missing rather than answered with the later one's data.
TEST(JudgmentCache, AKeySharingASlotIsAMissNotAWrongAnswer) {
    ASSERT_TRUE(StartJudgmentCache());
    const uint64_t first = 5;
    const uint64_t second = 5 + (uint64_t{1} << 21);  // the same slot at every size
    StoreJudgment(first, judged(3, 1, 50));
    StoreJudgment(second, judged(1, 9, 20));
    CachedJudgment found{};
    EXPECT_FALSE(FindJudgment(first, found));
    ASSERT_TRUE(FindJudgment(second, found));
    EXPECT_EQ(found.judgment, 20);
}

// The cache grows with the solve and keeps what it held: a judgment stored
// before several growths is still there after them.
TEST(JudgmentCache, GrowingKeepsTheJudgmentsStored) {
    ASSERT_TRUE(StartJudgmentCache());
    StoreJudgment(77, judged(11, 1, 99));
    // Even keys below 2^32 never share a slot with 77; 600000 of them make
    // the cache grow to its largest size.
    for (uint64_t i = 1; i <= 600000; ++i) {
        StoreJudgment(2 * i, judged(2, 2, 1));
    }
    CachedJudgment found{};
    ASSERT_TRUE(FindJudgment(77, found));
    EXPECT_EQ(found.value.pn, 11);
    EXPECT_EQ(found.judgment, 99);
    EXPECT_TRUE(FindJudgment(1200000, found));
}

}  // namespace
