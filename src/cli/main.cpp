// ostrel-solve: reads a .ban or SGF problem, sets up its search region and
// either prints it (--show) or solves it; or solves a whole collection.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli.h"

namespace {

int ReadAndRun(const CliOptions& options) {
    if (const std::string why = LoadProblemFile(options.file, options, nullptr); !why.empty()) {
        std::fprintf(stderr, "ostrel-solve: %s: %s\n", options.file.c_str(), why.c_str());
        return kExitBadInput;
    }
    if (!options.show) {
        return RunSolve(options);
    }
    const int shown = RunShow(options);
    return options.sgfOut.empty() ? shown : WriteSgfOut(options, nullptr);
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
    return FinishOutput(options.batch || options.check ? RunBatch(options) : ReadAndRun(options));
}
