// A solve's outcome in the window: the solved board drawn afresh (so no label
// of an earlier solve stays), the labelled first moves and the target mark
// over it, then the outcome box. Runs on solve worker 0's thread; the box runs
// on the window's thread while it waits.
#include "display/board_display.h"
#include "search/solve_outcome.h"
#include "ui/message_boxes.h"
#include "ui/solve_outcome_view.h"

std::atomic<int32_t> shownFirstMove{0};

void ShowSolveOutcome(const SolveOutcome& outcome) {
    shownFirstMove.store(outcome.labelledCount > 0 ? outcome.labelled[0].point : 0);
    DrawBoard(outcome.board);
    for (int32_t i = 0; i < outcome.labelledCount; ++i) {
        const LabelledMove& move = outcome.labelled[i];
        DrawMoveLabel(pointX(move.point), pointY(move.point), move.label.c_str());
    }
    if (outcome.target != 0) {
        DrawTargetMark(pointX(outcome.target), pointY(outcome.target));
    }
    ShowMessageBox(outcome.boxText.c_str(), "詰碁");
}
