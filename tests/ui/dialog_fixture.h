// A real main window on the offscreen platform, with its message boxes and
// file dialogs answered by the test.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "display/board_display.h"
#include "problem/problem.h"
#include "search/solve.h"
#include "ui/message_boxes.h"
#include "ui/ostrel_dlg.h"

// White's straight three on the top side; black kills at (9, 1).
inline const std::vector<std::string> kStraightThree = {
    "0000012000210000000", "0000012222210000000", "0000011111110000000"};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/ostrelguiXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        tempDir = pattern;
        messageBoxAnswer = [this](QMessageBox& box) {
            ASSERT_EQ(box.standardButtons(), QMessageBox::Ok);
            boxes.push_back(box.text().toStdString());
            captions.push_back(box.windowTitle().toStdString());
            if (onBox) {
                onBox();
            }
        };
        questionBoxAnswer = [this](QMessageBox& box) {
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            questions.push_back(box.text().toStdString());
            return answerYes;
        };
        fileDialogAnswer = [this](bool forSave) {
            fileDialogs.push_back(forSave);
            return nextPath;
        };
    }
    void TearDown() override {
        if (dialog && dialog->state == Solving) {
            // No worker may outlive the window it draws on.
            WaitFor([] { return solveResult.load() != kSolveRunning; });
        }
        mainDialog = nullptr;
        dialog.reset();
        messageBoxAnswer = nullptr;
        questionBoxAnswer = nullptr;
        fileDialogAnswer = nullptr;
        std::system(("rm -rf '" + tempDir + "'").c_str());
    }

    void Open(const std::string& commandLine = "") {
        dialog = std::make_unique<COstrelDlg>();
        dialog->commandLine = commandLine;
        mainDialog = dialog.get();
        dialog->OnInitDialog();
        dialog->show();
    }
    // Loads kStraightThree, black to move with target (9, 2); returns its path.
    std::string LoadThree() {
        const std::string path = WriteFile("three.ban", BanText("* /t=1 /mark=[9,2]", kStraightThree));
        dialog->LoadProblem(path);
        boxes.clear();
        return path;
    }
    void Press(int32_t id) { QTest::mouseClick(dialog->Control(id), Qt::LeftButton); }
    // FILE読込 and FILE書込 with the file dialog answering the path; "" cancels.
    void Load(const std::string& path) {
        nextPath = QString::fromStdString(path);
        Press(kIdLoad);
    }
    void Save(const std::string& path) {
        nextPath = QString::fromStdString(path);
        Press(kIdSave);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(dialog.get(), key, modifiers);
    }
    void SetField(int32_t id, const char* text) {
        auto* field = static_cast<QLineEdit*>(dialog->Control(id));
        field->clear();
        QTest::keyClicks(field, QString::fromUtf8(text));
    }
    // A press in the middle of cell (column, row), handled at once.
    void Click(int32_t column, int32_t row) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(cellLeft(column) + 12, cellTop(row) + 12));
    }
    // A press, and the timer tick that consumes it.
    void ClickAndTick(int32_t column, int32_t row) {
        PressAndTick(QPoint(cellLeft(column) + 12, cellTop(row) + 12));
    }
    void PressAndTick(QPoint at) {
        const int32_t seen = dialog->setupTicks + dialog->solveTicks;
        QTest::mouseClick(dialog.get(), Qt::LeftButton, Qt::NoModifier, at);
        ASSERT_TRUE(WaitFor([&] { return dialog->setupTicks + dialog->solveTicks > seen; }));
    }
    void WaitForMove() { ASSERT_TRUE(WaitFor([&] { return dialog->state == AwaitingMove; })); }
    static bool WaitFor(const std::function<bool()>& cond) {
        QElapsedTimer clock;
        clock.start();
        while (!cond()) {
            if (clock.elapsed() > 30000) {
                return false;
            }
            QTest::qWait(2);
        }
        return true;
    }
    // Solve, load, save, set-up, pass.
    std::vector<bool> Enabled() const {
        std::vector<bool> on;
        for (const int32_t id : {kIdSolve, kIdLoad, kIdSave, kIdSetup, kIdPass}) {
            on.push_back(dialog->Control(id)->isEnabled());
        }
        return on;
    }
    uint32_t Centre(int32_t column, int32_t row) const {
        return dialog->offscreenPicture.pixel(cellLeft(column) + 12, cellTop(row) + 12) & 0xFFFFFFu;
    }
    std::string FileLine() const { return dialog->fileLineText.toStdString(); }
    static std::string Example(const std::string& name) {
        return std::string(OSTREL_SOURCE_DIR) + "/examples/" + name;
    }
    static std::string Read(const std::string& path) {
        std::ostringstream all;
        all << std::ifstream(path, std::ios::binary).rdbuf();
        return all.str();
    }
    std::string WriteFile(const std::string& name, const std::string& content) {
        const std::string path = tempDir + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    // A problem file: header, then the given top rows, the rest empty.
    static std::string BanText(const std::string& header, const std::vector<std::string>& rows) {
        std::string text = header + "\n";
        for (size_t row = 0; row < kBoardSize; ++row) {
            text += (row < rows.size() ? rows[row] : std::string(kBoardSize, '0')) + "\n";
        }
        return text;
    }

    std::unique_ptr<COstrelDlg> dialog;
    std::vector<std::string> boxes;     // texts of the boxes answered
    std::vector<std::string> captions;
    std::function<void()> onBox;        // runs inside each box
    std::vector<std::string> questions; // Yes/No questions asked
    bool answerYes = true;
    std::vector<bool> fileDialogs;      // true for a save dialog
    QString nextPath;                   // what the file dialog answers; empty cancels
    std::string tempDir;
};

constexpr uint32_t kWhitePx = 0xFFFFFF, kBlackPx = 0, kWoodPx = 0xE0A040, kRedPx = 0xFF0000,
                   kGreenPx = 0x00FF00, kYellowPx = 0xFFFF00;

