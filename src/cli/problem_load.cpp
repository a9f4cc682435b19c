// The problem of one file as ostrel-solve takes it: a .ban or an SGF file,
// with the target and the side the command line gives instead of the file's.
#include <cerrno>
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "position/region.h"
#include "problem/problem.h"
#include "problem/problem_check.h"
#include "problem/sgf_problem.h"

namespace {

std::string FaultText(ProblemFileFault fault) {
    switch (fault) {
        case ProblemFileFault::TooLarge:
            return "larger than " + std::to_string(kMaxProblemFileBytes / 1024) +
                   " kB, not a problem file";
        case ProblemFileFault::NotText: return "holds bytes that are not text, not a problem file";
        case ProblemFileFault::NoHeader: return "has no header line beginning with '*', not a problem file";
        case ProblemFileFault::Directory: return ReadFailureText(kReadDirectory);
        case ProblemFileFault::Fifo: return ReadFailureText(kReadFifo);
        case ProblemFileFault::Device: return ReadFailureText(kReadDevice);
        case ProblemFileFault::NotRegular: return ReadFailureText(kReadNotAFile);
        case ProblemFileFault::None: break;
    }
    return "";
}

std::string ReadBan(const std::string& path) {
    int32_t code = kReadOk;
    std::FILE* file = OpenRegularFile(path.c_str(), code);
    if (file == nullptr) {
        return code == kReadCannotOpen ? std::string(std::strerror(errno)) : ReadFailureText(code);
    }
    std::fclose(file);
    if (const std::string fault = FaultText(CheckProblemFile(path.c_str())); !fault.empty()) {
        return fault;
    }
    if (ReadProblemFile(path.c_str()) != kReadOk) {
        return "cannot be read";
    }
    return "";
}

std::string ReadSgf(const std::string& path, const CliOptions& options, PointList* book) {
    SgfProblem problem;
    std::string message;
    if (ReadSgfProblemFile(path.c_str(), problem, message) != kSgfOk) {
        return message;
    }
    if (options.side != 0) {
        problem.side = options.side;
    }
    if (options.target != 0) {
        problem.target = options.target;
        problem.candidates = PointList{};
    }
    if (problem.side != kBlack && problem.side != kWhite) {
        return SgfProblemGap(problem) + "; give one with --side black|white";
    }
    if (problem.target == 0) {
        return SgfProblemGap(problem) + (problem.candidates[0] != 0 ? "; pick one with --target x,y"
                                                                     : ", or give --target x,y");
    }
    TakeSgfProblem(problem);
    if (book != nullptr) {
        *book = problem.bookMoves;
    }
    return "";
}

}  // namespace

std::string LoadProblemFile(const std::string& path, const CliOptions& options, PointList* book) {
    if (book != nullptr) {
        *book = PointList{};
    }
    resetProblem();
    const std::string why = HasSgfExtension(path) ? ReadSgf(path, options, book) : ReadBan(path);
    if (!why.empty()) {
        resetProblem();
        return why;
    }
    if (options.side != 0) {
        sideToMove = options.side;
    }
    if (options.target != 0) {
        targetPoint = options.target;
    }
    // Play never leaves a string without liberties; such a board is not a problem.
    if (const int32_t p = stoneWithoutLiberty(problemBoard); p != 0) {
        return "a string without liberties at " + std::to_string(pointX(p)) + "," +
               std::to_string(pointY(p));
    }
    // Establish the problem as a load does; without a target stone the region stays empty.
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    return "";
}
