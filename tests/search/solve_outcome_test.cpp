// What worker 0 reports of a solve, from the pass results: the verdict, the
// texts of the box, and which first moves get a label on the board.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/node_search.h"
#include "search/solve_outcome.h"
#include "support/board_text.h"

namespace {

// The top-left corner: white to move against the black stones; (2, 1) is
// taken and (1, 1) would be suicide for white.
const std::initializer_list<std::string> kCorner = {
    ".X.O",
    "XX.O",
    "OOOO",
};

SolveOutcome Solved(std::initializer_list<int32_t> moves, int32_t r1, int32_t r2 = 0,
                    bool defenderFirst = false) {
    SolveOutcome outcome;
    outcome.board = boardFromText(kCorner);
    outcome.side = kWhite;
    outcome.target = pointAt(2, 2);
    outcome.firstPass = r1;
    outcome.secondPass = r2;
    outcome.seconds = 3;
    outcome.memoryBytes = 2 * 1048576 + 5;
    outcome.judgments = 42;
    outcome.depth = 7;
    int32_t i = 0;
    for (const int32_t m : moves) {
        outcome.moves[i++] = m;
    }
    DescribeOutcome(outcome, defenderFirst);
    return outcome;
}

// The corner with each labelled move's label in place of its point.
std::vector<std::string> Picture(const SolveOutcome& outcome) {
    std::vector<std::string> rows;
    for (int32_t y = 1; y <= 3; ++y) {
        std::string row;
        for (int32_t x = 1; x <= 4; ++x) {
            const uint8_t cell = outcome.board[pointAt(x, y)];
            std::string mark = cell == kBlack ? "X" : cell == kWhite ? "O" : ".";
            for (int32_t i = 0; i < outcome.labelledCount; ++i) {
                if (outcome.labelled[i].point == pointAt(x, y)) {
                    mark = outcome.labelled[i].label;
                }
            }
            row += mark;
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(SolveOutcome, PlayableMovesAreLabelledInOrder) {
    const SolveOutcome outcome =
        Solved({pointAt(3, 1), pointAt(2, 1), pointAt(1, 1), pointAt(3, 2)}, 3);
    EXPECT_EQ(Picture(outcome), (std::vector<std::string>{
                                    ".XＡO",
                                    "XXＢO",
                                    "OOOO",
                                }));
    EXPECT_EQ(outcome.verdict, kSolveDead);
    EXPECT_EQ(outcome.outcomeLine, "死に  3[sec]  メモリ 2MByte");
    EXPECT_EQ(outcome.detailText, "Judged 回数 42 回  読深さ 7");
    EXPECT_EQ(outcome.boxText, outcome.outcomeLine + "\n" + outcome.detailText);
}

TEST(SolveOutcome, NothingToShowWhenTheFirstMoveCannotBePlayed) {
    for (const int32_t first : {pointAt(1, 1), 0}) {
        const SolveOutcome outcome = Solved({first, pointAt(3, 1)}, 0, 0);
        EXPECT_EQ(outcome.verdict, kSolveAlive) << first;
        EXPECT_EQ(outcome.labelledCount, 0);
        EXPECT_EQ(outcome.outcomeLine, "生き  3[sec]  メモリ 2MByte");
        EXPECT_EQ(outcome.detailText, "打つ手が有りません");
        EXPECT_EQ(outcome.boxText, "生き  3[sec]  メモリ 2MByte\n打つ手が有りません");
    }
}

TEST(SolveOutcome, CutOffInEitherPass) {
    for (const auto& [r1, r2] : {std::pair{kSearchTimeUp, 0}, std::pair{0, kSearchTimeUp}}) {
        const SolveOutcome outcome = Solved({pointAt(3, 1)}, r1, r2);
        EXPECT_EQ(outcome.verdict, kSolveCutOff);
        EXPECT_EQ(outcome.labelledCount, 0);
        EXPECT_EQ(outcome.outcomeLine, "");
        EXPECT_EQ(outcome.detailText, "読み打ち切り time=3[sec]");
        EXPECT_EQ(outcome.boxText, outcome.detailText);
    }
}

TEST(SolveOutcome, VerdictFromBothPassesAndWhoMovesFirst) {
    struct Case {
        bool defenderFirst;
        int32_t r1, r2, verdict;
    };
    for (const Case& c : {Case{true, 3, 0, kSolveAlive}, Case{false, 3, 0, kSolveDead},
                          Case{true, 0, 0, kSolveDead}, Case{false, 0, 0, kSolveAlive},
                          Case{true, 0, 3, kSolveKo}, Case{false, 0, 3, kSolveKo}}) {
        const SolveOutcome outcome = Solved({pointAt(3, 1)}, c.r1, c.r2, c.defenderFirst);
        EXPECT_EQ(outcome.verdict, c.verdict) << c.defenderFirst << " " << c.r1 << " " << c.r2;
    }
}

TEST(SolveOutcome, RoundedSecondsAndLabels) {
    EXPECT_EQ(RoundedSeconds(1000 + 1499, 1000), 1u);
    EXPECT_EQ(RoundedSeconds(1000 + 1500, 1000), 2u);
    EXPECT_EQ(RoundedSeconds(0xFFFFFF00u + 2600, 0xFFFFFF00u), 3u);
    EXPECT_EQ(MoveLabel(0), "Ａ");
    EXPECT_EQ(MoveLabel(25), "Ｚ");
    EXPECT_EQ(MoveLabel(26), "ａ");
    EXPECT_EQ(MoveLabel(51), "ｚ");
    EXPECT_EQ(MoveLabel(52), "＊");
}

}  // namespace
