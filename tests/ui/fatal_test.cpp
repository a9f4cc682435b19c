// A fatal report shows its box, owned by the window and on its thread, and
// ends the program with status 1, also when it comes from a worker thread.
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include "frontend.h"
#include "ui/message_boxes.h"
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
    EXPECT_EXIT(
        {
            COstrelDlg dialog;
            OpenWindow(dialog);
            ReportFatal("tumetoru error ishi=%d\n", 77);
        },
        testing::ExitedWithCode(1), "box\\[囲碁\\] owned: tumetoru error ishi=77");
}

}  // namespace
