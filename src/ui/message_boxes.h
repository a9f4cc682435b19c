// Modal message boxes owned by the main window, and the file dialogs. Boxes
// asked for by a worker thread run on the window's thread while the worker
// waits. Tests and the screenshot run answer them through the hooks below.
#pragma once

#include <functional>

#include <QString>

class QMessageBox;
class QWidget;

// The caption of the window's own boxes.
inline constexpr const char* kAppName = "Ostrel";

// When set, a box is built as usual and handed to the hook instead of being
// shown; the hook stands for the user pressing OK. Set it before any box can
// appear and leave it alone while workers run.
extern std::function<void(QMessageBox& box)> messageBoxAnswer;

// When set, stands for the file dialogs: returns the chosen path, or an empty
// text for a cancelled dialog. `forSave` tells the save dialog from the open one.
extern std::function<QString(bool forSave)> fileDialogAnswer;

// When set, answers the window's Yes/No questions instead of the user: the
// box is built as usual and the hook returns whether Yes was pressed.
extern std::function<bool(QMessageBox& box)> questionBoxAnswer;

// A box captioned with the application's name (the window's own messages);
// a UTF-8 text is shown in the window's language when it has a translation.
void ShowAppMessageBox(const char* text);
void ShowAppMessageBox(const QString& text);
// A Yes/No question captioned with the application's name; true for Yes.
bool AskAppQuestion(const QString& text);
// An information box with its own caption (a solve's outcome).
void ShowMessageBox(const char* text, const char* caption);

// Open and save dialogs: the filters of kProblemFileFilters (both kinds of
// problem first), no default extension, no initial name; the save dialog asks
// before it replaces a file. Empty when cancelled.
extern const char* const kProblemFileFilters;
QString AskOpenPath(QWidget* owner);
QString AskSavePath(QWidget* owner);
// Where the file dialogs open: the folder of the file chosen last in this run
// (empty at first, for the working folder). A chosen path is noted and returned.
QString DialogFolder();
QString NoteDialogFolder(const QString& chosen);
