#include "ui/about_dlg.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "display/board_display.h"
#include "ui/language.h"
#include "ui/ostrel_dlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    InstallFontSubstitutions();
    QFont font(QStringLiteral("MS UI Gothic"));
    font.setPixelSize(12);
    setFont(font);
    setWindowTitle(WindowText(QT_TRANSLATE_NOOP("Ostrel", "バージョン情報 Ostrel")));
    setFixedSize(DialogX(235), DialogY(55));

    auto* iconLabel = new QLabel(this);
    const QIcon appIcon = mainDialog ? mainDialog->icon : windowIcon();
    iconLabel->setPixmap(appIcon.pixmap(32, 32));
    iconLabel->setGeometry(DialogX(11), DialogY(17), 32, 32);

    auto* version = new QLabel(QStringLiteral("Ostrel Version 7"), this);
    version->setGeometry(DialogX(40), DialogY(10), DialogX(119), DialogY(8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DialogX(178), DialogY(7), DialogX(50), DialogY(16));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
