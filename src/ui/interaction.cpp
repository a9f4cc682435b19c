// What the buttons, the board clicks and the two timer ticks do: the board
// set-up mode, the solve command and its outcome polling, the play mode and
// the pass.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include <QApplication>
#include <QByteArray>
#include <QCheckBox>
#include <QPushButton>

#include "display/board_display.h"
#include "position/region.h"
#include "problem/problem.h"
#include "search/solve.h"
#include "ui/language.h"
#include "ui/message_boxes.h"
#include "ui/ostrel_dlg.h"
#include "ui/solve_outcome_view.h"
#include "ui/status_lines.h"

namespace {

constexpr int32_t kChooseTarget = 100;  // setupColour while choosing the target stone
constexpr int32_t kPaletteColumn = 21;
constexpr int32_t kLastPaletteRow = 14;
constexpr int32_t kTimeLimitSeconds = 100000;

constexpr const char* kCpuCountError = QT_TRANSLATE_NOOP("Ostrel", "CPU数は1から16の範囲で入力して下さい");
constexpr const char* kTimeLimitError = QT_TRANSLATE_NOOP("Ostrel", "制限時間(秒)は1以上で入力して下さい");
constexpr const char* kNoLibertyError = QT_TRANSLATE_NOOP("Ostrel", "石に呼吸点がありません");

struct PaletteLabel {
    int32_t row;
    const char* text;
};
constexpr PaletteLabel kPalette[] = {
    {0, QT_TRANSLATE_NOOP("Ostrel", "黒石")}, {2, QT_TRANSLATE_NOOP("Ostrel", "白石")},  {4, QT_TRANSLATE_NOOP("Ostrel", "黒先")},    {6, QT_TRANSLATE_NOOP("Ostrel", "白先")},
    {8, QT_TRANSLATE_NOOP("Ostrel", "目標石")}, {10, QT_TRANSLATE_NOOP("Ostrel", "終了")}, {12, QT_TRANSLATE_NOOP("Ostrel", "クリア")}, {14, QT_TRANSLATE_NOOP("Ostrel", "ｷｬﾝｾﾙ")},
};

bool IsBoardCell(int32_t column, int32_t row) {
    return column >= 1 && column <= kBoardSize && row >= 1 && row <= kBoardSize;
}

bool IsSide(int32_t side) {
    return side == kBlack || side == kWhite;
}

// Leading blanks and a sign accepted, reading stops at the first non-digit,
// 0 without digits; large values saturate instead of overflowing.
int32_t ParseDecimal(const QString& text) {
    const std::string s = text.toStdString();
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' ||
                            s[i] == '\v' || s[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (s[i] - '0'), int64_t{INT32_MAX});
    }
    return static_cast<int32_t>(negative ? -value : value);
}

// Seconds of the time-limit field: empty for no limit (100000 s), 0 when refused.
int32_t TimeLimitFromField(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return kTimeLimitSeconds;
    }
    return std::max(ParseDecimal(text), int32_t{0});
}

bool WorkerCountAllowed(int32_t count) {
    return count >= 1 && count <= kMaxWorkers;
}

// Why a solve of the current problem with this many workers may not start,
// or null when it may.
const char* SolveRefusalText(int32_t workers) {
    switch (SolveRefusal(workers)) {
        case SolveRefusalCode::kNone:
            return nullptr;
        case SolveRefusalCode::kNoTarget:
            return QT_TRANSLATE_NOOP("Ostrel", "目標石選択エラー");
        case SolveRefusalCode::kNoSide:
            return QT_TRANSLATE_NOOP("Ostrel", "黒番／白番設定エラー");
        case SolveRefusalCode::kStringWithoutLiberty:
            return kNoLibertyError;
        case SolveRefusalCode::kWorkerCount:
            return kCpuCountError;
    }
    return nullptr;
}

void DrawPointTargetMark(int32_t p) {
    DrawTargetMark(pointX(p), pointY(p));
}

}  // namespace

// --- shared steps -------------------------------------------------------------

void COstrelDlg::DrawTargetIfStone() {
    if (targetStone() != 0) {
        DrawPointTargetMark(targetPoint);
    }
}

void COstrelDlg::DrawRegionMarks() {
    for (int32_t i = 0; i < kListSlots && regionPoints[i] != 0; ++i) {
        DrawRegionMark(pointX(regionPoints[i]), pointY(regionPoints[i]));
    }
}

