#include "ui/message_boxes.h"

#include <cstdio>
#include <cstdlib>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "frontend.h"
#include "ui/language.h"
#include "ui/ostrel_dlg.h"
#include "ui/window_thread.h"

std::function<void(QMessageBox& box)> messageBoxAnswer;
std::function<QString(bool forSave)> fileDialogAnswer;
std::function<bool(QMessageBox& box)> questionBoxAnswer;

namespace {

// The folder of the file last chosen in a file dialog in this run.
QString dialogFolder;

void RunBox(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, mainDialog);
    if (messageBoxAnswer) {
        messageBoxAnswer(box);
        return;
    }
    box.exec();
}

}  // namespace

void ShowAppMessageBox(const char* text) {
    ShowAppMessageBox(WindowText(text ? text : ""));
}

void ShowAppMessageBox(const QString& text) {
    if (!RunOnWindowThread([&] { RunBox(text, QString::fromUtf8(kAppName), QMessageBox::Warning); })) {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
}

bool AskAppQuestion(const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kAppName), text,
                    QMessageBox::Yes | QMessageBox::No, mainDialog);
    box.setDefaultButton(QMessageBox::No);
    if (questionBoxAnswer) {
        return questionBoxAnswer(box);
    }
    return box.exec() == QMessageBox::Yes;
}

void ShowMessageBox(const char* text, const char* caption) {
    const QString message = QString::fromUtf8(text ? text : "");
    const QString title = QString::fromUtf8(caption ? caption : "");
    if (!RunOnWindowThread([&] { RunBox(message, title, QMessageBox::Information); })) {
        std::fprintf(stderr, "%s\n", text ? text : "");
    }
}

void ShowFatalBox(const char* message) {
    const char* text = message ? message : "";
    std::fputs(text, stderr);
    std::fflush(stderr);
    RunOnWindowThread([&] { RunBox(QString::fromUtf8(text), QStringLiteral("囲碁"), QMessageBox::Critical); });
    std::fflush(stdout);
    // Workers may still be searching: end at once, without running static
    // destructors under their feet.
    std::_Exit(1);
}

const char* const kProblemFileFilters = "Problems (*.ban *.sgf);;SGF (*.sgf);;.ban (*.ban);;All files (*)";

QString AskOpenPath(QWidget* owner) {
    if (fileDialogAnswer) {
        return NoteDialogFolder(fileDialogAnswer(false));
    }
    return NoteDialogFolder(QFileDialog::getOpenFileName(
        owner, QString(), DialogFolder(), QString::fromUtf8(kProblemFileFilters)));
}

QString AskSavePath(QWidget* owner) {
    if (fileDialogAnswer) {
        return NoteDialogFolder(fileDialogAnswer(true));
    }
    // Qt's save dialog asks before it replaces an existing file.
    return NoteDialogFolder(QFileDialog::getSaveFileName(
        owner, QString(), DialogFolder(), QString::fromUtf8(kProblemFileFilters)));
}

QString DialogFolder() {
    return dialogFolder;
}

QString NoteDialogFolder(const QString& chosen) {
    if (!chosen.isEmpty()) {
        dialogFolder = QFileInfo(chosen).absolutePath();
    }
    return chosen;
}
