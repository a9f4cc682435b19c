#include "dialog_fixture.h"

#include <cstdlib>
#include <fstream>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "display/board_display.h"
#include "search/solve.h"
#include "ui/message_boxes.h"

void DialogTest::SetUp() {
    char pattern[] = "/tmp/ostrelguiXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    tempDir = pattern;
    messageBoxAnswer = [this](QMessageBox& box) {
        AnsweredBox answered{box.windowTitle().toStdString(), box.text().toStdString(),
                             box.buttons().size() == 1 &&
                                 box.standardButtons() == QMessageBox::Ok};
        boxes.push_back(answered);
        if (onBox) {
            onBox(answered);
        }
    };
    fileDialogAnswer = [this](bool forSave) {
        fileDialogs.push_back(forSave);
        return nextPath;
    };
}

void DialogTest::TearDown() {
    if (dialog && dialog->state == Solving) {
        // No worker may outlive the window it draws on.
        WaitFor([] { return solveResult.load() != kSolveRunning; }, 60000);
        QTest::qWait(20);
    }
    mainDialog = nullptr;
    dialog.reset();
    messageBoxAnswer = nullptr;
    fileDialogAnswer = nullptr;
    std::system(("rm -rf '" + tempDir + "'").c_str());
}

void DialogTest::Open(const std::string& commandLine) {
    dialog = std::make_unique<COstrelDlg>();
    dialog->commandLine = commandLine;
    mainDialog = dialog.get();
    dialog->OnInitDialog();
    dialog->show();
}

QPushButton* DialogTest::Button(int32_t id) const {
    return static_cast<QPushButton*>(dialog->Control(id));
}

void DialogTest::Press(int32_t id) {
    QTest::mouseClick(Button(id), Qt::LeftButton);
}

void DialogTest::ClickCell(int32_t column, int32_t row) {
    QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(cellLeft(column) + 12, cellTop(row) + 12));
}

void DialogTest::ClickCellAndTick(int32_t timerId, int32_t column, int32_t row) {
    ClickCell(column, row);
    if (timerId == kSetupTimer) {
        WaitSetupTick();
    } else {
        WaitSolveTick();
    }
}

void DialogTest::WaitSetupTick() {
    const int32_t seen = dialog->setupTicks;
    ASSERT_TRUE(WaitFor([&] { return dialog->setupTicks > seen; }));
}

void DialogTest::WaitSolveTick() {
    const int32_t seen = dialog->solveTicks;
    ASSERT_TRUE(WaitFor([&] { return dialog->solveTicks > seen; }));
}

bool DialogTest::WaitFor(const std::function<bool()>& cond, int32_t timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!cond()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QTest::qWait(2);
    }
    return true;
}

std::vector<bool> DialogTest::ButtonsEnabled() const {
    std::vector<bool> on;
    for (const int32_t id : {kIdSolve, kIdLoad, kIdSave, kIdSetup, kIdPass}) {
        on.push_back(dialog->Control(id)->isEnabled());
    }
    return on;
}

uint32_t DialogTest::Pixel(int32_t x, int32_t y) const {
    return dialog->offscreenPicture.pixel(x, y) & 0xFFFFFFu;
}

std::string DialogTest::WriteFile(const std::string& name, const std::string& content) {
    const std::string path = tempDir + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}
