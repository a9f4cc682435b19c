// libFuzzer target: any bytes as a .ban file through the reader, then, for a
// problem the program accepts, the region set-up, the judgment, and every
// legal move of the side to move on the region with the judgment after it.
// The same bytes go through the SGF reader too: a problem it reads must come
// back the same from the text the writer makes of it, and a complete one is
// set up and judged as above.
//   cmake -S . -B build-fuzz -DOSTREL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
//   build-fuzz/ostrel_ban_fuzzer -max_total_time=60 corpus/ examples/
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

#include "frontend.h"
#include "position/board.h"
#include "position/judgment.h"
#include "position/region.h"
#include "problem/problem.h"
#include "problem/sgf_problem.h"

namespace {

// One file per fuzzing process, in memory when /dev/shm is there.
const std::string& InputPath() {
    static const std::string path = [] {
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(folder) + "/ostrel_fuzz_" + std::to_string(getpid()) + ".ban";
    }();
    return path;
}

void RemoveInput() { std::remove(InputPath().c_str()); }

bool WriteInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

// The front end of the fuzzer: a fatal report is a crash that libFuzzer keeps
// the input of; nothing else is shown.
void ShowFatalBox(const char* message) {
    std::fputs(message, stderr);
    std::abort();
}
void ShowMessageBox(const char*, const char*) {}
void DrawBoard(const Board&) {}
void DrawMoveLabel(int32_t, int32_t, const char*) {}
void DrawTargetMark(int32_t, int32_t) {}
void ShowMessage(const char*, ...) {}

namespace {

void ExerciseProblem() {
    (void)targetStone();
    // What the program refuses before it sets anything up.
    if (!problemComplete() || stoneWithoutLiberty(problemBoard) != 0) {
        return;
    }
    setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    const PointList region = regionPoints;
    judgePosition(problemBoard, targetPoint, region);
    for (int32_t i = 0; i < kListSlots && region[i] != 0; ++i) {
        if (tumetst1(problemBoard, sideToMove, region[i]) == 0) {
            continue;
        }
        Board after;
        copyBoard(after, problemBoard);
        playMove(0, after, sideToMove, region[i]);
        judgePosition(after, targetPoint, region);
    }
}

void ExerciseSgf(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SgfProblem problem;
    std::string message;
    if (ParseSgfProblem(text, problem, message) != kSgfOk) {
        return;
    }
    const std::string written = SgfProblemText(problem.board, problem.side, problem.target, nullptr);
    SgfProblem back;
    if (ParseSgfProblem(written, back, message) != kSgfOk || back.side != problem.side ||
        back.target != problem.target) {
        ShowFatalBox("an SGF problem does not read back from its own text\n");
    }
    for (int32_t p = 0; p < kBoardCells; ++p) {
        if (back.board[p] != problem.board[p]) {
            ShowFatalBox("an SGF problem's board does not read back from its own text\n");
        }
    }
    if (SgfProblemGap(problem).empty()) {
        resetProblem();
        TakeSgfProblem(problem);
        ExerciseProblem();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = std::atexit(RemoveInput) == 0;
    (void)registered;
    if (WriteInput(data, size) && ReadProblemFile(InputPath().c_str()) == kReadOk) {
        ExerciseProblem();
    }
    ExerciseSgf(data, size);
    return 0;
}
