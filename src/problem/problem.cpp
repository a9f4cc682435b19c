#include "problem/problem.h"

namespace {

Board clearedBoard() {
    Board board;
    clearBoard(board);
    return board;
}

}  // namespace

Board problemBoard = clearedBoard();
int32_t sideToMove = kBlack;
int32_t targetPoint = 0;
PointList regionPoints{};

void resetProblem() {
    sideToMove = 0;
    targetPoint = 0;
    clearBoard(problemBoard);
}

void flipSide() {
    sideToMove = opponent(sideToMove);
}

int32_t toggleRegionPoint(int32_t p) {
    if (!isOnBoard(p) || problemBoard[p] != kEmpty) {
        return 0;
    }
    for (int32_t i = 0; i < kListSlots; ++i) {
        if (regionPoints[i] == 0) {
            regionPoints[i] = p;
            return 1;
        }
        if (regionPoints[i] == p) {
            for (int32_t j = i; j + 1 < kListSlots; ++j) {
                regionPoints[j] = regionPoints[j + 1];
            }
            regionPoints[kListSlots - 1] = 0;
            return -1;
        }
    }
    return 0;  // full, and the point is not listed
}

int32_t targetStone() { return targetColour(problemBoard, targetPoint); }

bool problemComplete() {
    return targetStone() != 0 && (sideToMove == kBlack || sideToMove == kWhite);
}

const char* sideText(int32_t side) {
    if (side == kBlack) {
        return "黒先手";
    }
    if (side == kWhite) {
        return "白先手";
    }
    return "";
}