// The region set-up needs a stone at the target and a position that play can
// reach; without them the region stays empty and the problem is left to the
// set-up mode.
void COstrelDlg::EstablishProblem() {
    if (targetStone() != 0 && stoneWithoutLiberty(problemBoard) == 0) {
        setUpSearchRegion(0, problemBoard, targetPoint, regionPoints);
    } else {
        regionPoints = PointList{};
    }
}

// The second status line: the side to move and the problem's file.
void COstrelDlg::ShowSideAndFile() {
    const QString side = sideToMove == kBlack   ? tr("黒番")
                         : sideToMove == kWhite ? tr("白番")
                                                : QString();
    const std::string text = side.toStdString();
    if (problemFile.empty()) {
        ShowFileLine("%s", text.c_str());
    } else {
        ShowFileLine("%s %s", text.c_str(), problemFile.c_str());
    }
}

void COstrelDlg::NoteProblemSaved() {
    copyColours(savedBoard_, problemBoard);
    savedSide_ = sideToMove;
    savedTarget_ = targetPoint;
}

bool COstrelDlg::UnsavedChanges() const {
    // The workers own the record while they run; it is what it was at the start.
    if (state == Solving) {
        return changedAtSolve_;
    }
    if (sideToMove != savedSide_ || targetPoint != savedTarget_) {
        return true;
    }
    for (int32_t p = 0; p < kBoardCells; ++p) {
        if (colourOf(problemBoard[p]) != savedBoard_[p]) {
            return true;
        }
    }
    return false;
}

// After a load: target mark (or its error), region, region marks.
void COstrelDlg::ShowLoadedProblem() {
    DrawBoard(problemBoard);
    if (targetStone() != 0) {
        DrawPointTargetMark(targetPoint);
    } else {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "目標石選択エラー"));
    }
    if (stoneWithoutLiberty(problemBoard) != 0) {
        ShowAppMessageBox(kNoLibertyError);
    }
    EstablishProblem();
    DrawRegionMarks();
}

// --- mouse ------------------------------------------------------------------

void COstrelDlg::OnLeftButtonDown(int32_t x, int32_t y) {
    clickCol = (x + 200) / kCellSize - 9;
    clickRow = (y + 160) / kCellSize - 9;
    if (regionEditable == 0 || !IsBoardCell(clickCol, clickRow)) {
        return;
    }
    const int32_t p = pointAt(clickCol, clickRow);
    if (problemBoard[p] != kEmpty) {
        return;
    }
    const int32_t change = toggleRegionPoint(p);
    if (!history.positions.empty()) {
        history.positions[static_cast<size_t>(history.current)].region = regionPoints;
    }
    if (change > 0) {
        DrawRegionMark(clickCol, clickRow);
    } else if (change < 0) {
        DrawBoard(problemBoard);
        DrawTargetIfStone();
        DrawRegionMarks();
    }
}

// --- board set-up mode ------------------------------------------------------

void COstrelDlg::OnSetup() {
    if (state != Idle) {
        KillTimer(kSolveTimer);
        state = Idle;
    }
    regionEditable = 0;
    inSetup = true;
    for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdSolve}) {
        EnableControl(id, false);
    }
    UpdatePlayButtons();
    sideToMove = 0;
    targetPoint = 0;
    setupColour = 0;
    clickCol = 0;
    clickRow = 0;
    EnableControl(kIdPass, false);
    for (const PaletteLabel& label : kPalette) {
        DrawPaletteLabel(kPaletteColumn, label.row, WindowText(label.text).toUtf8().constData());
    }
    DrawPaletteChoices();
    ShowSideAndFile();
    DrawBoard(problemBoard);
    SetTimer(kSetupTimer);
}

void COstrelDlg::StartSetupToPickTarget(int32_t side) {
    OnSetup();
    sideToMove = side;
    setupColour = kChooseTarget;
    DrawPaletteChoices();
    ShowSideAndFile();
}

// Frames the chosen tool and the chosen side in the palette.
void COstrelDlg::DrawPaletteChoices() {
    for (const PaletteLabel& label : kPalette) {
        const bool chosen = (label.row == 0 && setupColour == kBlack) ||
                            (label.row == 2 && setupColour == kWhite) ||
                            (label.row == 8 && setupColour == kChooseTarget) ||
                            (label.row == 4 && sideToMove == kBlack) ||
                            (label.row == 6 && sideToMove == kWhite);
        DrawPaletteFrame(kPaletteColumn, label.row, WindowText(label.text).toUtf8().constData(), chosen);
    }
}

