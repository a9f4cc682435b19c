#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "search/solve_log.h"
#include "support/solve_run.h"

namespace {

// Each test gets its own home, cache and runtime folders; the variables are
// put back afterwards.
class SolveLogTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/ostrellogXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        for (const char* name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME"}) {
            const char* value = std::getenv(name);
            saved.push_back({name, value ? std::string(value) : std::string(), value != nullptr});
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const Saved& s : saved) {
            if (s.set) {
                setenv(s.name, s.value.c_str(), 1);
            } else {
                unsetenv(s.name);
            }
        }
        std::system(("rm -rf '" + root + "'").c_str());
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    static mode_t Mode(const std::string& path) {
        struct stat st;
        return lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
    }

    struct Saved {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Saved> saved;
    std::string root;
};

TEST_F(SolveLogTest, FolderFromTheRuntimeOrCacheVariablesOrHome) {
    EXPECT_EQ(SolveLogFolder(), "");
    EXPECT_EQ(OpenSolveLog(), nullptr);
    setenv("HOME", root.c_str(), 1);
    EXPECT_EQ(SolveLogFolder(), root + "/.cache/ostrel");
    setenv("XDG_CACHE_HOME", "relative/cache", 1);  // only absolute paths count
    EXPECT_EQ(SolveLogFolder(), root + "/.cache/ostrel");
    setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
    EXPECT_EQ(SolveLogFolder(), root + "/cache/ostrel");
    setenv("XDG_RUNTIME_DIR", (root + "/run").c_str(), 1);
    EXPECT_EQ(SolveLogFolder(), root + "/run/ostrel");

    // ~/.cache is made when missing, and the folder is the user's alone.
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("XDG_CACHE_HOME");
    std::FILE* log = OpenSolveLog();
    ASSERT_NE(log, nullptr);
    std::fclose(log);
    EXPECT_EQ(Mode(root + "/.cache/ostrel") & 0777, 0700u);
    EXPECT_TRUE(S_ISREG(Mode(root + "/.cache/ostrel/tumego.txt")));
}

TEST_F(SolveLogTest, NeverEmptiesAFileThroughALink) {
    setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
    const std::string victim = root + "/victim.txt";
    std::ofstream(victim) << "fifteen bytes!\n";
    ASSERT_EQ(mkdir((root + "/ostrel").c_str(), 0700), 0);
    ASSERT_EQ(symlink(victim.c_str(), (root + "/ostrel/tumego.txt").c_str()), 0);
    EXPECT_EQ(OpenSolveLog(), nullptr);

    // Nor through a whole solve.
    ASSERT_TRUE(loadProblem(examplePath("corner_bent_three_white_kills.ban")));
    EXPECT_EQ(solveCurrentProblem(2).result, kSolveDead);
    EXPECT_EQ(Read(victim), "fifteen bytes!\n");
    EXPECT_TRUE(S_ISLNK(Mode(root + "/ostrel/tumego.txt")));

    // A linked folder, or one that others may write to, is not used either.
    ASSERT_EQ(unlink((root + "/ostrel/tumego.txt").c_str()), 0);
    ASSERT_EQ(rmdir((root + "/ostrel").c_str()), 0);
    ASSERT_EQ(mkdir((root + "/elsewhere").c_str(), 0700), 0);
    ASSERT_EQ(symlink((root + "/elsewhere").c_str(), (root + "/ostrel").c_str()), 0);
    EXPECT_EQ(OpenSolveLog(), nullptr);
    ASSERT_EQ(unlink((root + "/ostrel").c_str()), 0);
    ASSERT_EQ(mkdir((root + "/ostrel").c_str(), 0777), 0);
    ASSERT_EQ(chmod((root + "/ostrel").c_str(), 0777), 0);
    EXPECT_EQ(OpenSolveLog(), nullptr);

    // A solve empties a log file of its own.
    ASSERT_EQ(chmod((root + "/ostrel").c_str(), 0700), 0);
    std::ofstream(root + "/ostrel/tumego.txt") << "old";
    EXPECT_EQ(solveCurrentProblem(1).result, kSolveDead);
    EXPECT_EQ(Read(root + "/ostrel/tumego.txt"), "");
}

}  // namespace
