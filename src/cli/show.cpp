// --show: the problem as read and its search region, as text or JSON.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "problem/problem.h"

namespace {

const char* sideName(int32_t side) {
    if (side == kBlack) {
        return "black";
    }
    if (side == kWhite) {
        return "white";
    }
    return "not set";
}

char boardCharacter(int32_t p) {
    const uint8_t cell = problemBoard[p];
    if (colourOf(cell) == kBlack) {
        return 'X';
    }
    if (colourOf(cell) == kWhite) {
        return 'O';
    }
    if (listContains(regionPoints, p)) {
        return '+';
    }
    return (cell & kKoMark) ? 'Z' : '.';
}

}  // namespace

int RunShow(const CliOptions& options) {
    const int32_t stone = targetStone();
    if (options.json) {
        Json out = Json::object();
        AddProblemFields(out, options.file, sideToMove, targetPoint, regionPoints);
        out["targetStone"] = stone;
        std::fputs(JsonLine(out).c_str(), stdout);
        return kExitOk;
    }

    std::printf("file: %s\n", options.file.c_str());
    std::printf("side to move: %s\n", sideName(sideToMove));
    std::printf("target: (%d, %d)%s\n", pointX(targetPoint), pointY(targetPoint),
                stone ? "" : " (no stone there)");
    for (int32_t y = 1; y <= kBoardSize; ++y) {
        char row[kBoardSize + 1];
        for (int32_t x = 1; x <= kBoardSize; ++x) {
            row[x - 1] = boardCharacter(pointAt(x, y));
        }
        row[kBoardSize] = '\0';
        std::printf("%s\n", row);
    }
    if (stone == 0) {
        std::printf("region: empty (no target stone)\n");
        return kExitOk;
    }
    const int32_t regionSize = listLength(regionPoints);
    std::printf("region: %d points\n", regionSize);
    for (int32_t i = 0; i < regionSize; ++i) {
        std::printf("(%d, %d)\n", pointX(regionPoints[i]), pointY(regionPoints[i]));
    }
    return kExitOk;
}
