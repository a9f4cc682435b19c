#include "position/child_position.h"

#include <cstring>

#include "frontend.h"

namespace {

// Copies the listed points and the closing 0; what lies beyond the closing 0
// is never read, so it is left as it was.
void copyListedPoints(PointList& destination, const PointList& source) {
    const int32_t n = listLength(source);
    const int32_t slots = n < kListSlots ? n + 1 : kListSlots;
    std::memcpy(destination.p.data(), source.p.data(), sizeof(int32_t) * static_cast<size_t>(slots));
}

}  // namespace

void buildChildPosition(int32_t w, Board& board, int32_t side, int32_t move,
                        const PointList& moverList, const PointList& otherList,
                        PointList& childMoverList, PointList& childOtherList,
                        const ChildSteps& steps) {
    if (steps.fatalIfIllegal && tumetst1(board, side, move) == 0) {
        ReportFatal("tume_iki_utu error pos=%d\n", move);
    }
    playMove(w, board, side, move);
    copyListedPoints(childMoverList, moverList);
    copyListedPoints(childOtherList, otherList);
    const bool captured = rulesScratch[w].capturedByMove != 0;
    if (steps.order == ListOrder::kCapturedPointsFirst && captured) {
        AddCapturedPoints(w, childMoverList, childOtherList);
    }
    if (steps.mover == Mover::kDefender) {
        AddEmptyNeighbours(board, childOtherList, move);
    } else {
        ExtendOutsideMark(board, move);
    }
    if (steps.order == ListOrder::kEmptyNeighboursFirst && captured) {
        AddCapturedPoints(w, childMoverList, childOtherList);
    }
    if (steps.dropPlayedPoint) {
        removePoint(childMoverList, move);
        removePoint(childOtherList, move);
    }
}

void AddEmptyNeighbours(const Board& board, PointList& list, int32_t p) {
    for (int32_t offset : orthogonalOffsets) {
        if (colourOf(board[p + offset]) == kEmpty) {
            addPoint(list, p + offset);
        }
    }
}

void AddCapturedPoints(int32_t w, PointList& listX, PointList& listY) {
    const RulesScratch& scratch = rulesScratch[w];
    for (int32_t i = 0; i < scratch.capturedByMove; ++i) {
        addPoint(listX, scratch.captureRecord[i]);
        addPoint(listY, scratch.captureRecord[i]);
    }
}

void ExtendOutsideMark(Board& board, int32_t m) {
    if ((board[m] & kOutsideMark) != 0) {
        return;
    }
    for (int32_t offset : orthogonalOffsets) {
        if ((board[m + offset] & kOutsideMark) != 0) {
            markStringFrom(board, m, board[m]);
            return;
        }
    }
}
