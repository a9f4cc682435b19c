// ostrel-solve: reads a .ban problem, sets up its search region and either
// prints it (--show) or solves it.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "position/region.h"
#include "problem/problem.h"

namespace {

int BadInput(const std::string& message) {
    std::fprintf(stderr, "ostrel-solve: %s\n", message.c_str());
    return kExitBadInput;
}

int ReadAndRun(const CliOptions& options) {
    if (ReadProblemFile(options.file.c_str()) != 0) {
        return kExitBadInput;  // the reader has said why
    }
    // Play never leaves a string without liberties; such a board is not a problem.
    if (const int32_t p = stoneWithoutLiberty(problemBoard); p != 0) {
        return BadInput(options.file + ": a string without liberties at " +
                        std::to_string(pointX(p)) + "," + std::to_string(pointY(p)));
    }
    // Establish the problem as a load does; without a target stone the region stays empty.
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    return options.show ? RunShow(options) : RunSolve(options);
}

}  // namespace

int FinishOutput(int status) {
    // A full disk, a closed pipe or a closed standard output only shows once
    // the buffered output goes out.
    int error = 0;
    if (std::fflush(stdout) != 0) {
        error = errno;
    }
    if (std::ferror(stdout) && error == 0) {
        error = errno != 0 ? errno : EIO;
    }
    if (std::fclose(stdout) != 0 && error == 0) {
        error = errno;
    }
    // A run that has already failed said why; its status stays.
    if (error == 0 || status != kExitOk) {
        return status;
    }
    std::fprintf(stderr, "ostrel-solve: cannot write the output: %s\n", std::strerror(error));
    return kExitFatal;
}

int main(int argc, char** argv) {
    CliOptions options;
    const int read = ReadCommandLine(argc, argv, options);
    if (read != kGoOn) {
        return FinishOutput(read);
    }
    return FinishOutput(ReadAndRun(options));
}
