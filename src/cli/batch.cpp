// --batch and --check: the problems of many files solved one after another in
// this process, one line each, a progress line on stderr and a summary.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "problem/problem.h"
#include "problem/sgf_problem.h"
#include "search/solve_outcome.h"

namespace {

namespace fs = std::filesystem;

// The answers of --check, in the order of the summary.
enum CheckAnswer : int32_t { kAgrees, kBookMoveRefuted, kSolverMoveNotInBook, kCheckCutOff, kAnswers };
constexpr const char* kAnswerText[kAnswers] = {"agrees", "book move refuted",
                                               "solver move not in book", "cut off"};
constexpr const char* kAnswerKey[kAnswers] = {"agrees", "bookMoveRefuted", "solverMoveNotInBook",
                                              "cutOff"};

bool HasProblemExtension(const fs::path& path, bool sgfOnly) {
    const std::string name = path.filename().string();
    if (HasSgfExtension(name)) {
        return true;
    }
    const size_t dot = name.rfind('.');
    if (sgfOnly || dot == std::string::npos) {
        return false;
    }
    std::string extension = name.substr(dot);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension == ".ban";
}

// The files of the paths: a file as given (a missing one too: its line says
// so), a folder's .ban and .sgf files at any depth. Sorted, each once.
std::vector<std::string> CollectFiles(const std::vector<std::string>& paths, bool sgfOnly) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!fs::is_directory(path, error)) {
            files.push_back(path);
            continue;
        }
        fs::recursive_directory_iterator walk(path, fs::directory_options::skip_permission_denied,
                                              error);
        for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
            std::error_code kind;
            if (walk->is_regular_file(kind) && HasProblemExtension(walk->path(), sgfOnly)) {
                files.push_back(walk->path().string());
            }
        }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

std::string MovesText(const PointList& moves) {
    std::string text;
    for (int32_t i = 0; i < kListSlots && moves[i] != 0; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += std::to_string(pointX(moves[i]));
        text += ',';
        text += std::to_string(pointY(moves[i]));
    }
    return text.empty() ? "-" : text;
}

bool SameMoves(const PointList& a, const PointList& b, int32_t& missing) {
    for (int32_t i = 0; i < kListSlots && a[i] != 0; ++i) {
        if (!listContains(b, a[i])) {
            missing = a[i];
            return false;
        }
    }
    return true;
}

CheckAnswer Compare(const PointList& book, const SolveOutcome& outcome) {
    if (outcome.verdict == kSolveCutOff) {
        return kCheckCutOff;
    }
    int32_t missing = 0;
    if (!SameMoves(book, outcome.moves, missing)) {
        return kBookMoveRefuted;
    }
    if (!SameMoves(outcome.moves, book, missing)) {
        return kSolverMoveNotInBook;
    }
    return kAgrees;
}

// The count done of the total, the time so far and an estimate of the rest
// (the mean time per problem so far). On a terminal one line rewritten in
// place; elsewhere a line at most once a second, and the last one.
class Progress {
public:
    explicit Progress(int32_t total) : total_(total), terminal_(isatty(STDERR_FILENO) == 1) {}

