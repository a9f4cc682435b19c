#include <cstdio>

#include "cli/cli.h"

// Placeholder until the search engine lands: the solver is not wired up yet.
int RunSolve(const CliOptions&) {
    std::fprintf(stderr, "ostrel-solve: solving is not available in this build\n");
    return kExitBadInput;
}
