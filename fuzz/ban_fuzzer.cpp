// libFuzzer target: any bytes as a .ban file through the reader, then, for a
// problem the program accepts, the region set-up, the judgment, and every
// legal move of the side to move on the region with the judgment after it.
//   cmake -S . -B build-fuzz -DOSTREL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
//   build-fuzz/ostrel_ban_fuzzer -max_total_time=60 corpus/ examples/
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "frontend.h"
#include "position/board.h"
#include "position/judgment.h"
#include "position/region.h"
#include "problem/problem.h"

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = std::atexit(RemoveInput) == 0;
    (void)registered;
    if (!WriteInput(data, size) || ReadProblemFile(InputPath().c_str()) != kReadOk) {
        return 0;
    }
    (void)targetStone();
    // What the program refuses before it sets anything up.
    if (!problemComplete() || stoneWithoutLiberty(problemBoard) != 0) {
        return 0;
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
    return 0;
}
