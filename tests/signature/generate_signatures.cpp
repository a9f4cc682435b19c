// Writes the signature file: the examples, then generated problems with 5 to
// 20 region points whose one-worker solve ends within the judgment budget
// and the time limit (default 5 s), drawn from FIRST_INDEX on (default 0).
//   ostrel_signature_gen COUNT MAX_JUDGMENTS [SECONDS [FIRST_INDEX]] > tests/signature/signatures.txt
// Run it only to extend the set on purpose: the committed file is the
// reference every later build must reproduce.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/problem_generator.h"
#include "support/signature_record.h"

int main(int argc, char** argv) {
    const int32_t wanted = argc > 1 ? std::atoi(argv[1]) : 300;
    const uint32_t budget = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 20000;
    const int32_t seconds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const uint32_t first = argc > 4 ? static_cast<uint32_t>(std::atol(argv[4])) : 0;

    std::vector<std::string> examples;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(OSTREL_SOURCE_DIR) + "/examples")) {
        if (entry.path().extension() == ".ban") {
            examples.push_back("examples/" + entry.path().filename().string());
        }
    }
    std::sort(examples.begin(), examples.end());
    for (const std::string& name : examples) {
        SignatureProblem problem;
        problem.name = name;
        establishSignatureProblem(problem);
        std::fputs(formatSignatureRecord(problem, takeSignature()).c_str(), stdout);
    }

    int32_t kept = 0;
    for (uint32_t index = first; kept < wanted && index < first + 200000; ++index) {
        GeneratedProblem generated;
        if (!generateProblem(index, generated)) {
            continue;
        }
        SignatureProblem problem;
        char name[32];
        std::snprintf(name, sizeof name, "gen-%05u", index);
        problem.name = name;
        problem.board = generated.board;
        problem.side = generated.side;
        problem.target = generated.target;
        establishSignatureProblem(problem);
        const int32_t regionSize = listLength(regionPoints);
        if (regionSize < 5 || regionSize > 20) {
            continue;
        }
        // The time limit only guards against problems far beyond the budget.
        const Signature signature = takeSignature(seconds);
        if (signature.result <= 0 || signature.judgments > budget) {
            continue;
        }
        std::fputs(formatSignatureRecord(problem, signature).c_str(), stdout);
        ++kept;
    }
    std::fprintf(stderr, "%d generated problems\n", kept);
    return 0;
}
