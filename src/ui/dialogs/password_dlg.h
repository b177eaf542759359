// SPDX-License-Identifier: GPL-3.0-or-later
// CPasswordDlg: the factory password. "确定" accepts only the factory
// password (letter case ignored); anything else closes the dialog as if
// cancelled, without a message.
#pragma once

#include <QDialog>

class QLineEdit;

namespace kestra {

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPasswordDlg(QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return edit_; }
    static constexpr int kMaxLength = 8;

private:
    void OnOK();

    QLineEdit* edit_;
};

} // namespace kestra
