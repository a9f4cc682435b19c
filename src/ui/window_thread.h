// Running a piece of work on the main window's thread from any thread.
#pragma once

#include <functional>

// Runs f on the window's thread; called from another thread, it waits until f
// has run. Returns false, without running f, when there is no window.
bool RunOnWindowThread(const std::function<void()>& f);
