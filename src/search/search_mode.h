// The two orders a solve can search in. Both play by the same rules (the
// same moves, judgments, repetition rule and verdicts); they differ only in
// which child a node searches next and for how long, and in what the strong
// order remembers.
#pragma once

#include <cstdint>

enum class SearchMode : int32_t {
    kExact,   // the classic order: every new position starts at (1, 1)
    kStrong,  // starting numbers from the judgment, results kept across the ko passes
};

// The knobs of the strong order, for measuring each on its own (OSTREL_STRONG).
// The defaults are the measured best together.
struct StrongSearchSettings {
    // A selected child may grow to ceil(second best * (1 + epsilonNumerator /
    // epsilonDenominator)) on its narrowed number, at least second best + 1.
    // A numerator of 0 gives the exact mode's thresholds; with the starting
    // numbers below, which already spread siblings apart, that is best.
    int32_t epsilonNumerator = 0;
    int32_t epsilonDenominator = 4;
    // The same growth for a first move at the root, which may be far wider:
    // every first move is searched to its result whichever goes first, so
    // taking turns between them buys nothing, while each turn walks down
    // from the root again. A numerator of 0 grows first moves as the
    // children inside the tree.
    int32_t rootEpsilonNumerator = 12;
    int32_t rootEpsilonDenominator = 1;
    // New children ordered by their static judgment, best for the side to
    // move first, ties in the candidate list's order.
    bool orderChildren = true;
    // How an undecided new position's numbers start. The number its side to
    // move must overcome (pn where the defender moves, dn where the attacker
    // does) is openWeight halves per answer of that side, plus
    // judgmentWeight hundredths of the judgment's score where the defender
    // moves, less where the attacker does; the other number stays 1. Both 0:
    // the exact mode's (1, 1).
    int32_t openWeight = 6;
    int32_t judgmentWeight = 15;
    // Answers counted as legal moves (true) or as empty points (false).
    bool countLegal = true;
    // Positions resolved in the first ko pass without depending on its
    // restraint are kept for the second (1); 2 also drops those below any
    // repetition, and keeps what is left for the next position's solve in a
    // play-out; 0 clears the table between the passes.
    int32_t carryResults = 2;
    // An expansion stops at the first child that wins the node.
    bool cutExpansion = true;
    // Judged positions are remembered, so that a position valued again
    // before it is searched is not judged again.
    bool judgmentCache = true;
    // A node's summed number is its largest child's plus one per other open
    // child, instead of their sum.
    bool weakSums = true;
};

const char* SearchModeName(SearchMode mode);
// "exact" or "strong"; false for anything else.
bool ParseSearchMode(const char* text, SearchMode& mode);
// Reads OSTREL_STRONG, a comma-separated list of "eps=N/D", "rooteps=N/D" (or
// "rooteps=0"), "order=0|1", "open=N", "judge=N", "legal=0|1", "carry=0|1|2",
// "cut=0|1", "cache=0|1" and "weak=0|1", into the settings; false (settings untouched) when it is
// malformed. An absent or empty variable changes nothing.
bool ReadStrongSettingsFromEnvironment(StrongSearchSettings& settings);

// ceil(second * (1 + numerator / denominator)), at least second + 1.
inline int32_t GrownThreshold(int32_t second, int32_t numerator, int32_t denominator) {
    const int64_t grown = second + (int64_t{second} * numerator + denominator - 1) / denominator;
    const int64_t least = int64_t{second} + 1;
    return static_cast<int32_t>(grown > least ? grown : least);
}

// The narrowed threshold of the selected child given the second best number.
inline int32_t StrongNarrowedThreshold(int32_t second, const StrongSearchSettings& settings) {
    return GrownThreshold(second, settings.epsilonNumerator, settings.epsilonDenominator);
}

// The same for the selected first move at the root.
inline int32_t StrongRootThreshold(int32_t second, const StrongSearchSettings& settings) {
    if (settings.rootEpsilonNumerator == 0) {
        return StrongNarrowedThreshold(second, settings);
    }
    return GrownThreshold(second, settings.rootEpsilonNumerator, settings.rootEpsilonDenominator);
}
