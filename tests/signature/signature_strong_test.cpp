// The strong search order plays by the same rules as the exact one, so every
// fingerprinted problem (the examples and the generated set) must come out of
// it, with one worker, with the committed verdict and the same set of working
// first moves; only the order of the moves, the counts and the depth may
// differ.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "support/signature_record.h"

namespace {

std::set<int32_t> pointSet(const std::vector<int32_t>& points) {
    return {points.begin(), points.end()};
}

// Puts the exact order back however the test ends.
struct StrongOrder {
    explicit StrongOrder(const StrongSearchSettings& settings) {
        searchMode = SearchMode::kStrong;
        strongSearch = settings;
    }
    ~StrongOrder() {
        searchMode = SearchMode::kExact;
        strongSearch = StrongSearchSettings{};
    }
};

// Every entry whose position in the file is congruent to part modulo parts.
void expectExactAnswers(const StrongSearchSettings& settings, int32_t part, int32_t parts) {
    std::ifstream in(std::string(OSTREL_SOURCE_DIR) + "/tests/signature/signatures.txt");
    const std::vector<SignatureEntry> entries = parseSignatureFile(in);
    ASSERT_GE(entries.size(), 315u);
    const StrongOrder strong(settings);
    for (size_t i = part; i < entries.size(); i += parts) {
        const SignatureEntry& entry = entries[i];
        SCOPED_TRACE(entry.problem.name);
        ASSERT_TRUE(establishSignatureProblem(entry.problem));
        const SolveRun run = solveCurrentProblem(1);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.outcome.search, SearchMode::kStrong);
        EXPECT_EQ(run.result, entry.signature.result);
        EXPECT_EQ(pointSet(signatureListPoints(run.outcome.moves)),
                  pointSet(entry.signature.moves));
    }
}

TEST(SignatureStrong, DefaultSettingsGiveTheExactAnswersPart1) {
    expectExactAnswers(StrongSearchSettings{}, 0, 2);
}
TEST(SignatureStrong, DefaultSettingsGiveTheExactAnswersPart2) {
    expectExactAnswers(StrongSearchSettings{}, 1, 2);
}

// Each ingredient on its own, with the widest growth measured.
TEST(SignatureStrong, GrowthAloneGivesTheExactAnswers) {
    expectExactAnswers(StrongSearchSettings{1, 2, false}, 0, 1);
}
TEST(SignatureStrong, OrderingAloneGivesTheExactAnswers) {
    expectExactAnswers(StrongSearchSettings{0, 1, true}, 0, 1);
}

}  // namespace
