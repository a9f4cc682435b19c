#include "ui/language.h"

#include <cstddef>
#include <cstdio>

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

// The compiled English translation (translations/ostrel_en.ts).
extern const unsigned char kEnglishTranslation[];
extern const std::size_t kEnglishTranslationSize;

namespace {

QTranslator* installed = nullptr;

WindowLanguage FromCode(const QString& code) {
    return code.startsWith(QStringLiteral("en"), Qt::CaseInsensitive) ? WindowLanguage::English
                                                                       : WindowLanguage::Japanese;
}

}  // namespace

WindowLanguage ChooseLanguage(QStringList& words) {
    for (qsizetype i = 0; i < words.size(); ++i) {
        QString code;
        if (words[i] == QStringLiteral("--lang") && i + 1 < words.size()) {
            code = words[i + 1];
            words.remove(i, 2);
        } else if (words[i].startsWith(QStringLiteral("--lang="))) {
            code = words[i].mid(7);
            words.remove(i);
        } else {
            continue;
        }
        if (!code.startsWith(QStringLiteral("en"), Qt::CaseInsensitive) &&
            !code.startsWith(QStringLiteral("ja"), Qt::CaseInsensitive)) {
            std::fprintf(stderr, "--lang %s: not a language of the window (en, ja); Japanese is used\n",
                         code.toUtf8().constData());
        }
        return FromCode(code);
    }
    return QLocale::system().language() == QLocale::English ? WindowLanguage::English
                                                            : WindowLanguage::Japanese;
}

void UseLanguage(WindowLanguage language) {
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (language == WindowLanguage::English) {
        auto* translator = new QTranslator;
        if (translator->load(kEnglishTranslation, static_cast<int>(kEnglishTranslationSize))) {
            QCoreApplication::installTranslator(translator);
            installed = translator;
        } else {
            delete translator;
            std::fprintf(stderr, "the English translation could not be read; Japanese is used\n");
        }
    }
}

QString WindowText(const char* source) {
    return QCoreApplication::translate("Ostrel", source);
}
