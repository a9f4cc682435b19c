#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "problem/problem.h"
#include "support/run_command.h"

namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string emptyRows(int32_t n, const std::string& end = "\r\n") {
    std::string rows;
    for (int32_t i = 0; i < n; ++i) {
        rows += std::string(19, '0') + end;
    }
    return rows;
}

int32_t readText(const std::string& name, const std::string& bytes) {
    const std::string path = processTempPath(name);
    writeFile(path, bytes);
    return ReadProblemFile(path.c_str());
}

// The exact bytes written: CRLF rows, a stone with the Z flag written as the
// stone, an outside mark as empty. (Reading every cell character back is
// ReadsHeadersAndRows; whole files read and written again, SgfProblem.ExamplesRoundTrip.)
TEST(ProblemFile, WritesTheExactFormat) {
    resetProblem();
    sideToMove = kBlack;
    targetPoint = pointAt(3, 2);
    problemBoard[pointAt(3, 2)] = kBlack;
    problemBoard[pointAt(4, 2)] = kWhite;
    problemBoard[pointAt(5, 2)] = kKoMark;
    problemBoard[pointAt(6, 2)] = kBlack | kKoMark;
    problemBoard[pointAt(7, 2)] = kOutsideMark;
    problemBoard[pointAt(8, 2)] = kWhite | kKoMark;
    const std::string path = processTempPath("format.ban");
    ASSERT_EQ(WriteProblemFile(path.c_str()), 0);
    EXPECT_EQ(readFile(path), "* /t=1 /mark=[3,2]\r\n" + emptyRows(1) + "0012Z102" +
                                  std::string(11, '0') + "\r\n" + emptyRows(17));
}

TEST(ProblemFile, ReadsHeadersAndRows) {
    // LF line ends, a header after two rows, characters that all read as empty.
    const std::string rows = "1.2Zz 0\n" + std::string("0000000000000000001222\n");
    ASSERT_EQ(readText("rows.ban", rows + "* /t=2 /mark=[1,1]\n" + emptyRows(17, "\n") +
                                          "1111111111111111111\n"),
              0);
    EXPECT_EQ(sideToMove, kWhite);
    EXPECT_EQ(targetPoint, pointAt(1, 1));
    // Characters after the 19th are ignored, and so is the line after row 19.
    const std::pair<int32_t, uint8_t> cells[] = {
        {pointAt(1, 1), kBlack}, {pointAt(2, 1), kEmpty}, {pointAt(3, 1), kWhite}, {pointAt(4, 1), kKoMark},
        {pointAt(5, 1), kEmpty}, {pointAt(19, 2), kBlack}, {pointAt(0, 3), kEdge}, {pointAt(1, 19), kEmpty}};
    for (const auto& [point, cell] : cells) {
        EXPECT_EQ(problemBoard[point], cell) << point;
    }

    // Later headers override earlier ones; a side digit other than 1 or 2 leaves the side.
    ASSERT_EQ(readText("headers.ban", "* /t=1 /mark=[4,5]\n* /t=7 /mark=[6,7]\n"), 0);
    EXPECT_EQ(sideToMove, kBlack);
    EXPECT_EQ(targetPoint, pointAt(6, 7));
}

TEST(ProblemFile, OddFilesAreReadSafely) {
    // A long line is read in pieces of 511 characters, each a line of its own.
    std::string longLine(511, '2');
    longLine += "*x" + std::string(600, '1') + "\n";
    ASSERT_EQ(readText("long.ban", longLine), 0);
    EXPECT_EQ(problemBoard[pointAt(19, 1)], kWhite);  // first piece: row 1
    // the second piece begins with '*': a header, not a row; the third is row 2
    EXPECT_EQ(problemBoard[pointAt(19, 2)], kBlack);
    EXPECT_EQ(problemBoard[pointAt(1, 3)], kEmpty);

    // Binary data, NUL bytes, no line ends, numbers far beyond 32 bits.
    std::string binary = "* /t=1 /mark=[99999999999999999999,-99999999999999999999]\n";
    binary += std::string("1\0" "2222", 6) + "\n";
    std::mt19937 random(5);
    for (int32_t i = 0; i < 20000; ++i) {
        binary += static_cast<char>(random() & 0xFF);
    }
    ASSERT_EQ(readText("binary.ban", binary), 0);
    EXPECT_EQ(problemBoard[pointAt(1, 1)], kBlack);
    EXPECT_EQ(problemBoard[pointAt(3, 1)], kEmpty);  // after the NUL the line has ended
    (void)targetStone();  // whatever the target became, reading it is safe
    for (int32_t p = 0; p < kBoardCells; ++p) {
        if (!isOnBoard(p)) {
            ASSERT_EQ(problemBoard[p], kEdge);
        }
    }
}

// A missing file and anything but a regular file are named for what they
// are, leave the record reset, and a FIFO without a writer does not keep the
// reader waiting.
TEST(ProblemFile, MissingFilesDirectoriesFifosAndDevicesAreRefused) {
    const std::string fifo = processTempPath("problem.fifo");
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::tuple<std::string, int32_t, std::string> cases[] = {
        {"/nonexistent/dir/none.ban", kReadCannotOpen, "No such file or directory"},
        {testing::TempDir(), kReadDirectory, "is a directory, not a problem file"},
        {fifo, kReadFifo, "is a FIFO, not a problem file"},
        {"/dev/null", kReadDevice, "is a device, not a problem file"},
    };
    for (const auto& [path, code, text] : cases) {
        sideToMove = kBlack;
        targetPoint = pointAt(15, 2);
        testing::internal::CaptureStderr();
        EXPECT_EQ(ReadProblemFile(path.c_str()), code) << path;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": " + text + "\n");
        EXPECT_EQ(sideToMove, 0);
        EXPECT_EQ(targetPoint, 0);
    }
    unlink(fifo.c_str());
}

// Files in the folder of `path` whose names begin with its name.
int32_t filesBeside(const std::string& path) {
    const std::filesystem::path target(path);
    int32_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path())) {
        count += entry.path().filename().string().rfind(target.filename().string(), 0) == 0;
    }
    return count;
}

// Files may grow to 100 bytes only, so the 420-byte problem cannot be written:
// ends with 0 when the save failed and left the old file and nothing else.
[[noreturn]] void saveWithSmallFiles(const std::string& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit;
    limit.rlim_cur = limit.rlim_max = 100;
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool kept = WriteProblemFile(path.c_str()) == kWriteFailed &&
                      readFile(path) == "old problem\n" && filesBeside(path) == 1;
    std::_Exit(kept ? 0 : 3);
}

// A save that cannot be written whole leaves the old file, and nothing else.
TEST(ProblemFileDeathTest, AFailedSaveLeavesTheOldFile) {
    const std::string path = processTempPath("kept.ban");
    writeFile(path, "old problem\n");
    chmod(path.c_str(), 0640);
    resetProblem();
    sideToMove = kBlack;
    targetPoint = pointAt(3, 3);
    EXPECT_EXIT(saveWithSmallFiles(path), testing::ExitedWithCode(0), "");
    ASSERT_EQ(WriteProblemFile(path.c_str()), 0);
    EXPECT_EQ(readFile(path).substr(0, 20), "* /t=1 /mark=[3,3]\r\n");
    EXPECT_EQ(filesBeside(path), 1);
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the mode of the file it replaced
    EXPECT_EQ(WriteProblemFile((testing::TempDir() + "no/such/folder.ban").c_str()),
              kWriteCannotOpen);
}

}  // namespace
