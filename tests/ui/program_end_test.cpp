// How the program ends: a fatal report, even from a worker thread, shows its
// box owned by the window and on the window's thread, and ends with status 1;
// closing the window during a solve ends the program at once.
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "frontend.h"
#include "ui/message_boxes.h"
#include "ui/ostrel_app.h"
#include "ui/ostrel_dlg.h"

namespace {

// Opens the window with boxes answered by describing them on stderr.
void OpenWindow(COstrelDlg& dialog) {
    mainDialog = &dialog;
    dialog.OnInitDialog();
    dialog.show();
    messageBoxAnswer = [](QMessageBox& box) {
        const bool owned = box.parentWidget() == mainDialog &&
                           QThread::currentThread() == QApplication::instance()->thread();
        std::fprintf(stderr, "box[%s]%s: %s", box.windowTitle().toUtf8().constData(),
                     owned ? " owned" : "", box.text().toUtf8().constData());
    };
}

TEST(FatalDeathTest, ReportsEndTheProgramWithStatusOne) {
    EXPECT_EXIT(
        {
            COstrelDlg dialog;
            OpenWindow(dialog);
            std::thread([] { ReportFatal("macroinv error %d\n", 0); }).detach();
            for (;;) {
                QTest::qWait(10);  // the window keeps serving events
            }
        },
        testing::ExitedWithCode(1), "box\\[囲碁\\] owned: macroinv error 0");
}

TEST(ProgramEndDeathTest, ClosingDuringASolveEndsAtOnce) {
    // An open corner that takes the solver many seconds.
    const char* const path = "/tmp/ostrel_close_test.ban";
    FILE* file = std::fopen(path, "w");
    std::fputs("* /t=1 /mark=[3,4]\n0000002\n0000002\n0000002\n0022222\n22\n", file);
    std::fclose(file);
    EXPECT_EXIT(
        {
            COstrelDlg dialog;
            dialog.commandLine = path;
            mainDialog = &dialog;
            messageBoxAnswer = [](QMessageBox&) {};
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&dialog] {
                if (dialog.state == Idle) {
                    dialog.StartSolve();
                } else if (dialog.state == Solving) {
                    dialog.reject();
                }
            });
            poll.start(50);
            RunMainWindow(dialog);  // returning here would fail the test
        },
        testing::ExitedWithCode(0), "");
    std::remove(path);
}

}  // namespace
