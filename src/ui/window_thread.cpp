#include "ui/window_thread.h"

#include <condition_variable>
#include <mutex>

#include <QThread>

#include "ui/ostrel_dlg.h"

bool RunOnWindowThread(const std::function<void()>& f) {
    COstrelDlg* dialog = mainDialog;
    if (dialog == nullptr) {
        return false;
    }
    if (QThread::currentThread() == dialog->thread()) {
        f();
        return true;
    }
    // A queued call answered through our own mutex rather than Qt's blocking
    // connection, so that the hand-over is visible to the thread checker.
    std::mutex lock;
    std::condition_variable doneSignal;
    bool done = false;
    QMetaObject::invokeMethod(
        dialog,
        [&] {
            f();
            std::lock_guard<std::mutex> hold(lock);
            done = true;
            doneSignal.notify_one();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> hold(lock);
    doneSignal.wait(hold, [&] { return done; });
    return true;
}
