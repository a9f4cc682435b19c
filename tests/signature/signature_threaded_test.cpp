// Several workers share the search differently from run to run, but every
// fingerprinted problem must still come out with one worker's verdict and the
// same set of working first moves.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "support/signature_record.h"

namespace {

std::set<int32_t> pointSet(const std::vector<int32_t>& points) {
    return {points.begin(), points.end()};
}

void expectOneWorkersAnswers(int32_t workers) {
    std::ifstream in(std::string(OSTREL_SOURCE_DIR) + "/tests/signature/signatures.txt");
    const std::vector<SignatureEntry> entries = parseSignatureFile(in);
    ASSERT_GE(entries.size(), 315u);
    const size_t stride = problemStride();
    for (size_t i = 0; i < entries.size(); i += stride) {
        const SignatureEntry& entry = entries[i];
        SCOPED_TRACE(entry.problem.name);
        ASSERT_TRUE(establishSignatureProblem(entry.problem));
        const SolveRun run = solveCurrentProblem(workers);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.result, entry.signature.result) << workers << " workers";
        EXPECT_EQ(pointSet(signatureListPoints(run.outcome.moves)),
                  pointSet(entry.signature.moves))
            << workers << " workers";
    }
}

TEST(SignatureThreaded, TwoWorkersAgreeWithOne) { expectOneWorkersAnswers(2); }
TEST(SignatureThreaded, FourWorkersAgreeWithOne) { expectOneWorkersAnswers(4); }
TEST(SignatureThreaded, SixteenWorkersAgreeWithOne) { expectOneWorkersAnswers(16); }

// The strong order shares its cache of judgments and the records it carries
// into the second ko pass between the workers too.
TEST(SignatureThreaded, StrongOrderTwoWorkersAgreeWithOne) {
    const StrongOrder strong;
    expectOneWorkersAnswers(2);
}
TEST(SignatureThreaded, StrongOrderFourWorkersAgreeWithOne) {
    const StrongOrder strong;
    expectOneWorkersAnswers(4);
}

}  // namespace