void COstrelDlg::OnSetupTimer() {
    KillTimer(kSetupTimer);
    ++setupTicks;
    bool goOn = true;
    if ((clickCol == kPaletteColumn || clickCol == kPaletteColumn + 1) && clickRow >= 0 &&
        clickRow <= kLastPaletteRow) {
        if (clickRow % 2 == 0) {
            ++beeps;
            QApplication::beep();
            goOn = SetupPaletteEntry(clickRow);
            if (goOn) {
                DrawPaletteChoices();
                ShowSideAndFile();
            }
        }
    } else if (IsBoardCell(clickCol, clickRow)) {
        SetupBoardClick(pointAt(clickCol, clickRow));
    }
    if (goOn) {
        clickCol = 0;
        clickRow = 0;
        SetTimer(kSetupTimer);
    }
}

// Returns whether the set-up mode goes on.
bool COstrelDlg::SetupPaletteEntry(int32_t row) {
    switch (row) {
        case 0: setupColour = kBlack; break;
        case 2: setupColour = kWhite; break;
        case 4: sideToMove = kBlack; break;
        case 6: sideToMove = kWhite; break;
        case 8: setupColour = kChooseTarget; break;
        case 10: return !SetupFinish();
        case 12:
            sideToMove = 0;
            targetPoint = 0;
            setupColour = 0;
            clearBoard(problemBoard);
            DrawBoard(problemBoard);
            break;
        case 14:
            SetupCancel();
            return false;
        default: break;
    }
    return true;
}

void COstrelDlg::SetupBoardClick(int32_t p) {
    if (setupColour == kChooseTarget) {
        if (targetPoint != 0) {
            // Redrawing the stone takes the old mark away.
            if (problemBoard[targetPoint] == kBlack) {
                DrawBlackStone(pointX(targetPoint), pointY(targetPoint));
            } else {
                DrawWhiteStone(pointX(targetPoint), pointY(targetPoint));
            }
        }
        if (problemBoard[p] == kBlack || problemBoard[p] == kWhite) {
            targetPoint = p;
            DrawPointTargetMark(p);
        } else {
            targetPoint = 0;
        }
        return;
    }
    if (problemBoard[p] != kEmpty) {
        // Any stone (or Z point) goes, whatever colour is selected.
        problemBoard[p] = kEmpty;
        if (targetPoint == p) {
            targetPoint = 0;
        }
    } else {
        problemBoard[p] = static_cast<uint8_t>(setupColour);
    }
    DrawBoard(problemBoard);
    if (targetPoint != 0) {
        DrawPointTargetMark(targetPoint);
    }
}

// Returns whether the checks passed and the set-up mode ended.
bool COstrelDlg::SetupFinish() {
    if (targetStone() == 0) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "目標石選択エラー"));
        return false;
    }
    if (!IsSide(sideToMove)) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "黒番／白番設定エラー"));
        return false;
    }
    if (stoneWithoutLiberty(problemBoard) != 0) {
        ShowAppMessageBox(kNoLibertyError);
        return false;
    }
    ClearPicture();
    DrawBoard(problemBoard);
    DrawPointTargetMark(targetPoint);
    EstablishProblem();
    DrawRegionMarks();
    for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdSolve}) {
        EnableControl(id, true);
    }
    regionEditable = 1;
    inSetup = false;
    ShowSideAndFile();
    StartHistoryHere();
    return true;
}

void COstrelDlg::SetupCancel() {
    sideToMove = 0;
    targetPoint = 0;
    setupColour = 0;
    clearBoard(problemBoard);
    ClearPicture();
    DrawBoard(problemBoard);
    for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdSolve}) {
        EnableControl(id, true);
    }
    inSetup = false;
    ShowSideAndFile();
    StartHistoryHere();
}

// --- solve, outcome, play mode ----------------------------------------------

void COstrelDlg::StartSolve() {
    // A refused solve changes nothing at all.
    UpdateData(true);
    if (const char* reason = SolveRefusalText(ParseDecimal(cpuCountText))) {
        ShowAppMessageBox(reason);
        return;
    }
    const int32_t seconds = TimeLimitFromField(timeLimitText);
    if (seconds == 0) {
        ShowAppMessageBox(kTimeLimitError);
        return;
    }
    if (state != Idle) {
        KillTimer(kSolveTimer);
        state = Idle;
    }
    EnableControl(kIdSetup, false);
    EnableControl(kIdPass, false);
    clickCol = 0;
    clickRow = 0;
    state = SolveRequested;
    replyPending_ = false;
    PrepareKeys();
    keysPrepared_ = true;
    UpdateData(true);
    timeLimitSeconds = seconds;
    workerCount = ParseDecimal(cpuCountText);
    if (targetPoint != 0) {
        DrawPointTargetMark(targetPoint);
    }
    UpdatePlayButtons();
    SetTimer(kSolveTimer);
}

