// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/optional_features_dlg.h"

#include <QGridLayout>
#include <QLabel>

namespace kestra {

using Form = forms::OptionalFeaturesForm;

namespace {
constexpr int kPairsPerRow = 3;
}

COptionalFeaturesDlg::COptionalFeaturesDlg(AppState& state, QWidget* parent)
    : CFormDialog(state, nullptr, parent) {
    setObjectName(QStringLiteral("optionalFeaturesDialog"));
    OpenForm<Form>();
    FormBinder& b = binder();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 16, 18, 18);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    int shown = 0;
    for (int id = 0; id < Form::kFieldCount; ++id) {
        if (!form().State(id).visible)
            continue;
        const int row = shown / kPairsPerRow;
        const int column = (shown % kPairsPerRow) * 3;
        grid->addWidget(b.Label(id), row, column);
        grid->addWidget(b.Widget(id), row, column + 1);
        ++shown;
    }
    // Gaps between the pairs.
    for (int pair = 1; pair < kPairsPerRow; ++pair)
        grid->setColumnMinimumWidth(pair * 3 - 1, 16);
    FitWidthToChars(b.Widget(Form::kGreeting), 9);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    b.Refresh();
    SetTabOrderByPosition(this);
}

} // namespace kestra
