// SPDX-License-Identifier: GPL-3.0-or-later
// CDtmfInitDlg, "DTMF 解码初始化" (编辑 -> DTMF 初始化, factory only): the
// eleven hexadecimal values of the DTMF decoder table, top to bottom, with
// "读数据" and "写数据" beside them. Only hexadecimal digits can be typed
// anywhere in the dialog: the only widgets that take characters are the
// eleven edits, and each has the dialog's filter.
#pragma once

#include "ui/dialogs/factory_dlg.h"

namespace kestra {

class CDtmfInitDlg : public CFactoryDlg {
    Q_OBJECT
public:
    explicit CDtmfInitDlg(AppState& state, QWidget* parent = nullptr);
};

} // namespace kestra
