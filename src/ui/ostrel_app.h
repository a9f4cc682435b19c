// The application: builds the main window, runs it modally, and ends when it
// closes.
#pragma once

#include <QApplication>

class COstrelDlg;

// Runs the main window modally. Closed during a solve, it ends the program at
// once (status 0): the workers still reach the window until the process ends.
// Otherwise returns 0.
int RunMainWindow(COstrelDlg& dialog);

class COstrelApp : public QApplication {
    Q_OBJECT

public:
    COstrelApp(int& argc, char** argv);

    // Runs the whole program; the result is the exit status.
    int InitInstance();
};
