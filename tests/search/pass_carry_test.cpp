#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "search/keys.h"
#include "search/node_table.h"
#include "search/pass_carry.h"
#include "search/solve.h"
#include "support/board_text.h"
#include "support/solve_run.h"

namespace {

// A full record with no children (just the closing pass entry) and these
// numbers, as an expansion leaves it.
NodeRecord* putRecord(uint64_t key, int32_t side, uint16_t pn, uint16_t dn) {
    std::lock_guard<std::mutex> hold(TableLockOf(key));
    NodeRecord* found;
    NodeRecord** link = LookupRecord(key, side, &found);
    NodeRecord* full = ReplacePlaceholder(0, InsertPlaceholder(0, link, key, side), 1);
    full->children()[0] = {0, 1, 1};
    full->pn = pn;
    full->dn = dn;
    full->busy = kRecordFree;
    return full;
}

NodeRecord* findRecord(uint64_t key, int32_t side) {
    NodeRecord* found;
    LookupRecord(key, side, &found);
    return found;
}

// Four positions of the first pass (the attacker's kos held back): two
// resolved without the restraint, one resolved through it, one still open.
// Only the first two reach the second pass, under its keys.
TEST(PassCarry, ResolvedIndependentRecordsMoveToTheSecondPassKeys) {
    PrepareKeysFromSeed(7);
    ClearNodeTable(0);
    const Board dead = boardFromText({".XO", "XXO", "OOO"});
    const Board alive = boardFromText({".X.X", "XXXX", "OOOO"});
    const Board ko = boardFromText({"XO.", ".XO", "XO."});
    const Board open = boardFromText({"...X", "XXXX", "OOOO"});
    putRecord(PositionKey(dead, kWhite, 0), kWhite, 0, INF);
    putRecord(PositionKey(alive, kBlack, 0), kBlack, INF, 0);
    NodeRecord* viaKo = putRecord(PositionKey(ko, kWhite, 0), kWhite, 0, INF);
    putRecord(PositionKey(open, kBlack, 0), kBlack, 3, 2);

    // The ko position's search sat below a ko capture.
    NoteLineDepth(0, 0);
    NoteLineRecord(0, 0, viaKo);
    MarkLineDependent(0, 0);
    EXPECT_TRUE(DependsOnRestraint(viaKo));
    // The flag does not hide the record from its own side's lookups.
    EXPECT_EQ(findRecord(PositionKey(ko, kWhite, 0), kWhite), viaKo);

    CarryResolvedRecords(0, 1);
    NodeRecord* kept = findRecord(PositionKey(dead, kWhite, 1), kWhite);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->pn, 0);
    ASSERT_NE(findRecord(PositionKey(alive, kBlack, 1), kBlack), nullptr);
    EXPECT_EQ(findRecord(PositionKey(dead, kWhite, 0), kWhite), nullptr);
    EXPECT_EQ(findRecord(PositionKey(ko, kWhite, 1), kWhite), nullptr);
    EXPECT_EQ(findRecord(PositionKey(ko, kWhite, 0), kWhite), nullptr);
    EXPECT_EQ(findRecord(PositionKey(open, kBlack, 1), kBlack), nullptr);
    // Two records of one closing entry each, by the counting rule.
    EXPECT_EQ(memoryUsed.load(), 2u * (6 + 32));
    ClearNodeTable(0);
}

bool resolvedRecord(NodeRecord* record) { return record->pn == 0 || record->dn == 0; }

