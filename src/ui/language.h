// The window's language. Japanese is its own; English comes from a compiled
// Qt translation built into the program.
#pragma once

#include <QString>
#include <QStringList>

enum class WindowLanguage { Japanese, English };

// "--lang xx" or "--lang=xx" among the words (taken out of them), else the
// language of the system locale. Unknown codes give Japanese.
WindowLanguage ChooseLanguage(QStringList& words);

// Installs the translation of the language (or removes it for Japanese).
// Texts already shown keep their language: call before the window is built.
void UseLanguage(WindowLanguage language);

// A text of the window in the language in use; sources are marked with
// QT_TRANSLATE_NOOP("Ostrel", ...) where they are written down.
QString WindowText(const char* source);