void COstrelDlg::OnSolveTimer() {
    KillTimer(kSolveTimer);
    ++solveTicks;
    switch (state) {
        case SolveRequested:
            // A pass can request a solve of a problem that the commands would
            // refuse; never hand such a problem to the workers.
            if (const char* reason = SolveRefusalText(workerCount)) {
                ShowAppMessageBox(reason);
                state = Idle;
                break;
            }
            ShowMessage("%s", WindowText(QT_TRANSLATE_NOOP("Ostrel", "=== 開始 ===")).toUtf8().constData());
            for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdPass, kIdSolve}) {
                EnableControl(id, false);
            }
            changedAtSolve_ = UnsavedChanges();
            state = Solving;
            regionEditable = 0;
            stopRequested_ = false;
            searchMode = static_cast<QCheckBox*>(Control(kIdStrongSearch))->isChecked()
                             ? SearchMode::kStrong
                             : SearchMode::kExact;
            // The next position of a play-out starts from what this solve resolved.
            strongKeepsTable = true;
            if (!LaunchSolveWorkers(workerCount)) {
                // Nothing was left running: the window goes on as before the solve.
                for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdPass, kIdSolve}) {
                    EnableControl(id, true);
                }
                state = Idle;
                regionEditable = 1;
                UpdatePlayButtons();
                ShowMessage("%s", "");
                ShowAppMessageBox(WindowText(QT_TRANSLATE_NOOP("Ostrel", "探索スレッドを%1個起動できませんでした"))
                                      .arg(workerCount));
            }
            break;
        case Solving:
            if (solveResult.load() == kSolveRunning) {
                // Worker 0 clears the cut-off when it starts: ask until it ends.
                if (stopRequested_) {
                    RequestSolveStop();
                }
                break;
            }
            stopRequested_ = false;
            for (const int32_t id : {kIdLoad, kIdSetup, kIdSave, kIdPass, kIdSolve}) {
                EnableControl(id, true);
            }
            state = AwaitingMove;
            UpdatePlayButtons();
            if (replyPending_) {
                replyPending_ = false;
                if (PlaySolverReply()) {
                    break;
                }
            }
            ShowAppMessageBox(sideToMove == kBlack
                                  ? WindowText(QT_TRANSLATE_NOOP("Ostrel", "黒石を打って下さい"))
                              : sideToMove == kWhite
                                  ? WindowText(QT_TRANSLATE_NOOP("Ostrel", "白石を打って下さい"))
                                  : WindowText(QT_TRANSLATE_NOOP("Ostrel", "石を打って下さい")));
            break;
        case AwaitingMove:
            if (IsBoardCell(clickCol, clickRow)) {
                PlayUserMove(pointAt(clickCol, clickRow));
            }
            break;
        default:
            break;
    }
    clickCol = 0;
    clickRow = 0;
    UpdatePlayButtons();
    if (state != Idle) {
        SetTimer(kSolveTimer);
    }
}

void COstrelDlg::OnStop() {
    if (state != Solving) {
        return;
    }
    stopRequested_ = true;
    RequestSolveStop();
}

// The worker count and time limit of the fields, for a solve that the play
// mode asks for; false, after telling the user, when either is refused.
bool COstrelDlg::ReadSolveLimits(int32_t& workers, int32_t& seconds) {
    UpdateData(true);
    workers = ParseDecimal(cpuCountText);
    if (!WorkerCountAllowed(workers)) {
        ShowAppMessageBox(kCpuCountError);
        return false;
    }
    seconds = TimeLimitFromField(timeLimitText);
    if (seconds == 0) {
        ShowAppMessageBox(kTimeLimitError);
        return false;
    }
    return true;
}

// The next tick solves the position on the board with the keys of the last solve.
void COstrelDlg::RequestResolve(int32_t workers, int32_t seconds) {
    if (!keysPrepared_) {
        PrepareKeys();
        keysPrepared_ = true;
    }
    timeLimitSeconds = seconds;
    workerCount = workers;
    EnableControl(kIdPass, false);
    state = SolveRequested;
    replyPending_ = false;
}

void COstrelDlg::PlayUserMove(int32_t p) {
    if (tumetst1(problemBoard, sideToMove, p) == 0) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "打てません"));
        return;
    }
    // Checked before the move, so that a refused re-solve leaves the position
    // as it was and the user can try again.
    int32_t count = 0;
    int32_t seconds = 0;
    if (!ReadSolveLimits(count, seconds)) {
        return;
    }
    PlayAndResolve(p, count, seconds);
    replyPending_ = state == SolveRequested && AutoReplyOn();
}

