// Runs a command line through the shell and collects its output and exit status.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

struct CommandResult {
    int status = -1;   // exit status, or -1 when the command did not exit normally
    std::string out;   // standard output
    std::string err;   // standard error
};

// A temporary file name of this test process: ctest runs tests in parallel.
inline std::string processTempPath(const std::string& name) {
    return testing::TempDir() + "ostrel_" + std::to_string(getpid()) + "_" + name;
}

inline CommandResult runCommand(const std::string& commandLine) {
    const std::string errPath = processTempPath("command_stderr.txt");
    CommandResult result;
    std::FILE* pipe = popen((commandLine + " 2>" + errPath).c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errPath, std::ios::binary);
    std::stringstream all;
    all << err.rdbuf();
    result.err = all.str();
    return result;
}

// The command-line solver built beside the tests.
inline std::string solveBinary() {
    return OSTREL_SOLVE_BIN;
}
