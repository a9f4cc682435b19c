// Every committed fingerprint must come out again exactly: a change to the
// engine that alters a region, a verdict, a move order or a count fails here.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/problem_generator.h"
#include "support/signature_record.h"

namespace {

std::vector<SignatureEntry> committedSignatures() {
    std::ifstream in(std::string(OSTREL_SOURCE_DIR) + "/tests/signature/signatures.txt");
    return parseSignatureFile(in);
}

std::string describe(const Signature& s) {
    SignatureProblem none;
    none.name = "examples/";
    return formatSignatureRecord(none, s);
}

// Checks the records whose position in the file is congruent to part modulo
// parts, so that ctest can spread the set over its jobs.
void checkPart(int32_t part, int32_t parts) {
    const std::vector<SignatureEntry> entries = committedSignatures();
    ASSERT_GE(entries.size(), 315u);
    for (size_t i = part; i < entries.size(); i += parts) {
        const SignatureEntry& entry = entries[i];
        SCOPED_TRACE(entry.problem.name);
        ASSERT_TRUE(establishSignatureProblem(entry.problem));
        const Signature now = takeSignature();
        EXPECT_EQ(now, entry.signature) << "now:\n" << describe(now) << "committed:\n"
                                        << describe(entry.signature);
    }
}

TEST(Signature, Part1) { checkPart(0, 4); }
TEST(Signature, Part2) { checkPart(1, 4); }
TEST(Signature, Part3) { checkPart(2, 4); }
TEST(Signature, Part4) { checkPart(3, 4); }

TEST(Signature, CoversEveryExampleAndTheGeneratorStillGivesItsProblems) {
    size_t examples = 0, generated = 0;
    for (const SignatureEntry& entry : committedSignatures()) {
        if (isExampleName(entry.problem.name)) {
            ++examples;
            continue;
        }
        ++generated;
        const uint32_t index = static_cast<uint32_t>(std::stoul(entry.problem.name.substr(4)));
        GeneratedProblem problem;
        ASSERT_TRUE(generateProblem(index, problem)) << entry.problem.name;
        EXPECT_EQ(0, std::memcmp(problem.board.cell, entry.problem.board.cell, kBoardCells))
            << entry.problem.name;
        EXPECT_EQ(problem.side, entry.problem.side) << entry.problem.name;
        EXPECT_EQ(problem.target, entry.problem.target) << entry.problem.name;
    }
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(examplePath(""))) {
        files += e.path().extension() == ".ban";
    }
    EXPECT_EQ(examples, files);
    EXPECT_GE(generated, 300u);
}

}  // namespace
