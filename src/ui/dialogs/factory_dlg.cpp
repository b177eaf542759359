// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/factory_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "link/link_texts.h"
#include "ui/app/message_box.h"
#include "ui/app/translation.h"
#include "ui/dialogs/comm_dlg.h"

namespace kestra {

CFactoryDlg::CFactoryDlg(AppState& state, RegionKind region, QWidget* parent)
    : CFormDialog(state, nullptr, parent), state_(state), region_(region),
      read_(new QPushButton(T(kTitleRead), this)), write_(new QPushButton(T(kTitleWrite), this)) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    read_->setObjectName(QStringLiteral("readButton"));
    write_->setObjectName(QStringLiteral("writeButton"));
    read_->setAutoDefault(false);
    write_->setAutoDefault(false);
    connect(read_, &QPushButton::clicked, this, &CFactoryDlg::OnRead);
    connect(write_, &QPushButton::clicked, this, &CFactoryDlg::OnWrite);
}

void CFactoryDlg::AddNumberField(QGridLayout* layout, int id, int row, int column) {
    layout->addWidget(binder().Label(id), row, column);
    QWidget* spin = binder().Widget(id);
    FitWidthToChars(spin, 7); // up to five characters and the arrows
    layout->addWidget(spin, row, column + 1);
}

void CFactoryDlg::OrderFocus() {
    // The buttons are made before the fields; a stray Space on 读数据 would
    // read the radio over what was typed.
    QWidget* previous = nullptr;
    for (int id = 0; id < form().FieldCount(); ++id) {
        QWidget* w = binder().Widget(id);
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    setTabOrder(previous, read_);
    setTabOrder(read_, write_);
    binder().Widget(0)->setFocus();
}

void CFactoryDlg::RunExchange(bool read) {
    if (binder().finished())
        return;
    if (!read) {
        factoryForm().PrepareWrite();
        binder().Refresh();
    }
    CCommDlg comm(state_, region_, read, this);
    comm.exec();
    if (!comm.Succeeded())
        return;
    // The fields show what was read by the time the message says so.
    if (read) {
        factoryForm().ReloadAfterRead();
        binder().Refresh();
        Reloaded();
    }
    ShowMessage(this, T(comm.LastResult()->message), QMessageBox::Information);
}

} // namespace kestra
