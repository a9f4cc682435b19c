// The load and save commands ("FILE読込", "FILE書込"), for .ban and SGF files
// by their extension.
#include <string>

#include <QFile>

#include "display/board_display.h"
#include "problem/problem.h"
#include "problem/problem_check.h"
#include "problem/sgf_problem.h"
#include "search/solve_state.h"
#include "ui/language.h"
#include "ui/message_boxes.h"
#include "ui/ostrel_dlg.h"
#include "ui/status_lines.h"

namespace {

// A path without any "." (directories included) names a .ban file.
std::string WithBanExtension(std::string path) {
    if (path.find('.') == std::string::npos) {
        path += ".ban";
    }
    return path;
}

// The last solve's answer when it is the answer to the problem as it stands.
bool AnswerOfThisProblem(SgfAnswer& answer) {
    const SolveOutcome& outcome = lastOutcome;
    if (outcome.side == 0 || outcome.side != sideToMove || outcome.target != targetPoint) {
        return false;
    }
    for (int32_t p = kFirstPoint; p <= kLastPoint; ++p) {
        if (isOnBoard(p) && colourOf(outcome.board[p]) != colourOf(problemBoard[p])) {
            return false;
        }
    }
    answer.verdict = outcome.verdict;
    answer.moves = outcome.verdict == kSolveCutOff ? PointList{} : outcome.moves;
    return true;
}

QString ShownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

void COstrelDlg::OnLoad() {
    const QString chosen = AskOpenPath(this);
    if (chosen.isEmpty()) {
        return;
    }
    LoadProblem(QFile::encodeName(chosen).toStdString());
}

// Tells the user why a file is no problem; the problem on the board stays.
bool COstrelDlg::RefuseNonProblem(const std::string& path) {
    QString why;
    switch (CheckProblemFile(path.c_str())) {
        case ProblemFileFault::None: return false;
        case ProblemFileFault::TooLarge:
            why = tr("%1 kB を超えています").arg(kMaxProblemFileBytes / 1024);
            break;
        case ProblemFileFault::NotText: why = tr("文字でないバイトがあります"); break;
        case ProblemFileFault::NoHeader: why = tr("「*」で始まる見出し行がありません"); break;
        case ProblemFileFault::Directory: why = tr("フォルダです"); break;
        case ProblemFileFault::Fifo: why = tr("FIFOです"); break;
        case ProblemFileFault::Device: why = tr("デバイスです"); break;
        case ProblemFileFault::NotRegular: why = tr("通常のファイルではありません"); break;
    }
    ShowAppMessageBox(tr("%1\nは問題ファイルではありません: %2")
                          .arg(QFile::decodeName(QByteArray::fromStdString(path)), why));
    return true;
}

// A problem read from a file replaces the play-out: the region may be edited
// again and パス waits for the next outcome.
void COstrelDlg::LeavePlayForLoad() {
    regionEditable = 1;
    if (state != Idle) {
        KillTimer(kSolveTimer);
        state = Idle;
    }
    EnableControl(kIdPass, false);
}

void COstrelDlg::LoadProblem(std::string path) {
    path = WithBanExtension(std::move(path));
    if (HasSgfExtension(path)) {
        LoadSgfProblem(path);
        return;
    }
    if (RefuseNonProblem(path)) {
        return;
    }
    LeavePlayForLoad();
    sideToMove = 0;
    targetPoint = 0;
    ReadProblemFile(path.c_str());
    problemFile = path;
    ShowSideAndFile();
    NoteProblemSaved();
    ShowLoadedProblem();
    StartHistoryHere();
    if (sideToMove != kBlack && sideToMove != kWhite) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "手番設定エラー"));
    }
}

// A malformed file is refused before anything changes. A problem without a
// target (or with marks on several strings) goes to the set-up mode with the
// 目標石 tool chosen, its stones and side kept, for the user to pick one.
void COstrelDlg::LoadSgfProblem(const std::string& path) {
    SgfProblem problem;
    std::string message;
    if (ReadSgfProblemFile(path.c_str(), problem, message) != kSgfOk) {
        ShowAppMessageBox(tr("%1\nは読めません: %2").arg(ShownPath(path), QString::fromStdString(message)));
        return;
    }
    LeavePlayForLoad();
    TakeSgfProblem(problem);
    problemFile = path;
    ShowSideAndFile();
    NoteProblemSaved();
    if (problem.target == 0) {
        EstablishProblem();  // no target: no region either
        StartSetupToPickTarget(problem.side);
        ShowAppMessageBox(problem.candidates[0] != 0
                              ? tr("目標石を選んでください: 印のある石が複数の連にあります %1")
                                    .arg(QString::fromStdString(SgfCandidateText(problem)))
                              : tr("目標石を選んでください: 印 (MA, TR, SQ, CR) のある石がありません"));
        return;
    }
    ShowLoadedProblem();
    StartHistoryHere();
    if (sideToMove != kBlack && sideToMove != kWhite) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "手番設定エラー"));
    }
}

void COstrelDlg::OnSave() {
    if (sideToMove == 0) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "黒番／白番が入力されていません"));
        return;
    }
    if (targetPoint == 0) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "目標石が入力されていません"));
        return;
    }
    const QString chosen = AskSavePath(this);
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = WithBanExtension(QFile::encodeName(chosen).toStdString());
    problemFile = path;
    ShowSideAndFile();
    SgfAnswer answer;
    const int32_t written =
        HasSgfExtension(path)
            ? WriteSgfProblemFile(path.c_str(), AnswerOfThisProblem(answer) ? &answer : nullptr)
            : WriteProblemFile(path.c_str());
    if (written == kWriteCannotOpen) {
        ShowMessage("dummy.ban open error");
    } else if (written != 0) {
        // The file on disk is as it was before the save.
        const char* const failed = QT_TRANSLATE_NOOP("Ostrel", "保存できませんでした");
        ShowMessage("%s", WindowText(failed).toUtf8().constData());
        ShowAppMessageBox(failed);
    } else {
        NoteProblemSaved();
    }
}
