// The application: builds the main window, runs it modally, and ends when it
// closes.
#pragma once

#include <QApplication>

class COstrelApp : public QApplication {
    Q_OBJECT

public:
    COstrelApp(int& argc, char** argv);

    // Runs the whole program; the result is the exit status.
    int InitInstance();
};
