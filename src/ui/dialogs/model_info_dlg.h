// SPDX-License-Identifier: GPL-3.0-or-later
// CModelInfoDlg: model information and band limits (编辑 -> 机型), title
// "机型信息"; the form (ModelInfoForm) holds every rule. Enter and Esc are
// swallowed; the close box closes it, and closing stores the limits.
//
//   机型  [QVN-K52             ]   (read-only)
//   A段   [136]  ---  [174]
//   B段   [400]  ---  [480]
#pragma once

#include "core/forms/model_info_form.h"
#include "ui/widgets/form_dialog.h"

namespace kestra {

class CModelInfoDlg : public CFormDialog {
    Q_OBJECT
public:
    explicit CModelInfoDlg(AppState& state, QWidget* parent = nullptr);
};

} // namespace kestra
