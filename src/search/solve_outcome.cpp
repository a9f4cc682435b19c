#include "search/solve_outcome.h"

#include <cstdio>

#include "search/node_search.h"

namespace {

int32_t Verdict(bool defenderFirst, int32_t r1, int32_t r2) {
    if (r1 != 0) {
        return defenderFirst ? kSolveAlive : kSolveDead;
    }
    if (r2 == 0) {
        return defenderFirst ? kSolveDead : kSolveAlive;
    }
    return kSolveKo;
}

const char* VerdictWord(int32_t verdict) {
    return verdict == kSolveDead ? "死に" : verdict == kSolveAlive ? "生き" : "コウ";
}

}  // namespace

void DescribeOutcome(SolveOutcome& outcome, bool defenderFirst) {
    char text[256];
    outcome.labelledCount = 0;
    if (outcome.firstPass == kSearchTimeUp || outcome.secondPass == kSearchTimeUp) {
        outcome.verdict = kSolveCutOff;
        std::snprintf(text, sizeof text, "読み打ち切り time=%d[sec]",
                      static_cast<int>(outcome.seconds));
        outcome.outcomeLine.clear();
        outcome.detailText = text;
        outcome.boxText = text;
        return;
    }
    outcome.verdict = Verdict(defenderFirst, outcome.firstPass, outcome.secondPass);
    std::snprintf(text, sizeof text, "%s  %d[sec]  メモリ %dMByte", VerdictWord(outcome.verdict),
                  static_cast<int>(outcome.seconds),
                  static_cast<int>(outcome.memoryBytes / 1048576));
    outcome.outcomeLine = text;

    // The labels follow the moves that can be played on the problem; when
    // the first one cannot, there is nothing to show.
    if (tumetst1(outcome.board, outcome.side, outcome.moves[0]) == 0) {
        outcome.detailText = "打つ手が有りません";
        outcome.boxText = outcome.outcomeLine + "\n" + outcome.detailText;
        return;
    }
    for (int32_t i = 0; i < kListSlots && outcome.moves[i] != 0; ++i) {
        const int32_t m = outcome.moves[i];
        if (tumetst1(outcome.board, outcome.side, m) != 0) {
            outcome.labelled[outcome.labelledCount] = {m, MoveLabel(outcome.labelledCount)};
            outcome.labelledCount += 1;
        }
    }
    std::snprintf(text, sizeof text, "Judged 回数 %u 回  読深さ %d", outcome.judgments,
                  outcome.depth);
    outcome.detailText = text;
    outcome.boxText = outcome.outcomeLine + "\n" + outcome.detailText;
}

uint32_t RoundedSeconds(uint32_t now, uint32_t start) { return (now + 500 - start) / 1000; }

std::string MoveLabel(int32_t n) {
    // Full-width Ａ..Ｚ, then ａ..ｚ, then ＊ for every further move.
    uint32_t code = n < 26 ? 0xFF21 + n : n < 52 ? 0xFF41 + (n - 26) : 0xFF0A;
    std::string label;
    label += static_cast<char>(0xE0 | (code >> 12));
    label += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    label += static_cast<char>(0x80 | (code & 0x3F));
    return label;
}
