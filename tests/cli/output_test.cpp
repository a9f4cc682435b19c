// What ostrel-solve writes: JSON that a strict parser takes, whatever the
// file's name, a cut-off that lists no answer, and output that cannot be
// written reported as an error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "support/run_command.h"
#include "support/solve_run.h"

namespace {

using nlohmann::json;

// Strict: anything but one JSON object on one line (valid UTF-8 included) fails.
json parseStrict(const std::string& text) {
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
    return json::parse(text);  // throws on any fault, invalid UTF-8 included
}

CommandResult run(const std::string& options, const std::string& problem) {
    return runCommand(solveBinary() + " " + options + " '" + problem + "'");
}

TEST(CommandOutput, EveryJsonOutputParsesStrictly) {
    int32_t examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examplePath(""))) {
        if (entry.path().extension() != ".ban") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        ++examples;
        const json shown = parseStrict(run("--show --json", entry.path().string()).out);
        EXPECT_EQ(shown["file"], entry.path().string());
        EXPECT_FALSE(shown.contains("fileBytes"));
        EXPECT_TRUE(shown["region"].is_array());

        const CommandResult solved = run("--json --threads 2", entry.path().string());
        ASSERT_EQ(solved.status, 0) << solved.err;
        const json outcome = parseStrict(solved.out);
        EXPECT_EQ(outcome["complete"], true);
        EXPECT_FALSE(outcome.contains("provenMoves"));
        EXPECT_NE(outcome["verdict"], "cut off");
        EXPECT_GE(outcome["labels"].size(), outcome["moves"].size() > 0 ? 1u : 0u);
    }
    EXPECT_GT(examples, 10);
}

TEST(CommandOutput, ACutOffListsNoMovesAsTheAnswer) {
    const json cut = parseStrict(run("--json --threads 2 --time-limit 0", writeHeavyProblem()).out);
    EXPECT_EQ(cut["verdict"], "cut off");
    EXPECT_EQ(cut["solveResult"], 0);
    EXPECT_EQ(cut["complete"], false);
    EXPECT_EQ(cut["moves"], json::array());
    EXPECT_TRUE(cut["provenMoves"].is_array());
    EXPECT_EQ(cut["labels"], json::array());
}

TEST(CommandOutput, AFileNameThatIsNotUtf8) {
    const std::string path = processTempPath("name_\xFF\xFE.ban");
    std::filesystem::copy_file(examplePath("corner_bent_three_white_kills.ban"), path,
                               std::filesystem::copy_options::overwrite_existing);
    for (const char* options : {"--show --json", "--json --threads 1"}) {
        SCOPED_TRACE(options);
        const CommandResult r = run(options, path);
        ASSERT_EQ(r.status, 0) << r.err;
        const json out = parseStrict(r.out);
        const std::string file = out["file"];
        EXPECT_EQ(file, processTempPath("name_\xEF\xBF\xBD\xEF\xBF\xBD.ban"));
        std::string hex;
        for (const unsigned char c : path) {
            static const char* digits = "0123456789abcdef";
            hex += digits[c >> 4];
            hex += digits[c & 15];
        }
        EXPECT_EQ(out["fileBytes"], hex);
    }
    std::filesystem::remove(path);
}

TEST(CommandOutput, OutputThatCannotBeWrittenIsAnError) {
    const std::string problem = examplePath("corner_bent_three_white_kills.ban");
    for (const char* options : {"--show", "--show --json", "--threads 1", "--json --threads 1"}) {
        SCOPED_TRACE(options);
        const CommandResult full =
            runCommand(solveBinary() + " " + options + " '" + problem + "' >/dev/full");
        EXPECT_EQ(full.status, 1);
        EXPECT_EQ(full.err, "ostrel-solve: cannot write the output: No space left on device\n");
        const CommandResult closed =
            runCommand(solveBinary() + " " + options + " '" + problem + "' >&-");
        EXPECT_EQ(closed.status, 1);
        EXPECT_EQ(closed.err.rfind("ostrel-solve: cannot write the output: ", 0), 0u) << closed.err;
    }
    // Bad input keeps its own status and its one line.
    const CommandResult bad = runCommand(solveBinary() + " --threads 0 '" + problem + "' >/dev/full");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "ostrel-solve: --threads takes a number from 1 to 16\n");
    const CommandResult help = runCommand(solveBinary() + " --help >/dev/full");
    EXPECT_EQ(help.status, 1);
}

}  // namespace
