// A solve's outcome in the window: the solved board drawn afresh (so no label
// of an earlier solve stays), the labelled first moves and the target mark
// over it, then the outcome box. Runs on solve worker 0's thread; the box runs
// on the window's thread while it waits.
#include "ui/solve_outcome_view.h"

#include <QCoreApplication>

#include "display/board_display.h"
#include "search/solve_outcome.h"
#include "ui/language.h"
#include "ui/message_boxes.h"

std::atomic<int32_t> shownFirstMove{0};

QString OutcomeBoxText(const SolveOutcome& outcome) {
    if (outcome.verdict == kSolveCutOff) {
        return WindowText(QT_TRANSLATE_NOOP("Ostrel", "読み打ち切り time=%1[sec]"))
            .arg(outcome.seconds);
    }
    const char* const word = outcome.verdict == kSolveDead    ? QT_TRANSLATE_NOOP("Ostrel", "死に")
                             : outcome.verdict == kSolveAlive ? QT_TRANSLATE_NOOP("Ostrel", "生き")
                                                              : QT_TRANSLATE_NOOP("Ostrel", "コウ");
    const QString line = WindowText(QT_TRANSLATE_NOOP("Ostrel", "%1  %2[sec]  メモリ %3MByte"))
                             .arg(WindowText(word), QString::number(outcome.seconds),
                                  QString::number(outcome.memoryBytes / 1048576));
    const QString detail =
        outcome.labelledCount == 0
            ? WindowText(QT_TRANSLATE_NOOP("Ostrel", "打つ手が有りません"))
            : WindowText(QT_TRANSLATE_NOOP("Ostrel", "Judged 回数 %1 回  読深さ %2"))
                  .arg(QString::number(outcome.judgments), QString::number(outcome.depth));
    return line + QChar('\n') + detail;
}

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
    const QByteArray text = OutcomeBoxText(outcome).toUtf8();
    const QByteArray caption = WindowText(QT_TRANSLATE_NOOP("Ostrel", "詰碁")).toUtf8();
    ShowMessageBox(text.constData(), caption.constData());
}
