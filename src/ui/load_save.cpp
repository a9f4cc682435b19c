// The load and save commands ("FILE読込", "FILE書込").
#include <string>

#include <QFile>

#include "display/board_display.h"
#include "problem/problem.h"
#include "ui/message_boxes.h"
#include "ui/ostrel_dlg.h"

namespace {

// A path without any "." (directories included) names a .ban file.
std::string WithBanExtension(std::string path) {
    if (path.find('.') == std::string::npos) {
        path += ".ban";
    }
    return path;
}

}  // namespace

void COstrelDlg::OnLoad() {
    const QString chosen = AskOpenPath(this);
    if (chosen.isEmpty()) {
        return;
    }
    LoadProblem(QFile::encodeName(chosen).toStdString());
}

void COstrelDlg::LoadProblem(std::string path) {
    regionEditable = 1;
    if (state != Idle) {
        KillTimer(kSolveTimer);
        state = Idle;
    }
    sideToMove = 0;
    targetPoint = 0;
    path = WithBanExtension(std::move(path));
    ReadProblemFile(path.c_str());
    ShowFileLine("%s %s", sideText(sideToMove), path.c_str());
    ShowLoadedProblem();
    if (sideToMove != kBlack && sideToMove != kWhite) {
        ShowAppMessageBox("手番設定エラー");
    }
}

void COstrelDlg::OnSave() {
    if (sideToMove == 0) {
        ShowAppMessageBox("黒番／白番が入力されていません");
        return;
    }
    if (targetPoint == 0) {
        ShowAppMessageBox("目標石が入力されていません");
        return;
    }
    const QString chosen = AskSavePath(this);
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = WithBanExtension(QFile::encodeName(chosen).toStdString());
    ShowFileLine("%s", path.c_str());
    if (WriteProblemFile(path.c_str()) != 0) {
        ShowMessage("dummy.ban open error");
    }
}
