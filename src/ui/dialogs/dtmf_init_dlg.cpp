// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/dtmf_init_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/forms/dtmf_init_form.h"

namespace kestra {

CDtmfInitDlg::CDtmfInitDlg(AppState& state, QWidget* parent)
    : CFactoryDlg(state, RegionKind::DecoderTable, parent) {
    setObjectName(QStringLiteral("dtmfInitDialog"));
    auto& form = OpenForm<forms::DtmfInitForm>();

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(6);
    for (int id = 0; id < form.FieldCount(); ++id)
        AddNumberField(fields, id, id, 0);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(readButton());
    buttons->addWidget(writeButton());
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(24);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    binder().Refresh();
    OrderFocus();
}

} // namespace kestra