    void Done(int32_t done) {
        const double elapsed = SecondsSince(start_);
        const bool last = done == total_;
        if (!terminal_ && !last && elapsed - shownAt_ < 1.0) {
            return;
        }
        shownAt_ = elapsed;
        const double left = done > 0 ? elapsed / done * (total_ - done) : 0.0;
        std::fprintf(stderr, "%s%d/%d done, %.1f s elapsed, about %.1f s left%s",
                     terminal_ ? "\r" : "progress: ", static_cast<int>(done),
                     static_cast<int>(total_), elapsed, left, terminal_ && !last ? "" : "\n");
        std::fflush(stderr);
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    int32_t total_;
    bool terminal_;
    double shownAt_ = -1.0;
};

struct Tally {
    int32_t files = 0;
    int32_t broken = 0;
    int32_t verdicts[4] = {};  // by verdict code: cut off, alive, dead, ko
    int32_t answers[kAnswers] = {};
    std::vector<double> seconds;  // of the problems solved
};

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

void PrintBroken(const CliOptions& options, const std::string& file, const std::string& why) {
    if (options.json) {
        Json out = Json::object();
        AddFileField(out, file);
        out["error"] = why;
        std::fputs(JsonLine(out).c_str(), stdout);
    } else {
        std::printf("%s  broken: %s\n", file.c_str(), why.c_str());
    }
}

void PrintSolved(const CliOptions& options, const std::string& file, const PointList& region,
                 const SolveOutcome& outcome, double seconds, const PointList& book,
                 CheckAnswer answer) {
    const bool complete = outcome.verdict != kSolveCutOff;
    if (options.json) {
        Json out = Json::object();
        AddProblemFields(out, file, outcome.side, outcome.target, region);
        AddOutcomeFields(out, options.threads, outcome);
        out["wallSeconds"] = Rounded(seconds);
        if (options.check) {
            out["bookMoves"] = PointListJson(book);
            out["check"] = kAnswerText[answer];
        }
        std::fputs(JsonLine(out).c_str(), stdout);
        return;
    }
    const std::string moves = complete ? MovesText(outcome.moves) : "-";
    if (options.check) {
        std::printf("%s  %s  book %s  solver %s  %.3f s\n", file.c_str(), kAnswerText[answer],
                    MovesText(book).c_str(), moves.c_str(), seconds);
    } else {
        std::printf("%s  %s  moves %s  judgments %u  %.3f s\n", file.c_str(),
                    VerdictName(outcome.verdict), moves.c_str(),
                    static_cast<unsigned>(outcome.judgments), seconds);
    }
}

void PrintSummary(const CliOptions& options, const Tally& tally) {
    double total = 0.0;
    for (const double s : tally.seconds) {
        total += s;
    }
    const double median = Median(tally.seconds);
    if (options.json) {
        Json summary = Json::object();
        summary["files"] = tally.files;
        if (options.check) {
            for (int32_t a = 0; a < kAnswers; ++a) {
                summary[kAnswerKey[a]] = tally.answers[a];
            }
        } else {
            summary["solved"] = tally.files - tally.broken;
            summary["alive"] = tally.verdicts[kSolveAlive];
            summary["dead"] = tally.verdicts[kSolveDead];
            summary["ko"] = tally.verdicts[kSolveKo];
            summary["cutOff"] = tally.verdicts[kSolveCutOff];
        }
        summary["broken"] = tally.broken;
        summary["totalSeconds"] = Rounded(total);
        summary["medianSeconds"] = Rounded(median);
        Json out = Json::object();
        out["summary"] = summary;
        std::fputs(JsonLine(out).c_str(), stdout);
        return;
    }
    std::string counts;
    if (options.check) {
        for (int32_t a = 0; a < kAnswers; ++a) {
            counts += std::string(kAnswerText[a]) + " " + std::to_string(tally.answers[a]) + ", ";
        }
    } else {
        counts = std::to_string(tally.files - tally.broken) + " solved: alive " +
                 std::to_string(tally.verdicts[kSolveAlive]) + ", dead " +
                 std::to_string(tally.verdicts[kSolveDead]) + ", ko " +
                 std::to_string(tally.verdicts[kSolveKo]) + ", cut off " +
                 std::to_string(tally.verdicts[kSolveCutOff]) + "; ";
    }
    std::printf("summary: %d files, %sbroken %d; %.3f s in all, median %.3f s\n",
                static_cast<int>(tally.files), counts.c_str(), static_cast<int>(tally.broken),
                total, median);
}

}  // namespace

int RunBatch(const CliOptions& options) {
    const std::vector<std::string> files = CollectFiles(options.files, options.check);
    Tally tally;
    tally.files = static_cast<int32_t>(files.size());
    Progress progress(tally.files);
    int32_t done = 0;
    for (const std::string& file : files) {
        const auto start = std::chrono::steady_clock::now();
        PointList book{};
        std::string why = LoadProblemFile(file, options, options.check ? &book : nullptr);
        if (why.empty() && options.check && book[0] == 0) {
            why = HasSgfExtension(file) ? "no first move is marked correct (a variation with \"Correct\" "
                                    "or \"RIGHT\" in a comment, or TE[1] or TE[2])"
                                  : "a .ban file marks no correct first move";
        }
        if (why.empty()) {
            why = SolveRefusalText(options.threads);
        }
        if (!why.empty()) {
            tally.broken += 1;
            PrintBroken(options, file, why);
        } else {
            const PointList region = regionPoints;
            SolveOutcome outcome;
            if (!SolveLoadedProblem(options, false, outcome)) {
                return kExitFatal;
            }
            const double seconds = SecondsSince(start);
            const CheckAnswer answer = options.check ? Compare(book, outcome) : kAgrees;
            tally.verdicts[outcome.verdict >= 0 && outcome.verdict <= 3 ? outcome.verdict : 0] += 1;
            tally.answers[answer] += options.check ? 1 : 0;
            tally.seconds.push_back(seconds);
            PrintSolved(options, file, region, outcome, seconds, book, answer);
        }
        std::fflush(stdout);
        progress.Done(++done);
    }
    PrintSummary(options, tally);
    return tally.broken > 0 ? kExitBadInput : kExitOk;
}
