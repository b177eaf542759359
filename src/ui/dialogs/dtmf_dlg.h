// SPDX-License-Identifier: GPL-3.0-or-later
// CDtmfDlg: the DTMF dialog (编辑 -> DTMF and the tree item of that name),
// title "DTMF", with the tabs 编码, 解码 and 自动拨号. The host
// (forms::DtmfDialog) and its pages hold every rule; this is the layout and
// one FormBinder per page.
//
// Leaving a tab stores its page, selecting one loads it. Enter and Esc close
// nothing; the close box closes the dialog, and closing stores the pages in
// the host's order (encode, code list, decode).
//
//   编码                                解码                     自动拨号
//   速率 (digit/s)        [10   ▾]      组呼码        [* ▾]      序号 │ 编码
//   首位数码延迟时间 (ms)  [200 ▴▾]      遥毙激活      [关 ▾]       0  │ 100*100
//   ...                                 ...                       ..  │
//                                                                自身 ID [100] 分隔符 [* ▾]
//                                                                呼叫ID  [100] [ANI 呼叫]
#pragma once

#include <QDialog>
#include <array>

#include "core/forms/dtmf_dialog.h"

class QTabWidget;

namespace kestra {

class FormBinder;

class CDtmfDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDtmfDlg(AppState& state, QWidget* parent = nullptr);
    ~CDtmfDlg() override;

    forms::DtmfDialog& host() { return host_; }
    QTabWidget* tabs() const { return tabs_; }
    FormBinder& binder(int page) const { return *binders_[static_cast<std::size_t>(page)]; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* EncodePage();
    QWidget* DecodePage();
    QWidget* CodeListPage();
    // The pages store in the host's close order; once.
    void Finish();

    forms::FormContext context_;
    forms::DtmfDialog host_;
    QTabWidget* tabs_ = nullptr;
    std::array<FormBinder*, forms::DtmfDialog::kPageCount> binders_{};
    bool finished_ = false;
};

} // namespace kestra
