// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/model_info_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/app/translation.h"
#include "ui/app/ui_texts.h"

namespace kestra {

using Form = forms::ModelInfoForm;

CModelInfoDlg::CModelInfoDlg(AppState& state, QWidget* parent)
    : CFormDialog(state, nullptr, parent) {
    setObjectName(QStringLiteral("modelInfoDialog"));
    OpenForm<Form>();
    FormBinder& b = binder();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 18, 20, 20);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    grid->addWidget(b.Label(Form::kModel), 0, 0);
    grid->addWidget(b.Widget(Form::kModel), 0, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    const char* bands[2] = {text::kModelBandA, text::kModelBandB};
    for (int band = 0; band < 2; ++band) {
        const int low = band == 0 ? Form::kALow : Form::kBLow;
        grid->addWidget(b.Label(low, T(bands[band])), band + 1, 0);
        for (int id : {low, low + 1}) {
            FitWidthToChars(b.Widget(id), 4);
            static_cast<QLineEdit*>(b.Widget(id))->setAlignment(Qt::AlignRight);
        }
        grid->addWidget(b.Widget(low), band + 1, 1);
        auto* dash = new QLabel(T(text::kModelLimitDash), this);
        dash->setAlignment(Qt::AlignCenter);
        grid->addWidget(dash, band + 1, 2);
        grid->addWidget(b.Widget(low + 1), band + 1, 3);
    }
    b.Widget(Form::kModel)->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    b.Refresh();
    SetTabOrderByPosition(this);
}

} // namespace kestra
