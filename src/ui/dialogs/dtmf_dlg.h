// SPDX-License-Identifier: GPL-3.0-or-later
// CDtmfDlg: the DTMF dialog (编辑 -> DTMF and the tree item of that name),
// title "DTMF", with the tabs 编码, 解码 and 自动拨号. The host
// (forms::DtmfDialog) and its pages hold every rule, CFormDialog binds the
// pages and closes them; this is the layout of the tabs.
//
// Leaving a tab stores its page, selecting one loads it. Enter and Esc close
// nothing (the pages' key rule); the close box closes the dialog, and closing
// stores the pages in the host's order (encode, code list, decode).
//
//   编码                                解码                     自动拨号
//   速率 (digit/s)        [10   ▾]      组呼码        [* ▾]      序号 │ 编码
//   首位数码延迟时间 (ms)  [200 ▴▾]      遥毙激活      [关 ▾]       0  │ 100*100
//   ...                                 ...                       ..  │
//                                                                自身 ID [100] 分隔符 [* ▾]
//                                                                呼叫ID  [100] [ANI 呼叫]
#pragma once

#include "core/forms/dtmf_dialog.h"
#include "ui/widgets/form_dialog.h"

class QTabWidget;

namespace kestra {

class CDtmfDlg : public CFormDialog {
    Q_OBJECT
public:
    explicit CDtmfDlg(AppState& state, QWidget* parent = nullptr);

    forms::DtmfDialog& host() const { return host_; }
    QTabWidget* tabs() const { return tabs_; }

private:
    QWidget* EncodePage();
    QWidget* DecodePage();
    QWidget* CodeListPage();

    forms::DtmfDialog& host_;
    QTabWidget* tabs_ = nullptr;
};

} // namespace kestra
