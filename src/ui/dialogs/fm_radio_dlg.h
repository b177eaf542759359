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

// Shows title over the row labels of a table (the grid's first column).
void SetRowLabelTitle(QTableWidget* table, const QString& title);
// Draws the table's current cell in red and every other cell in the text
// colour.
void MarkCurrentCellRed(QTableWidget* table);

} // namespace kestra
