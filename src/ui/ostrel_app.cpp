#include "ui/ostrel_app.h"

#include <cstdio>
#include <cstdlib>

#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include "display/board_display.h"
#include "ui/language.h"
#include "ui/message_boxes.h"
#include "ui/ostrel_dlg.h"

namespace {

// OSTREL_SCREENSHOT=<file.png>: press "全部解く" once the window is up, answer
// every message box by printing it, and when the window waits for the user's
// move (or the solve was refused) save a picture of it to the file and close. Used by
// scripts/screenshot.sh.
void ArrangeScreenshot(COstrelDlg& dialog, const QString& file) {
    messageBoxAnswer = [](QMessageBox& box) {
        std::printf("[%s] %s\n", box.windowTitle().toUtf8().constData(),
                    box.text().toUtf8().constData());
        std::fflush(stdout);
    };
    auto* poll = new QTimer(&dialog);
    QObject::connect(poll, &QTimer::timeout, &dialog, [&dialog, poll, file] {
        // Idle: the solve was refused (its box has been printed).
        if (dialog.state == AwaitingMove || dialog.state == Idle) {
            poll->stop();
            dialog.grab().save(file);
            dialog.accept();
        }
    });
    QTimer::singleShot(500, &dialog, [&dialog, poll] {
        dialog.StartSolve();
        poll->start(100);
    });
}

}  // namespace

int RunMainWindow(COstrelDlg& dialog) {
    dialog.DoModal();
    if (dialog.state == Solving) {
        // Workers still reach the window through mainDialog: end before it goes.
        std::fflush(stdout);
        std::_Exit(0);
    }
    return 0;
}

COstrelApp::COstrelApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(kAppName));
    InstallFontSubstitutions();
}

int COstrelApp::InitInstance() {
    // One path; a path with blanks that the shell split is put back together.
    QStringList words = arguments();
    words.removeFirst();
    UseLanguage(ChooseLanguage(words));
    COstrelDlg dialog;
    dialog.commandLine = words.join(QChar(' ')).toStdString();
    mainDialog = &dialog;

    const QString screenshot = qEnvironmentVariable("OSTREL_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        ArrangeScreenshot(dialog, screenshot);
    }
    const int status = RunMainWindow(dialog);
    mainDialog = nullptr;
    return status;
}
