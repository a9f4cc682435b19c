// The strong search order plays by the same rules as the exact one, so every
// fingerprinted problem (the examples and the generated set) must come out of
// it, with one worker, with the committed verdict and the same set of working
// first moves; only the order of the moves, the counts and the depth may
// differ.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <utility>
#include <vector>

#include "support/signature_record.h"

namespace {

std::set<int32_t> pointSet(const std::vector<int32_t>& points) {
    return {points.begin(), points.end()};
}

// Every entry whose position in the file is congruent to part modulo parts.
void expectExactAnswers(const StrongSearchSettings& settings, int32_t part, int32_t parts) {
    // OSTREL_SIGNATURE_FILE names another file of the same form, such as
    // bench/compare_generated.sh writes.
    const char* other = std::getenv("OSTREL_SIGNATURE_FILE");
    std::ifstream in(other != nullptr ? std::string(other)
                                      : std::string(OSTREL_SOURCE_DIR) +
                                            "/tests/signature/signatures.txt");
    const std::vector<SignatureEntry> entries = parseSignatureFile(in);
    ASSERT_GE(entries.size(), other != nullptr ? 1u : 315u);
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

// Every ingredient off: the strong mode's code paths with the exact order.
StrongSearchSettings noIngredient() {
    StrongSearchSettings none;
    none.orderChildren = false;
    none.openWeight = 0;
    none.judgmentWeight = 0;
    none.countLegal = false;
    none.carryResults = 0;
    none.cutExpansion = false;
    none.judgmentCache = false;
    none.weakSums = false;
    none.rootEpsilonNumerator = 0;
    return none;
}

// Each ingredient on its own, with the widest growth measured.
TEST(SignatureStrong, EachIngredientAloneGivesTheExactAnswers) {
    std::vector<std::pair<const char*, StrongSearchSettings>> alone(8, {"", noIngredient()});
    alone[0].first = "eps=1/2";
    alone[0].second.epsilonNumerator = 1;
    alone[0].second.epsilonDenominator = 2;
    alone[1].first = "order";
    alone[1].second.orderChildren = true;
    alone[2].first = "starting numbers";
    alone[2].second.openWeight = StrongSearchSettings{}.openWeight;
    alone[2].second.judgmentWeight = StrongSearchSettings{}.judgmentWeight;
    alone[2].second.countLegal = true;
    alone[3].first = "carry";
    alone[3].second.carryResults = 1;
    alone[4].first = "cut";
    alone[4].second.cutExpansion = true;
    alone[5].first = "cache";
    alone[5].second.judgmentCache = true;
    alone[6].first = "weak sums";
    alone[6].second.weakSums = true;
    alone[7].first = "root growth";
    alone[7].second.rootEpsilonNumerator = StrongSearchSettings{}.rootEpsilonNumerator;
    alone[7].second.rootEpsilonDenominator = StrongSearchSettings{}.rootEpsilonDenominator;
    for (const auto& [name, settings] : alone) {
        SCOPED_TRACE(name);
        // Under the sanitizers a sample of the set, as for the workers.
        expectExactAnswers(settings, 0, static_cast<int32_t>(problemStride()));
    }
}

}  // namespace
