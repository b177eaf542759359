// SPDX-License-Identifier: GPL-3.0-or-later
// CBatchChannelDlg: batch channel generation (批量生成 button), title
// "信道编辑"; the form (BatchChannelForm) holds every rule. "应用" writes
// the range and renders the grid through the view's RenderGrid while the
// dialog stays open; "取消", Esc and the close box close it.
//
//   范围:     (•)全部 ( )A段 ( )B段 ( )从信道 [  1] 到信道 [256]
//   接收频率: 起始频率(MHz) [136.00000]  接收步进 (kHz) [0    ] (•)递增 ( )递减
//   发射频率: (•)默认
//             ( )偏移频率(MHz) [0.00000  ] (•)加 ( )减
//             ( )起始频率(MHz) [136.00000] 发射步进(KHz) [0    ] (•)递增 ( )递减
//   接收信令: 起始信令 [无      ▾] [ ]随机  间隔 [0 ] (•)递增 ( )递减
//   发射信令: (•)默认 ( )起始信令 [无      ▾] [ ]随机  间隔 [0 ] (•)递增 ( )递减
//   ───────────────────────────────────────────────────────────────
//   功率 [  ▾]          扫描 [  ▾]          带宽 [  ▾]
//   信令类型 [  ▾]      繁忙锁定 [  ▾]      PTT ID [  ▾]
//   声控 [  ▾]          中继模式 [  ▾]      语音处理 [  ▾]
//   信道名字 [       ] [ ]按信道号                          [应用] [取消]
//
// Tab order: top to bottom, each row left to right.
#pragma once

#include <functional>

#include "core/forms/batch_channel_form.h"
#include "ui/widgets/form_dialog.h"

class QPushButton;

namespace kestra {

class CBatchChannelDlg : public CFormDialog {
    Q_OBJECT
public:
    // renderGrid: the main view's RenderGrid, run after each "应用".
    CBatchChannelDlg(AppState& state, std::function<void()> renderGrid, QWidget* parent = nullptr);

    QPushButton* applyButton() const { return apply_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QPushButton* apply_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace kestra
