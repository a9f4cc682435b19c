#include "ui/ostrel_dlg.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

#include "display/board_display.h"
#include "problem/problem.h"
#include "problem/sgf_problem.h"
#include "ui/about_dlg.h"
#include "ui/language.h"
#include "ui/message_boxes.h"
#include "ui/status_lines.h"

COstrelDlg* mainDialog = nullptr;

namespace {

constexpr int32_t kClientWidth = 450;   // dialog units
constexpr int32_t kClientHeight = 380;

// A black stone on wood stands for the application icon.
QIcon MakeIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(224, 160, 64));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(4, 4, 24, 24));
    painter.setBrush(Qt::red);
    painter.setPen(Qt::red);
    painter.drawEllipse(QRectF(13, 13, 6, 6));
    return QIcon(pixmap);
}

QFont DialogFont() {
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(12);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace

COstrelDlg::COstrelDlg(QWidget* parent) : QDialog(parent) {
    setupTimer_.setObjectName(QString::number(kSetupTimer));
    solveTimer_.setObjectName(QString::number(kSolveTimer));
    for (QTimer* timer : {&setupTimer_, &solveTimer_}) {
        timer->setSingleShot(true);
        timer->setInterval(kTimerPeriodMs);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&setupTimer_, &QTimer::timeout, this, &COstrelDlg::OnSetupTimer);
    connect(&solveTimer_, &QTimer::timeout, this, &COstrelDlg::OnSolveTimer);
    icon = MakeIcon();
}

COstrelDlg::~COstrelDlg() {
    AttachPicture(nullptr, nullptr);
    if (mainDialog == this) {
        mainDialog = nullptr;
    }
}

void COstrelDlg::CreateControls() {
    InstallFontSubstitutions();
    setFont(DialogFont());
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("Ostrel", "Quenloの詰碁 proof number search")));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    static_assert(DialogX(kClientWidth) == kDefaultWidth && DialogY(kClientHeight) == kDefaultHeight);
    setMinimumSize(kDefaultWidth, kDefaultHeight);
    resize(kDefaultWidth, kDefaultHeight);

    auto place = [this](QWidget* widget, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h) {
        widget->setGeometry(DialogX(x), DialogY(y), DialogX(w), DialogY(h));
        placed_.push_back({widget, widget->geometry()});
        if (id != 0) {
            widget->setObjectName(QString::number(id));
            controls_[id] = widget;
        }
    };
    auto makeButton = [this, &place](int32_t id, const char* text, int32_t y) {
        auto* button = new QPushButton(WindowText(text), this);
        place(button, id, 396, y, 48, 18);
        return button;
    };

    auto* messageLine = new QLabel(this);
    messageLine->setAlignment(Qt::AlignCenter);
    place(messageLine, kIdMessageLine, 0, 6, 336, 8);
    auto* fileLine = new QLabel(this);
    fileLine->setAlignment(Qt::AlignCenter);
    place(fileLine, kIdFileLine, 0, 24, 336, 8);
    for (QLabel* line : {messageLine, fileLine}) {
        line->setTextFormat(Qt::PlainText);
    }

    QPushButton* load = makeButton(kIdLoad, QT_TRANSLATE_NOOP("Ostrel", "FILE読込"), 24);
    QPushButton* setup = makeButton(kIdSetup, QT_TRANSLATE_NOOP("Ostrel", "盤面設定"), 54);
    QPushButton* save = makeButton(kIdSave, QT_TRANSLATE_NOOP("Ostrel", "FILE書込"), 84);
    QPushButton* solve = makeButton(kIdSolve, QT_TRANSLATE_NOOP("Ostrel", "全部解く"), 114);
    QPushButton* pass = makeButton(kIdPass, QT_TRANSLATE_NOOP("Ostrel", "パス"), 174);
    auto* cpuLabel = new QLabel(WindowText(QT_TRANSLATE_NOOP("Ostrel", "CPU数(1-16)")), this);
    place(cpuLabel, 0, 396, 226, 48, 12);
    auto* cpuField = new QLineEdit(this);
    place(cpuField, kIdCpuCount, 396, 238, 30, 12);

    // Stop and play-out controls, in the free parts of the button column.
    QPushButton* stop = makeButton(kIdStop, QT_TRANSLATE_NOOP("Ostrel", "中止"), 144);
    auto* timeLabel = new QLabel(tr("制限時間(秒)"), this);
    place(timeLabel, 0, 396, 256, 48, 12);
    auto* timeField = new QLineEdit(this);
    place(timeField, kIdTimeLimit, 396, 268, 30, 12);
    auto* autoReply = new QCheckBox(tr("自動応手"), this);
    place(autoReply, kIdAutoReply, 396, 288, 48, 12);
    // Off at every start: each solve takes the box as it is then.
    auto* strongSearch = new QCheckBox(tr("強化探索"), this);
    place(strongSearch, kIdStrongSearch, 396, 200, 48, 12);
    strongSearch->setToolTip(
        tr("同じ規則で探索の順序だけを変えます。通常の探索と答えが違うときは、通常の探索の答えを取ってください。"));
    auto* undo = new QPushButton(tr("戻る"), this);
    place(undo, kIdUndo, 396, 306, 23, 18);
    auto* redo = new QPushButton(tr("進む"), this);
    place(redo, kIdRedo, 421, 306, 23, 18);
    QPushButton* restart = makeButton(kIdRestart, QT_TRANSLATE_NOOP("Ostrel", "最初から"), 330);

    setTabOrder(solve, load);
    setTabOrder(load, setup);
    setTabOrder(setup, save);
    setTabOrder(save, cpuField);
    setTabOrder(cpuField, pass);
    setTabOrder(pass, strongSearch);
    setTabOrder(strongSearch, stop);
    setTabOrder(stop, timeField);
    setTabOrder(timeField, autoReply);
    setTabOrder(autoReply, undo);
    setTabOrder(undo, redo);
    setTabOrder(redo, restart);
    connect(stop, &QPushButton::clicked, this, &COstrelDlg::OnStop);
    connect(undo, &QPushButton::clicked, this, &COstrelDlg::OnUndo);
    connect(redo, &QPushButton::clicked, this, &COstrelDlg::OnRedo);
    connect(restart, &QPushButton::clicked, this, &COstrelDlg::OnRestart);
    connect(timeField, &QLineEdit::textEdited, this, [this] { UpdateData(true); });
    const auto shortcut = [this](QKeySequence keys, int32_t id) {
        auto* key = new QShortcut(keys, this);
        connect(key, &QShortcut::activated, this, [this, id] {
            auto* button = static_cast<QAbstractButton*>(Control(id));
            if (button->isEnabled()) {
                button->click();
            }
        });
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), kIdUndo);
    shortcut(QKeySequence(Qt::Key_Left), kIdUndo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), kIdRedo);
    shortcut(QKeySequence(Qt::Key_Right), kIdRedo);
    shortcut(QKeySequence(Qt::Key_Home), kIdRestart);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_O), kIdLoad);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), kIdSave);
    shortcut(QKeySequence(Qt::Key_F5), kIdSolve);
    setAcceptDrops(true);

    connect(solve, &QPushButton::clicked, this, &COstrelDlg::StartSolve);
    connect(load, &QPushButton::clicked, this, &COstrelDlg::OnLoad);
    connect(setup, &QPushButton::clicked, this, &COstrelDlg::OnSetup);
    connect(save, &QPushButton::clicked, this, &COstrelDlg::OnSave);
    connect(pass, &QPushButton::clicked, this, &COstrelDlg::OnPass);
    // The count is only taken at the next solve.
    connect(cpuField, &QLineEdit::textEdited, this, [this] { UpdateData(true); });
    solve->setFocus();
}

