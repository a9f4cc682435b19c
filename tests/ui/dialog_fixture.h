// A real main window on the offscreen platform, with its message boxes and
// file dialogs answered by the test.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QString>

#include "ui/ostrel_dlg.h"

class QPushButton;

struct AnsweredBox {
    std::string caption;
    std::string text;
    bool okOnly;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds and shows the window; commandLine as the user gave it.
    void Open(const std::string& commandLine = "");

    QPushButton* Button(int32_t id) const;
    void Press(int32_t id);
    // A left-button press in the middle of cell (column, row).
    void ClickCell(int32_t column, int32_t row);
    // Clicks a cell and waits until a tick of the given timer has consumed it.
    void ClickCellAndTick(int32_t timerId, int32_t column, int32_t row);
    void WaitSetupTick();
    void WaitSolveTick();
    // Pumps events until cond holds; false after the timeout.
    static bool WaitFor(const std::function<bool()>& cond, int32_t timeoutMs = 20000);
    // The five buttons in the order solve, load, save, setup, pass.
    std::vector<bool> ButtonsEnabled() const;

    uint32_t Pixel(int32_t x, int32_t y) const;
    std::string WriteFile(const std::string& name, const std::string& content);

    std::unique_ptr<COstrelDlg> dialog;
    std::vector<AnsweredBox> boxes;
    std::vector<bool> fileDialogs;  // true for a save dialog
    QString nextPath;               // what the file dialog answers
    std::function<void(const AnsweredBox&)> onBox;
    std::string tempDir;
};
