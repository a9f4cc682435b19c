// The options of ostrel-solve, read with CLI11. Each option is one call in
// ReadCommandLine; its value is checked as it is met, so the first bad
// argument is the one reported.
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <thread>

#include <CLI/CLI.hpp>

#include "cli/cli.h"

namespace {

constexpr const char* kUsage =
    "usage: ostrel-solve [options] FILE\n"
    "       ostrel-solve --batch [options] PATH...\n"
    "       ostrel-solve --check [options] PATH...\n"
    "Solves a Go life-and-death problem stored in a .ban or an SGF (.sgf) file.\n"
    "\n"
    "options:\n"
    "  --show            print the problem and its search region, do not solve\n"
    "  --json            print JSON (one object per problem) instead of text\n"
    "  --threads N       number of search threads, 1..16 (default: processors, at most 2)\n"
    "  --time-limit S    stop the search after S seconds (default 100000)\n"
    "  --seed N          seed the position keys with N for reproducible runs\n"
    "  --search ORDER    exact (the default) or strong: the same rules and answers,\n"
    "                    found by a search that starts from the judgment's estimates\n"
    "  --memory MB       strong order: past MB megabytes of positions, search on without\n"
    "                    storing new ones, slower but within memory (default: half the\n"
    "                    machine's memory)\n"
    "  --target X,Y      the target stone at column X, row Y (1..19), instead of the file's\n"
    "  --side SIDE       the side to move, black or white, instead of the file's\n"
    "  --sgf-out FILE    write the problem, and after a solve its answer, as SGF\n"
    "  --batch           solve every .ban and .sgf file of the PATHs (folders searched\n"
    "                    through), one line each, then a summary; exit status 2 when\n"
    "                    some file could not be read\n"
    "  --check           the same for SGF files whose correct first moves are marked:\n"
    "                    compare them with the solver's\n"
    "  --help            print this help and exit\n";

// Thrown out of an option's check with the message for the user.
struct BadValue : CLI::ValidationError {
    explicit BadValue(const std::string& message) : CLI::ValidationError(message) {}
};

// A whole decimal number in [low, high]; false for anything else.
bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
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

int32_t DefaultThreads() {
    const unsigned processors = std::thread::hardware_concurrency();
    return processors <= 1 ? 1 : 2;
}

// The options that take a number; `message` is also the one for a missing value.
struct NumberOption {
    const char* name;
    long long low;
    long long high;
    const char* message;
};

void AddNumber(CLI::App& app, const NumberOption& option, std::function<void(long long)> store) {
    app.add_option_function<std::string>(
           option.name,
           [option, store](const std::string& text) {
               long long n = 0;
               if (!ParseNumber(text, option.low, option.high, n)) {
                   throw BadValue(option.message);
               }
               store(n);
           })
        ->trigger_on_parse()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

constexpr NumberOption kThreads{"--threads", 1, 16, "--threads takes a number from 1 to 16"};
constexpr NumberOption kTimeLimit{"--time-limit", 0, 2147483647LL,
                                  "--time-limit takes a number of seconds from 0 to 2147483647"};
constexpr NumberOption kSeed{"--seed", 0, 4294967295LL, "--seed takes a number from 0 to 4294967295"};
constexpr NumberOption kMemory{"--memory", 1, 1048576,
                               "--memory takes a number of megabytes from 1 to 1048576"};
constexpr NumberOption kNumberOptions[] = {kThreads, kTimeLimit, kSeed, kMemory};

// "x,y" with both from 1 to 19.
bool ParsePoint(const std::string& text, int32_t& point) {
    const size_t comma = text.find(',');
    long long x = 0;
    long long y = 0;
    if (comma == std::string::npos || !ParseNumber(text.substr(0, comma), 1, 19, x) ||
        !ParseNumber(text.substr(comma + 1), 1, 19, y)) {
        return false;
    }
    point = pointAt(static_cast<int32_t>(x), static_cast<int32_t>(y));
    return true;
}

constexpr const char* kTargetMessage = "--target takes a point x,y with x and y from 1 to 19";
constexpr const char* kSideMessage = "--side takes black or white";
constexpr const char* kSgfOutMessage = "--sgf-out takes the name of the file to write";
constexpr const char* kSearchMessage = "--search takes exact or strong";

int BadInput(const std::string& message) {
    std::fprintf(stderr, "ostrel-solve: %s\n", message.c_str());
    return kExitBadInput;
}

// CLI11's own message names the option first ("--threads: ..."): the option
// whose value is missing.
int MissingValue(const CLI::ParseError& error) {
    const std::string what = error.what();
    for (const NumberOption& option : kNumberOptions) {
        if (what.rfind(std::string(option.name) + ":", 0) == 0) {
            return BadInput(option.message);
        }
    }
    const std::pair<const char*, const char*> others[] = {
        {"--target:", kTargetMessage}, {"--side:", kSideMessage}, {"--sgf-out:", kSgfOutMessage},
        {"--search:", kSearchMessage}};
    for (const auto& [name, message] : others) {
        if (what.rfind(name, 0) == 0) {
            return BadInput(message);
        }
    }
    return BadInput(what);
}

}  // namespace

int ReadCommandLine(int argc, char** argv, CliOptions& options) {
    options.threads = DefaultThreads();
    CLI::App app{"ostrel-solve"};
    app.set_help_flag();  // the usage text below instead of CLI11's
    app.allow_extras();   // unknown options and a second file, reported below
    bool help = false;
    app.add_flag_callback("-h,--help", [&help] {
           help = true;
           throw CLI::Success();
       })
        ->trigger_on_parse();
    app.add_flag("--show", options.show);
    app.add_flag("--json", options.json);
    AddNumber(app, kThreads, [&](long long n) { options.threads = static_cast<int32_t>(n); });
    AddNumber(app, kTimeLimit, [&](long long n) { options.timeLimit = static_cast<int32_t>(n); });
    AddNumber(app, kMemory,
              [&](long long n) { options.memoryMegabytes = static_cast<uint32_t>(n); });
    AddNumber(app, kSeed, [&](long long n) {
        options.haveSeed = true;
        options.seed = static_cast<uint32_t>(n);
    });
    app.add_option_function<std::string>(
           "--target",
           [&options](const std::string& text) {
               if (!ParsePoint(text, options.target)) {
                   throw BadValue(kTargetMessage);
               }
           })
        ->trigger_on_parse()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--side",
           [&options](const std::string& text) {
               if (text != "black" && text != "white") {
                   throw BadValue(kSideMessage);
               }
               options.side = text == "black" ? kBlack : kWhite;
           })
        ->trigger_on_parse()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--sgf-out",
           [&options](const std::string& text) {
               if (text.empty()) {
                   throw BadValue(kSgfOutMessage);
               }
               options.sgfOut = text;
           })
        ->trigger_on_parse()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--search",
           [&options](const std::string& text) {
               if (!ParseSearchMode(text.c_str(), options.search)) {
                   throw BadValue(kSearchMessage);
               }
           })
        ->trigger_on_parse()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--batch", options.batch);
    app.add_flag("--check", options.check);
    app.add_option("file", options.files);

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success&) {
        if (help) {
            std::fputs(kUsage, stdout);
        }
        return kExitOk;
    } catch (const BadValue& error) {
        return BadInput(error.what());
    } catch (const CLI::ParseError& error) {
        return MissingValue(error);
    }
    for (const std::string& extra : app.remaining()) {
        if (extra.size() > 1 && extra[0] == '-') {
            return BadInput("unknown option " + extra.substr(0, extra.find('=')) + " (see --help)");
        }
        options.files.push_back(extra);
    }
    if (options.files.empty()) {
        return BadInput("no problem file given (see --help)");
    }
    if (!ReadStrongSettingsFromEnvironment(options.strong)) {
        return BadInput(
            "OSTREL_STRONG takes eps=N/D, rooteps=N/D|0, order=0|1, open=N, judge=N, legal=0|1, "
            "carry=0|1|2, cut=0|1, cache=0|1 and weak=0|1, separated by commas");
    }
    if (options.batch || options.check) {
        if (options.batch && options.check) {
            return BadInput("--batch and --check do not go together: --check is a batch of its own");
        }
        const char* mode = options.batch ? "--batch" : "--check";
        if (options.target != 0 || !options.sgfOut.empty() || options.show) {
            return BadInput(std::string(mode) + " takes no --target, --sgf-out or --show: " +
                            "they are for one problem");
        }
        return kGoOn;
    }
    if (options.files.size() > 1) {
        return BadInput("only one problem file may be given (--batch takes several)");
    }
    options.file = options.files[0];
    return kGoOn;
}
