// A solve's outcome in the window: the labelled first moves and the target
// mark drawn over the solved board, then the outcome box. Runs on solve
// worker 0's thread; the box runs on the window's thread while it waits.
#include "display/board_display.h"
#include "search/solve_outcome.h"
#include "ui/message_boxes.h"

void ShowSolveOutcome(const SolveOutcome& outcome) {
    // Cut off, or with no first move to play, the picture stays as it is.
    if (outcome.labelledCount > 0) {
        DrawBoard(outcome.board);
        for (int32_t i = 0; i < outcome.labelledCount; ++i) {
            const LabelledMove& move = outcome.labelled[i];
            DrawMoveLabel(pointX(move.point), pointY(move.point), move.label.c_str());
        }
        DrawTargetMark(pointX(outcome.target), pointY(outcome.target));
    }
    ShowMessageBox(outcome.boxText.c_str(), "詰碁");
}