// Plays a legal move for the side to move, records it, and asks for a solve
// of the new position unless the move took the target.
void COstrelDlg::PlayAndResolve(int32_t p, int32_t workers, int32_t seconds) {
    playMove(0, problemBoard, sideToMove, p);
    sideToMove = opponent(sideToMove);
    copyWithKoMarks(problemBoard, problemBoard);
    ShowSideAndFile();
    EnableControl(kIdPass, false);
    DrawBoard(problemBoard);
    if (targetStone() == 0) {
        RecordPosition(history, CurrentPosition());
        state = Idle;
        UpdatePlayButtons();
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "目標石が取られました"));
        return;
    }
    DrawPointTargetMark(targetPoint);
    EstablishProblem();
    RecordPosition(history, CurrentPosition());
    RequestResolve(workers, seconds);
}

bool COstrelDlg::AutoReplyOn() const {
    const auto* box = static_cast<const QCheckBox*>(Control(kIdAutoReply));
    return box != nullptr && box->isChecked();
}

// With 自動応手 on, the solver answers the user's move with the first move
// its outcome labelled, and the position after it is solved for the user.
// False when there is none to play (cut off, or no move shown): the user
// goes on as after any outcome.
bool COstrelDlg::PlaySolverReply() {
    const int32_t p = shownFirstMove.load();
    if (p == 0 || solveResult.load() == kSolveCutOff || tumetst1(problemBoard, sideToMove, p) == 0) {
        return false;
    }
    PlayAndResolve(p, workerCount, timeLimitSeconds);
    return true;
}

void COstrelDlg::OnPass() {
    // Only the play mode passes; and with no side there is nothing to flip.
    if (state != AwaitingMove || !IsSide(sideToMove)) {
        return;
    }
    sideToMove = opponent(sideToMove);
    ShowSideAndFile();
    EnableControl(kIdPass, false);
    RecordPosition(history, CurrentPosition());
    state = SolveRequested;
    replyPending_ = AutoReplyOn();
    UpdatePlayButtons();
}

// --- move history -------------------------------------------------------------

void COstrelDlg::StartHistoryHere() {
    StartHistory(history, CurrentPosition());
    UpdatePlayButtons();
}

void COstrelDlg::UpdatePlayButtons() {
    const bool settled = !inSetup && (state == Idle || state == AwaitingMove);
    EnableControl(kIdUndo, settled && CanUndo(history));
    EnableControl(kIdRedo, settled && CanRedo(history));
    EnableControl(kIdRestart, settled && CanUndo(history));
    EnableControl(kIdStop, state == Solving);
}

// Puts position `index` of the history back. The problem itself comes back
// as after its load, any later position in the play mode, waiting for a move
// (or idle when that move took the target).
void COstrelDlg::ShowPosition(int32_t index) {
    if (state != Idle) {
        KillTimer(kSolveTimer);
        state = Idle;
    }
    history.current = index;
    RestorePosition(history.positions[static_cast<size_t>(index)]);
    clickCol = 0;
    clickRow = 0;
    ShowSideAndFile();
    DrawBoard(problemBoard);
    DrawTargetIfStone();
    EnableControl(kIdPass, false);
    if (index == 0) {
        DrawRegionMarks();
        regionEditable = 1;
    } else {
        regionEditable = 0;
        if (targetStone() != 0) {
            EnableControl(kIdPass, true);
            state = AwaitingMove;
            SetTimer(kSolveTimer);
        }
    }
    UpdatePlayButtons();
}

void COstrelDlg::OnUndo() {
    if (CanUndo(history) && !inSetup && state != Solving) {
        ShowPosition(history.current - 1);
    }
}

void COstrelDlg::OnRestart() {
    if (CanUndo(history) && !inSetup && state != Solving) {
        ShowPosition(0);
    }
}

// Plays the next move or pass again, and solves as the move did.
void COstrelDlg::OnRedo() {
    if (!CanRedo(history) || inSetup || state == Solving) {
        return;
    }
    int32_t count = 0;
    int32_t seconds = 0;
    if (!ReadSolveLimits(count, seconds)) {
        return;
    }
    ShowPosition(history.current + 1);
    if (targetStone() == 0) {
        ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "目標石が取られました"));
        return;
    }
    RequestResolve(count, seconds);
    UpdatePlayButtons();
}
