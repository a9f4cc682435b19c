// The main window: a dialog with five buttons, a CPU count field and two status
// lines over the board picture. Two 100 ms timers drive it; a mouse press is
// only recorded and acted on at the next tick.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTimer>

#include "position/board.h"
#include "ui/play_history.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Values of COstrelDlg::state.
enum InteractionState : int32_t {
    Idle = 10,           // also during the board set-up mode
    SolveRequested = 0,  // the next solve tick starts the workers
    Solving = 3,         // workers run; the tick polls solveResult
    AwaitingMove = 4,    // outcome shown; the tick waits for a move on the board
};

// Control ids.
constexpr int32_t kIdSolve = 1042;
constexpr int32_t kIdLoad = 1043;
constexpr int32_t kIdSetup = 1044;
constexpr int32_t kIdSave = 1045;
constexpr int32_t kIdCpuCount = 1046;
constexpr int32_t kIdPass = 1047;
constexpr int32_t kIdFileLine = 1048;
constexpr int32_t kIdMessageLine = 1050;
constexpr int32_t kIdStop = 1051;
constexpr int32_t kIdTimeLimit = 1052;
constexpr int32_t kIdUndo = 1053;
constexpr int32_t kIdRedo = 1054;
constexpr int32_t kIdRestart = 1055;
constexpr int32_t kIdAutoReply = 1056;
constexpr int32_t kIdStrongSearch = 1057;

// Timer ids.
constexpr int32_t kSetupTimer = 1061;
constexpr int32_t kSolveTimer = 1063;
constexpr int32_t kTimerPeriodMs = 100;

// The About item of the window's menu.
constexpr int32_t kAboutCommand = 16;

// The window at its default size, and the part of the board picture shown
// (everything left of the button column), in pixels.
constexpr int32_t kDefaultWidth = 675;
constexpr int32_t kDefaultHeight = 570;
constexpr int32_t kPictureShownWidth = 594;

// Dialog units to pixels for the 6 x 12 pixel character cell of the dialog
// font, rounded to the nearest pixel.
constexpr int32_t DialogX(int32_t units) { return (units * 6 + 2) / 4; }
constexpr int32_t DialogY(int32_t units) { return (units * 12 + 4) / 8; }

class COstrelDlg : public QDialog {
    Q_OBJECT

public:
    explicit COstrelDlg(QWidget* parent = nullptr);
    ~COstrelDlg() override;

    // Runs once before the window is first shown: controls, picture, banner,
    // empty problem, and the problem named by `commandLine` if any.
    void OnInitDialog();
    // OnInitDialog, then the window modally; returns when it is closed.
    int DoModal();

    // Texts bound to controls. UpdateData(false) shows them, UpdateData(true)
    // reads them back.
    QString messageLineText;  // 1050
    QString cpuCountText;     // 1046
    QString fileLineText;     // 1048
    QString timeLimitText;    // 1052, seconds; empty for no limit
    void UpdateData(bool saveAndValidate);

    // The program's command line as the user gave it (one path).
    std::string commandLine;

    // The file the problem came from or went to, as the file line shows it.
    std::string problemFile;

    // Interaction.
    int32_t state = Idle;
    int32_t clickCol = 0;
    int32_t clickRow = 0;
    int32_t setupColour = 0;
    int32_t regionEditable = 0;
    bool inSetup = false;          // the board set-up mode is on
    PlayHistory history;           // moves and passes since the load or set-up

    QIcon icon;
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    QImage offscreenPicture;

    QWidget* Control(int32_t id) const;
    bool TimerRunning(int32_t id) const;
    // Ticks served so far by each timer, and system beeps sounded (for tests).
    int32_t setupTicks = 0;
    int32_t solveTicks = 0;
    int32_t beeps = 0;

    // Commands.
    void OnSetup();
    void StartSolve();
    void OnPass();
    void OnLoad();
    void OnSave();
    // Loads a .ban or, by its extension, an SGF file (a name without a dot
    // gets ".ban"); a file that is no problem is refused and nothing changes.
    void LoadProblem(std::string path);
    void LoadSgfProblem(const std::string& path);
    void LeavePlayForLoad();
    // The set-up mode with the board as it is, this side to move and the
    // 目標石 tool chosen.
    void StartSetupToPickTarget(int32_t side);
    void OnSysCommand(int32_t id);
    void OnStop();
    void OnUndo();
    void OnRedo();
    void OnRestart();
    // Whether the problem differs from the one last loaded or saved.
    bool UnsavedChanges() const;
    // Asks before the window goes when there are unsaved changes.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void SetTimer(int32_t id);
    void KillTimer(int32_t id);
    void EnableControl(int32_t id, bool on);
    void OnSetupTimer();
    void OnSolveTimer();
    void OnLeftButtonDown(int32_t x, int32_t y);
    bool SetupPaletteEntry(int32_t row);
    void SetupBoardClick(int32_t p);
    bool SetupFinish();
    void SetupCancel();
    void PlayUserMove(int32_t p);
    void PlayAndResolve(int32_t p, int32_t workers, int32_t seconds);
    bool PlaySolverReply();
    bool AutoReplyOn() const;
    void DrawTargetIfStone();
    void DrawRegionMarks();
    void EstablishProblem();
    void ShowLoadedProblem();
    bool RefuseNonProblem(const std::string& path);
    void ShowSideAndFile();
    void DrawPaletteChoices();
    void NoteProblemSaved();
    void StartHistoryHere();
    void ShowPosition(int32_t index);
    bool ReadSolveLimits(int32_t& workers, int32_t& seconds);
    void RequestResolve(int32_t workers, int32_t seconds);
    void UpdatePlayButtons();

    // The problem as last loaded or saved (colours only), for UnsavedChanges;
    // during a solve the answer taken when it started.
    Board savedBoard_{};
    int32_t savedSide_ = 0;
    int32_t savedTarget_ = 0;
    bool changedAtSolve_ = false;
    bool stopRequested_ = false;
    bool replyPending_ = false;  // the solve running answers the user's move or pass
    bool keysPrepared_ = false;

    // The board picture is shown scaled by pictureScale_, keeping its
    // proportions; the button column keeps its size at the window's right.
    void LayOutForSize();
    double pictureScale_ = 1.0;
    struct Placed {
        QWidget* widget;
        QRect geometry;  // at the default size
    };
    std::vector<Placed> placed_;

    std::map<int32_t, QWidget*> controls_;
    QTimer setupTimer_;
    QTimer solveTimer_;
};

// The one main window, set before it runs and valid until the program ends.
extern COstrelDlg* mainDialog;