// Kept records keep their numbers whether they stay where they were (a
// small table) or are copied (a table past one block), and the records
// made after them take none of their room.
TEST(PassCarry, KeptRecordsSurviveInPlaceOrCopied) {
    constexpr uint64_t kSpread = 0x9E3779B97F4A7C15u;
    constexpr uint64_t kShift = 12345;
    for (const uint32_t count : {1000u, 600000u}) {
        SCOPED_TRACE(count);
        ClearNodeTable(0);
        for (uint32_t i = 0; i < count; ++i) {
            const bool resolved = i % 2 == 0;
            putRecord(i * kSpread, kBlack, resolved ? 0 : 3, resolved ? INF : static_cast<uint16_t>(1 + i % 7));
        }
        KeepRecords(resolvedRecord, kShift);
        EXPECT_EQ(memoryUsed.load(), uint64_t{count / 2} * (6 + 32));
        // As many new records again, in the room after the kept ones.
        for (uint32_t i = 0; i < count; ++i) {
            putRecord(i * kSpread + 7, kWhite, 5, 5);
        }
        uint32_t wrong = 0;
        for (uint32_t i = 0; i < count; ++i) {
            NodeRecord* kept = findRecord(i * kSpread + kShift, kBlack);
            const bool resolved = i % 2 == 0;
            if (resolved != (kept != nullptr) || findRecord(i * kSpread, kBlack) != nullptr ||
                (kept != nullptr && (kept->pn != 0 || kept->dn != INF ||
                                     kept->children()[0].move != 0))) {
                ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0u);
    }
    ClearNodeTable(0);
}

// A mark reaches every record on the line above the event, and a record
// that is no longer on the line is left alone.
TEST(PassCarry, MarksGoUpTheLineOnly) {
    PrepareKeysFromSeed(8);
    ClearNodeTable(0);
    NodeRecord* line[4];
    for (int32_t d = 0; d < 4; ++d) {
        line[d] = putRecord(1000 + d, kBlack, 2, 2);
        NoteLineDepth(0, d);
        NoteLineRecord(0, d, line[d]);
    }
    // Back up to depth 2 with a new record there; the old one has left the line.
    NodeRecord* sibling = putRecord(2000, kBlack, 2, 2);
    NoteLineDepth(0, 2);
    NoteLineRecord(0, 2, sibling);
    MarkLineDependent(0, 2);
    EXPECT_TRUE(DependsOnRestraint(line[0]));
    EXPECT_TRUE(DependsOnRestraint(line[1]));
    EXPECT_TRUE(DependsOnRestraint(sibling));
    EXPECT_FALSE(DependsOnRestraint(line[2]));
    EXPECT_FALSE(DependsOnRestraint(line[3]));
    // A new line under the marked ones: marking its depth 3 leaves depth 2's
    // old record alone and takes the new one.
    NodeRecord* deeper = putRecord(3000, kBlack, 2, 2);
    NoteLineDepth(0, 3);
    NoteLineRecord(0, 3, deeper);
    MarkLineDependent(0, 3);
    EXPECT_TRUE(DependsOnRestraint(deeper));
    EXPECT_FALSE(DependsOnRestraint(line[2]));
    ClearNodeTable(0);
}

}  // namespace

namespace {

// Plays p for the side to move as the window's play mode does, and sets the
// next position up as a problem.
void playOn(int32_t x, int32_t y) {
    playMove(0, problemBoard, sideToMove, pointAt(x, y));
    sideToMove = opponent(sideToMove);
    copyWithKoMarks(problemBoard, problemBoard);
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
}

struct PlayOutStep {
    int32_t verdict;
    uint32_t judgments;
};

// The seven stones on the second line with four outside liberties: White
// kills with (7,1); Black blocks at (8,1); White (13,1) kills the rest.
std::vector<PlayOutStep> playOutSevenStones(int32_t carry) {
    EXPECT_TRUE(loadProblem(std::string(OSTREL_SOURCE_DIR) +
                            "/bench/problems/side_second_line_seven_four_liberties_white_kills.ban"));
    StrongSearchSettings settings;
    settings.carryResults = carry;
    const StrongOrder strong(settings);
    std::vector<PlayOutStep> steps;
    const int32_t line[][2] = {{7, 1}, {8, 1}, {13, 1}};
    for (int32_t i = 0;; ++i) {
        const SolveRun run = solveCurrentProblem(1);
        EXPECT_TRUE(run.finished);
        steps.push_back({run.result, run.outcome.judgments});
        if (i == 3) {
            return steps;
        }
        playOn(line[i][0], line[i][1]);
    }
}

// A play-out's later solves start from what the earlier ones resolved: the
// same answers with fewer judgments; a new problem starts from nothing.
TEST(PassCarryThreaded, PlayOutSolvesStartFromTheLastSolvesResults) {
    // The command line's solves do not keep the table.
    const std::vector<PlayOutStep> fresh = playOutSevenStones(2);
    strongKeepsTable = true;
    const std::vector<PlayOutStep> kept = playOutSevenStones(2);
    ASSERT_EQ(fresh.size(), kept.size());
    uint32_t freshLater = 0;
    uint32_t keptLater = 0;
    for (size_t i = 0; i < fresh.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kept[i].verdict, fresh[i].verdict);
        EXPECT_EQ(kept[i].verdict, kSolveDead);
        if (i > 0) {
            freshLater += fresh[i].judgments;
            keptLater += kept[i].judgments;
        }
    }
    EXPECT_LT(keptLater, freshLater);

    // Another problem (another target and region) after a kept table, and the
    // first problem again after it: both as from an empty table.
    ASSERT_TRUE(loadProblem(std::string(OSTREL_SOURCE_DIR) + "/examples/corner_bent_three_white_kills.ban"));
    {
        const StrongOrder strong;
        EXPECT_EQ(solveCurrentProblem(1).result, kSolveDead);
    }
    const std::vector<PlayOutStep> again = playOutSevenStones(2);
    EXPECT_EQ(again[0].judgments, kept[0].judgments);
    strongKeepsTable = false;
    ClearNodeTable(0);
}

}  // namespace
