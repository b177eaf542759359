// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/password_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"
#include "core/document/app_state.h"

namespace kestra {

CPasswordDlg::CPasswordDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("passwordDialog"));
    setWindowTitle(T(text::kPasswordTitle));
    auto* label = new QLabel(T(text::kPasswordLabel), this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("passwordEdit"));
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setMaxLength(kMaxLength);
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 24);
    label->setBuddy(edit_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(T(text::kOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(T(text::kCancel), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(label);
    row->addWidget(edit_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

void CPasswordDlg::OnOK() {
    if (FactoryPasswordMatches(edit_->text().toStdString()))
        accept();
    else
        reject();
}

} // namespace kestra
