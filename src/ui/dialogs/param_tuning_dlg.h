// SPDX-License-Identifier: GPL-3.0-or-later
// CParamTuningDlg, "参数调节" (编辑 -> 参数调节, factory only): the
// calibration block as three grids on the left (squelch, transmit power,
// squelch detection), the 24 number fields and 10 switches on the right,
// "读数据" and "写数据" below them; grids and fields scroll where the screen
// is too small for them, the buttons stay in sight. Everything the dialog
// does is the form's (core/forms/param_tuning_form.h); the dialog lays it out:
//
//   - each grid is exactly as large as its rows (one or two calibration bands),
//     never scrolled; its current cell shows red text, all cells centred
//   - pressing the mouse on a cell opens its in-place editor, an edit with an
//     up-down control over the cell (the form's typing rules, spin and
//     clamping); leaving the editor commits it
//   - after a read the grids are laid out again for the band limits read
#pragma once

#include "ui/dialogs/factory_dlg.h"

class QScrollArea;
class QTableWidget;

namespace kestra {

class CParamTuningDlg : public CFactoryDlg {
    Q_OBJECT
public:
    explicit CParamTuningDlg(AppState& state, QWidget* parent = nullptr);

    QTableWidget* grid(int id) const;

    void done(int result) override;

protected:
    void Reloaded() override;
    void showEvent(QShowEvent* event) override;

private:
    // Row labels (range + translated suffix) and the grids' fixed sizes.
    void LayOutGrids();

    QScrollArea* area_ = nullptr; // the grids and the fields
    bool fittedShown_ = false;    // laid out again with the style's sizes
};

} // namespace kestra
