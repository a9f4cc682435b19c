// A fatal report shows its box on the window's thread and ends the program
// with status 1, also when it comes from a worker thread.
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QThread>

#include "frontend.h"
#include "ui/message_boxes.h"
#include "ui/ostrel_dlg.h"

namespace {

// Stands for the user closing the box; tells the parent test what it saw.
void AnswerAndDescribe(QMessageBox& box) {
    const bool owned = box.parentWidget() == mainDialog &&
                       QThread::currentThread() == QApplication::instance()->thread();
    std::fprintf(stderr, "box[%s]%s: %s", box.windowTitle().toUtf8().constData(),
                 owned ? " owned" : "", box.text().toUtf8().constData());
    std::fflush(stderr);
}

void OpenWindow(COstrelDlg& dialog) {
    mainDialog = &dialog;
    dialog.OnInitDialog();
    dialog.show();
    messageBoxAnswer = AnswerAndDescribe;
}

TEST(FatalDeathTest, ReportFromAWorkerEndsTheProgram) {
    EXPECT_EXIT(
        {
            COstrelDlg dialog;
            OpenWindow(dialog);
            std::thread([] { ReportFatal("macroinv error %d\n", 0); }).detach();
            // The window goes on serving events until the box is answered.
            for (;;) {
                QTest::qWait(10);
            }
        },
        testing::ExitedWithCode(1), "box\\[囲碁\\] owned: macroinv error 0");
}

TEST(FatalDeathTest, ReportOnTheWindowThreadEndsTheProgram) {
    EXPECT_EXIT(
        {
            COstrelDlg dialog;
            OpenWindow(dialog);
            ReportFatal("tumetoru error ishi=%d\n", 77);
        },
        testing::ExitedWithCode(1), "box\\[囲碁\\] owned: tumetoru error ishi=77");
}

}  // namespace
