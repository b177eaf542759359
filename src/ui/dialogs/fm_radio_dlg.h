// SPDX-License-Identifier: GPL-3.0-or-later
// CFmRadioDlg: the FM radio channels (编辑 -> 收音机), title "收音机配置";
// the form (FmRadioForm) holds every rule. No OK or Cancel: the close box
// closes it (Enter and Esc are swallowed), and closing stores.
//
//   当前信道 [ 1 ▾]     当前频率 [       ]
//   ┌────┬─────────┐
//   │信道│  频率   │   20 rows; a frequency cell is edited in place
//   │  1 │  87.500 │   (digits and ".", 7 characters); the current cell
//   │ .. │         │   is drawn in red
//   └────┴─────────┘
#pragma once

#include "core/forms/fm_radio_form.h"
#include "ui/widgets/form_dialog.h"

class QTableWidget;

namespace kestra {

class CFmRadioDlg : public CFormDialog {
    Q_OBJECT
public:
    explicit CFmRadioDlg(AppState& state, QWidget* parent = nullptr);

    QTableWidget* table() const;
};

} // namespace kestra