void COstrelDlg::OnInitDialog() {
    CreateControls();
    UpdateData(false);
    // The About item lives in the window's context menu (contextMenuEvent).
    setWindowIcon(icon);

    const uint32_t processors = std::max(1u, std::thread::hardware_concurrency());
    cpuCountText = QString::number(std::min(processors, 2u));
    UpdateData(false);
    regionEditable = 0;

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(width(), height());
    // Never smaller than the window: the board and palette must fit.
    screenWidth = std::max(screenSize.width(), width());
    screenHeight = std::max(screenSize.height(), height());
    {
        std::lock_guard<std::recursive_mutex> hold(drawLock);
        offscreenPicture = MakePicture(screenWidth, screenHeight);
        AttachPicture(&offscreenPicture, this);
    }

    ShowMessage("%s", WindowText(QT_TRANSLATE_NOOP("Ostrel", "Quenloの詰碁( proof number search ) V7.22I")).toUtf8().constData());

    sideToMove = kBlack;
    targetPoint = 0;
    regionPoints = PointList{};
    clearBoard(problemBoard);
    DrawBoard(problemBoard);

    state = Idle;
    EnableControl(kIdPass, false);
    ShowSideAndFile();
    NoteProblemSaved();

    std::string path = commandLine;
    // One path, with or without surrounding double quotes.
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = path.substr(1, path.size() - 2);
    }
    if (HasSgfExtension(path)) {
        LoadSgfProblem(path);
    } else if (!commandLine.empty() && !RefuseNonProblem(path)) {
        regionEditable = 1;
        problemFile = commandLine;
        sideToMove = 0;
        targetPoint = 0;
        ReadProblemFile(path.c_str());
        ShowSideAndFile();
        NoteProblemSaved();
        ShowLoadedProblem();
        if (sideToMove != kBlack && sideToMove != kWhite) {
            ShowAppMessageBox(QT_TRANSLATE_NOOP("Ostrel", "手番設定エラー"));
        }
    }
    StartHistoryHere();
}

int COstrelDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void COstrelDlg::UpdateData(bool saveAndValidate) {
    auto* messageLine = static_cast<QLabel*>(Control(kIdMessageLine));
    auto* fileLine = static_cast<QLabel*>(Control(kIdFileLine));
    auto* cpuField = static_cast<QLineEdit*>(Control(kIdCpuCount));
    auto* timeField = static_cast<QLineEdit*>(Control(kIdTimeLimit));
    if (messageLine == nullptr) {
        return;  // controls not created yet
    }
    if (saveAndValidate) {
        messageLineText = messageLine->text();
        fileLineText = fileLine->text();
        cpuCountText = cpuField->text();
        timeLimitText = timeField->text();
    } else {
        messageLine->setText(messageLineText);
        fileLine->setText(fileLineText);
        // Rewriting a field would move its cursor.
        if (cpuField->text() != cpuCountText) {
            cpuField->setText(cpuCountText);
        }
        if (timeField->text() != timeLimitText) {
            timeField->setText(timeLimitText);
        }
    }
}

QWidget* COstrelDlg::Control(int32_t id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void COstrelDlg::EnableControl(int32_t id, bool on) {
    if (QWidget* control = Control(id)) {
        control->setEnabled(on);
    }
}

bool COstrelDlg::TimerRunning(int32_t id) const {
    return (id == kSetupTimer ? setupTimer_ : solveTimer_).isActive();
}

void COstrelDlg::SetTimer(int32_t id) {
    (id == kSetupTimer ? setupTimer_ : solveTimer_).start(kTimerPeriodMs);
}

void COstrelDlg::KillTimer(int32_t id) {
    (id == kSetupTimer ? setupTimer_ : solveTimer_).stop();
}

void COstrelDlg::paintEvent(QPaintEvent*) {
    std::lock_guard<std::recursive_mutex> hold(drawLock);
    QPainter painter(this);
    if (pictureScale_ == 1.0) {
        painter.drawImage(0, 0, offscreenPicture);
        return;
    }
    painter.fillRect(rect(), kWhiteColour);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(0, 0, kPictureShownWidth * pictureScale_,
                             kDefaultHeight * pictureScale_),
                      offscreenPicture, QRectF(0, 0, kPictureShownWidth, kDefaultHeight));
}

void COstrelDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOutForSize();
}

// The picture grows by the largest factor that fits both ways; the status
// lines go with it, and the button column moves to the right edge.
void COstrelDlg::LayOutForSize() {
    const int32_t column = kDefaultWidth - kPictureShownWidth;
    pictureScale_ = std::max(1.0, std::min(double(width() - column) / kPictureShownWidth,
                                           double(height()) / kDefaultHeight));
    const int32_t shift = width() - kDefaultWidth;
    for (const Placed& placed : placed_) {
        QRect at = placed.geometry;
        if (placed.widget == Control(kIdMessageLine) || placed.widget == Control(kIdFileLine)) {
            at = QRect(0, int32_t(at.y() * pictureScale_), int32_t(at.width() * pictureScale_),
                       at.height());
        } else {
            at.translate(shift, 0);
        }
        placed.widget->setGeometry(at);
    }
    update();
}

void COstrelDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // Back to the picture's own pixels.
        const QPointF at = event->position() / pictureScale_;
        OnLeftButtonDown(int32_t(std::floor(at.x())), int32_t(std::floor(at.y())));
    }
    QDialog::mousePressEvent(event);
}

void COstrelDlg::keyPressEvent(QKeyEvent* event) {
    // The dialog's own Escape would close the window; Enter only presses the
    // default button when there is one, and never closes it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        if (state == Solving) {
            OnStop();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void COstrelDlg::reject() {
    if (UnsavedChanges() &&
        !AskAppQuestion(tr("保存されていない変更があります。終了しますか？"))) {
        return;
    }
    QDialog::reject();
}

namespace {

// The one local file of a drag, or an empty text.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().front().isLocalFile()) {
        return QString();
    }
    return data->urls().front().toLocalFile();
}

}  // namespace

// A file dropped on the window is loaded as FILE読込 loads the chosen one,
// and only when FILE読込 could be pressed.
void COstrelDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty() && Control(kIdLoad)->isEnabled()) {
        event->acceptProposedAction();
    }
}

void COstrelDlg::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty() || !Control(kIdLoad)->isEnabled()) {
        return;
    }
    event->acceptProposedAction();
    LoadProblem(QFile::encodeName(path).toStdString());
}

void COstrelDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* about = menu.addAction(WindowText(QT_TRANSLATE_NOOP("Ostrel", "バージョン情報 Ostrel(&A)...")));
    if (menu.exec(event->globalPos()) == about) {
        OnSysCommand(kAboutCommand);
    }
}

void COstrelDlg::OnSysCommand(int32_t id) {
    if ((id & 0xFFF0) == kAboutCommand) {
        CAboutDlg about(this);
        about.exec();
    }
}
