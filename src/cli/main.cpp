// ostrel-solve: reads a .ban problem, sets up its search region and either
// prints it (--show) or solves it.
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "cli/cli.h"
#include "position/region.h"
#include "problem/problem.h"

namespace {

constexpr const char* kUsage =
    "usage: ostrel-solve [options] FILE.ban\n"
    "Solves a Go life-and-death problem stored in a .ban file.\n"
    "\n"
    "options:\n"
    "  --show            print the problem and its search region, do not solve\n"
    "  --json            print one JSON object instead of text\n"
    "  --threads N       number of search threads, 1..16 (default: processors, at most 2)\n"
    "  --time-limit S    stop the search after S seconds (default 100000)\n"
    "  --seed N          seed the position keys with N for reproducible runs\n"
    "  --help            print this help and exit\n";

int badInput(const std::string& message) {
    std::fprintf(stderr, "ostrel-solve: %s\n", message.c_str());
    return kExitBadInput;
}

// A whole decimal number in [low, high]; false for anything else.
bool parseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty() || text.size() > 18) {
        return false;
    }
    long long v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + (c - '0');
    }
    if (v < low || v > high) {
        return false;
    }
    value = v;
    return true;
}

int32_t defaultThreads() {
    const unsigned processors = std::thread::hardware_concurrency();
    if (processors <= 1) {
        return 1;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    options.threads = defaultThreads();
    bool haveFile = false;

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool hasValue = false;
        const size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue) {
                return true;
            }
            if (i + 1 >= argc) {
                return false;
            }
            value = argv[++i];
            return true;
        };

        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        } else if (arg == "--show") {
            options.show = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--threads") {
            long long n = 0;
            if (!takeValue() || !parseNumber(value, 1, 16, n)) {
                return badInput("--threads takes a number from 1 to 16");
            }
            options.threads = static_cast<int32_t>(n);
        } else if (arg == "--time-limit") {
            long long n = 0;
            if (!takeValue() || !parseNumber(value, 0, 2147483647LL, n)) {
                return badInput("--time-limit takes a number of seconds from 0 to 2147483647");
            }
            options.timeLimit = static_cast<int32_t>(n);
        } else if (arg == "--seed") {
            long long n = 0;
            if (!takeValue() || !parseNumber(value, 0, 4294967295LL, n)) {
                return badInput("--seed takes a number from 0 to 4294967295");
            }
            options.haveSeed = true;
            options.seed = static_cast<uint32_t>(n);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return badInput("unknown option " + arg + " (see --help)");
        } else if (haveFile) {
            return badInput("only one problem file may be given");
        } else {
            options.file = argv[i];
            haveFile = true;
        }
    }
    if (!haveFile) {
        return badInput("no problem file given (see --help)");
    }

    if (ReadProblemFile(options.file.c_str()) != 0) {
        return kExitBadInput;  // the reader has said why
    }
    // Play never leaves a string without liberties; such a board is not a problem.
    if (const int32_t p = stoneWithoutLiberty(problemBoard); p != 0) {
        return badInput(options.file + ": a string without liberties at " +
                        std::to_string(pointX(p)) + "," + std::to_string(pointY(p)));
    }
    // Establish the problem as a load does; without a target stone the region stays empty.
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);

    return options.show ? RunShow(options) : RunSolve(options);
}
