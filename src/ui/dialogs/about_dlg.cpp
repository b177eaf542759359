// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/about_dlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/document/version_notice.h"
#include "ui/app/ini_file.h"
#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

CAboutDlg::CAboutDlg(const CIniFile& ini, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(T(text::kAboutTitle));

    auto* icon = new QLabel(this);
    icon->setPixmap(qApp->windowIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    const QString section = QString::fromUtf8(text::kIniAbout);
    const char* keys[3] = {text::kIniVersion, text::kIniCopyright, text::kIniCompany};
    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    // A line of the settings file longer than the box gives up its end, and
    // is there whole as the tip.
    constexpr int kLongestLine = 480;
    for (int i = 0; i < 3; ++i) {
        const QString line = ini.GetString(section, QString::fromUtf8(keys[i]));
        lines_[i] = new QLabel(this);
        lines_[i]->setObjectName(QStringLiteral("aboutLine%1").arg(i + 1));
        lines_[i]->setTextFormat(Qt::PlainText);
        lines_[i]->setMinimumWidth(260);
        lines_[i]->setText(lines_[i]->fontMetrics().elidedText(line, Qt::ElideRight, kLongestLine));
        if (lines_[i]->text() != line)
            lines_[i]->setToolTip(line);
        text->addWidget(lines_[i]);
    }
    // The build's own version and licence, whatever the settings file says.
    auto* licence = new QLabel(QStringLiteral("Kestra %1 \u00B7 %2")
                                   .arg(QStringLiteral(KESTRA_VERSION), QLatin1String(kLicenceName)),
                               this);
    licence->setObjectName(QStringLiteral("aboutLicence"));
    licence->setTextFormat(Qt::PlainText);
    text->addSpacing(6);
    text->addWidget(licence);
    text->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(T(text::kOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(icon);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

} // namespace kestra
