// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/channel_edit_dlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace kestra {

using Form = forms::ChannelEditForm;

CChannelEditDlg::CChannelEditDlg(AppState& state, int channel, QWidget* parent)
    : CFormDialog(state, nullptr, parent) {
    setObjectName(QStringLiteral("channelEditDialog"));
    OpenForm<Form>(channel);
    FormBinder& b = binder();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 16, 18, 18);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    // Column 2 is the gap between the two label-field pairs.
    grid->setColumnMinimumWidth(2, 18);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    auto place = [&](int id, int row, int column) {
        QLabel* label = b.Label(id);
        grid->addWidget(label, row, column);
        grid->addWidget(b.Widget(id), row, column + 1);
    };
    place(Form::kChannel, 0, 0);
    FitWidthToChars(b.Widget(Form::kChannel), 7);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 1, 0, 1, 5);

    // The field table in pairs, row by row: widgets are made in this order,
    // which is the tab order.
    int row = 2;
    for (int id = Form::kRx; id < Form::kFieldCount; id += 2, ++row) {
        place(id, row, 0);
        if (id + 1 < Form::kFieldCount)
            place(id + 1, row, 3);
    }
    for (int id : {Form::kRx, Form::kTx})
        b.Widget(id)->setMinimumWidth(b.Widget(Form::kRxTone)->sizeHint().width());
    grid->setSizeConstraint(QLayout::SetFixedSize);
    b.Refresh();
    SetTabOrderByPosition(this);
}

} // namespace kestra
