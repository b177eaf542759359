// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/fm_radio_dlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "ui/app/translation.h"
#include "ui/widgets/table_helpers.h"

namespace kestra {

using Form = forms::FmRadioForm;

CFmRadioDlg::CFmRadioDlg(AppState& state, QWidget* parent) : CFormDialog(state, nullptr, parent) {
    setObjectName(QStringLiteral("fmRadioDialog"));
    OpenForm<Form>();
    FormBinder& b = binder();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 16, 18, 18);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(b.Label(Form::kCurrentChannel), 0, 0);
    grid->addWidget(b.Widget(Form::kCurrentChannel), 0, 1);
    grid->setColumnMinimumWidth(2, 16);
    grid->addWidget(b.Label(Form::kCurrentFrequency), 0, 3);
    grid->addWidget(b.Widget(Form::kCurrentFrequency), 0, 4);
    FitWidthToChars(b.Widget(Form::kCurrentFrequency), 8);

    QTableWidget* channels = b.Table(Form::kChannels);
    b.Refresh();
    SetRowLabelTitle(channels, T(form().Spec(Form::kChannels).key));
    channels->horizontalHeader()->setStretchLastSection(true);
    channels->setColumnWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("000.0000")) + 24);
    channels->setMinimumHeight(channels->horizontalHeader()->height() +
                               channels->verticalHeader()->defaultSectionSize() * 12);
    for (int r = 0; r < channels->rowCount(); ++r)
        channels->item(r, 0)->setTextAlignment(Qt::AlignCenter);
    MarkCurrentCellRed(channels);
    grid->addWidget(channels, 1, 0, 1, 5);
    SetTabOrderByPosition(this);
}

QTableWidget* CFmRadioDlg::table() const {
    return binder().Table(Form::kChannels);
}

} // namespace kestra
