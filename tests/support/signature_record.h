// One-worker, fixed-seed fingerprints of solves: the problem, its region in
// order, and what the solve gives (verdict, moves in order, judgments, depth,
// memory). The committed file of these records is what every change to the
// engine must keep reproducing exactly.
//
// A record is a block of lines:
//   problem NAME            examples/FILE.ban, or gen-NNNN for a generated one
//   side S                  1 black, 2 white        (generated problems only)
//   target X,Y                                      (generated problems only)
//   black X,Y ...           stones                  (generated problems only)
//   white X,Y ...
//   ko X,Y                  ko-marked point, when there is one
//   region X,Y ...          the search region, in order
//   result R moves X,Y ... judgments J depth D memory M
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "position/region.h"
#include "problem/problem.h"
#include "support/solve_run.h"

struct SignatureProblem {
    std::string name;
    Board board{};
    int32_t side = 0;
    int32_t target = 0;
};

struct Signature {
    std::vector<int32_t> region;
    int32_t result = 0;
    std::vector<int32_t> moves;
    uint32_t judgments = 0;
    int32_t depth = 0;
    uint64_t memory = 0;

    bool operator==(const Signature&) const = default;
};

inline std::string signaturePointText(int32_t p) {
    return std::to_string(pointX(p)) + "," + std::to_string(pointY(p));
}

inline std::string signaturePointsText(const std::vector<int32_t>& points) {
    std::string text;
    for (const int32_t p : points) {
        text.append(" ").append(signaturePointText(p));
    }
    return text;
}

inline std::vector<int32_t> signatureListPoints(const PointList& list) {
    std::vector<int32_t> points;
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        points.push_back(list[i]);
    }
    return points;
}

// OSTREL_SIGNATURE_EVERY=N takes every Nth problem only: under the
// sanitizers a solve is many times slower, and a sample of the set still
// exercises every path. Unset, the whole set is solved.
inline size_t problemStride() {
    const char* value = std::getenv("OSTREL_SIGNATURE_EVERY");
    const long stride = value == nullptr ? 1 : std::strtol(value, nullptr, 10);
    return stride >= 1 ? static_cast<size_t>(stride) : 1;
}

inline bool isExampleName(const std::string& name) { return name.rfind("examples/", 0) == 0; }

// Puts the problem into the problem record and sets up its region, as a load does.
inline bool establishSignatureProblem(const SignatureProblem& problem) {
    if (isExampleName(problem.name)) {
        return loadProblem(std::string(OSTREL_SOURCE_DIR) + "/" + problem.name);
    }
    resetProblem();
    copyBoard(problemBoard, problem.board);
    sideToMove = problem.side;
    targetPoint = problem.target;
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    return true;
}

// Solves the established problem with one worker and seed 1.
inline Signature takeSignature(int32_t timeLimit = 100000) {
    Signature signature;
    signature.region = signatureListPoints(regionPoints);
    const SolveRun run = solveCurrentProblem(1, 1, timeLimit);
    signature.result = run.finished ? run.result : -1;
    signature.moves = signatureListPoints(run.outcome.moves);
    signature.judgments = run.outcome.judgments;
    signature.depth = run.outcome.depth;
    signature.memory = run.outcome.memoryBytes;
    return signature;
}

inline std::string formatSignatureRecord(const SignatureProblem& problem, const Signature& s) {
    // Appended piece by piece: GCC 12 warns falsely on chains of operator+.
    std::string text;
    auto line = [&text](const char* key, const std::string& rest) {
        text.append(key).append(rest).append("\n");
    };
    line("problem ", problem.name);
    if (!isExampleName(problem.name)) {
        line("side ", std::to_string(problem.side));
        line("target ", signaturePointText(problem.target));
        std::vector<int32_t> black, white, ko;
        for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
            if (!isOnBoard(p)) {
                continue;
            }
            const uint8_t cell = problem.board[p];
            if (cell == kBlack) {
                black.push_back(p);
            } else if (cell == kWhite) {
                white.push_back(p);
            } else if (cell == kKoMark) {
                ko.push_back(p);
            }
        }
        line("black", signaturePointsText(black));
        line("white", signaturePointsText(white));
        if (!ko.empty()) {
            line("ko", signaturePointsText(ko));
        }
    }
    line("region", signaturePointsText(s.region));
    std::string result = std::to_string(s.result);
    result.append(" moves").append(signaturePointsText(s.moves));
    result.append(" judgments ").append(std::to_string(s.judgments));
    result.append(" depth ").append(std::to_string(s.depth));
    result.append(" memory ").append(std::to_string(s.memory));
    line("result ", result);
    return text;
}

inline std::vector<int32_t> parseSignaturePoints(std::istringstream& words) {
    std::vector<int32_t> points;
    std::string word;
    while (words >> word) {
        int x = 0, y = 0;
        if (std::sscanf(word.c_str(), "%d,%d", &x, &y) != 2) {
            break;
        }
        points.push_back(pointAt(x, y));
    }
    return points;
}

struct SignatureEntry {
    SignatureProblem problem;
    Signature signature;
};

inline std::vector<SignatureEntry> parseSignatureFile(std::istream& in) {
    std::vector<SignatureEntry> entries;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "problem") {
            entries.emplace_back();
            words >> entries.back().problem.name;
            clearBoard(entries.back().problem.board);
            continue;
        }
        if (entries.empty()) {
            continue;
        }
        SignatureProblem& problem = entries.back().problem;
        Signature& signature = entries.back().signature;
        if (key == "side") {
            words >> problem.side;
        } else if (key == "target") {
            const std::vector<int32_t> points = parseSignaturePoints(words);
            problem.target = points.empty() ? 0 : points[0];
        } else if (key == "black" || key == "white" || key == "ko") {
            const uint8_t cell = key == "black" ? kBlack : key == "white" ? kWhite : kKoMark;
            for (const int32_t p : parseSignaturePoints(words)) {
                problem.board[p] = cell;
            }
        } else if (key == "region") {
            signature.region = parseSignaturePoints(words);
        } else if (key == "result") {
            words >> signature.result >> key;  // "moves"
            signature.moves = parseSignaturePoints(words);
            // parseSignaturePoints stopped on "judgments"
            words >> signature.judgments >> key >> signature.depth >> key >> signature.memory;
        }
    }
    return entries;
}
