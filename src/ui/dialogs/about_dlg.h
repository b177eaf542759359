// SPDX-License-Identifier: GPL-3.0-or-later
// CAboutDlg: the application icon and three lines from the settings file
// ("About/Version", "About/Copyright", "About/Company"), read each time the
// dialog opens, and under them the build's version and licence.
#pragma once

#include <QDialog>

class QLabel;

namespace kestra {

class CIniFile;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(const CIniFile& ini, QWidget* parent = nullptr);

    QLabel* line(int i) const { return lines_[i]; }

private:
    QLabel* lines_[3];
};

} // namespace kestra
