// The two orders a solve can search in. Both play by the same rules (the
// same moves, judgments, repetition rule and verdicts); they differ only in
// which child a node searches next and for how long.
#pragma once

#include <cstdint>

enum class SearchMode : int32_t {
    kExact,   // the classic order: a child gives way once it passes the second best by one
    kStrong,  // a child is searched longer before the search switches, children ordered
};

// The knobs of the strong order, for measuring each on its own.
struct StrongSearchSettings {
    // A selected child may grow to ceil(second best * (1 + epsilonNumerator /
    // epsilonDenominator)) on its narrowed number, at least second best + 1.
    // A numerator of 0 gives the exact mode's thresholds.
    int32_t epsilonNumerator = 1;
    int32_t epsilonDenominator = 4;
    // New children ordered by their static judgment, best for the side to
    // move first, ties in the candidate list's order.
    bool orderChildren = true;
};

const char* SearchModeName(SearchMode mode);
// "exact" or "strong"; false for anything else.
bool ParseSearchMode(const char* text, SearchMode& mode);
// Reads OSTREL_STRONG, a comma-separated list of "eps=N/D" and "order=0|1",
// into the settings; false (settings untouched) when it is malformed. An
// absent or empty variable changes nothing.
bool ReadStrongSettingsFromEnvironment(StrongSearchSettings& settings);

// The narrowed threshold of the selected child given the second best number.
inline int32_t StrongNarrowedThreshold(int32_t second, const StrongSearchSettings& settings) {
    const int64_t grown =
        second + (int64_t{second} * settings.epsilonNumerator + settings.epsilonDenominator - 1) /
                     settings.epsilonDenominator;
    const int64_t least = int64_t{second} + 1;
    return static_cast<int32_t>(grown > least ? grown : least);
}
