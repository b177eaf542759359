// SPDX-License-Identifier: GPL-3.0-or-later
// COptionalFeaturesDlg: the optional features (编辑 -> 可选功能 and the tree
// item of that name), title "可选功能"; the form (OptionalFeaturesForm) holds
// every rule. No OK or Cancel: the close box, Enter or Esc closes it, and
// closing stores.
//
// The 30 shown fields of the field table, three label-field pairs a row, in
// table order (which is the tab order); the three never-shown fields have no
// widgets.
#pragma once

#include "core/forms/optional_features_form.h"
#include "ui/widgets/form_dialog.h"

namespace kestra {

class COptionalFeaturesDlg : public CFormDialog {
    Q_OBJECT
public:
    explicit COptionalFeaturesDlg(AppState& state, QWidget* parent = nullptr);
};

} // namespace kestra
