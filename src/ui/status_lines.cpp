// The two status lines above the board. They belong to the main window: the
// text is bound to a control there, so a worker's update runs on the window's
// thread while the worker waits.
#include "ui/status_lines.h"

#include <cstdarg>
#include <cstdio>

#include "display/board_display.h"
#include "ui/ostrel_dlg.h"
#include "ui/window_thread.h"

namespace {

constexpr int32_t kLineBytes = 255;

enum class StatusLine { Message, File };

void SetStatusLine(StatusLine line, const char* format, va_list args) {
    // Room for a few bytes beyond the cut, so the cut can see whether it
    // would split a character.
    char text[kLineBytes + 8];
    std::vsnprintf(text, sizeof text, format, args);
    CutAtCharacter(text, kLineBytes);
    const QString value = QString::fromUtf8(text);
    RunOnWindowThread([line, &value] {
        COstrelDlg* dialog = mainDialog;
        (line == StatusLine::Message ? dialog->messageLineText : dialog->fileLineText) = value;
        dialog->UpdateData(false);
    });
}

}  // namespace

void ShowMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    SetStatusLine(StatusLine::Message, format, args);
    va_end(args);
}

void ShowFileLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    SetStatusLine(StatusLine::File, format, args);
    va_end(args);
}
