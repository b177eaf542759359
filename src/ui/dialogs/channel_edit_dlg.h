// SPDX-License-Identifier: GPL-3.0-or-later
// CChannelEditDlg: the channel edit dialog (信道编辑 button), one channel
// record at a time; the form (ChannelEditForm) holds every rule. No OK or
// Cancel: the close box, or Esc in the RX field, closes it, and closing
// stores.
//
//   信道号   [A001 ▴▾]
//   ─────────────────────────────────────────
//   接收频率 [        ]     发射频率 [        ]
//   接收信令 [      ▾]      发射信令 [      ▾]
//   功率     [      ▾]      带宽     [      ▾]
//   繁忙锁定 [      ▾]      信令类型 [      ▾]
//   声控     [      ▾]      语音处理 [      ▾]
//   PTT ID   [      ▾]      信道名字 [        ]
//   扫描     [      ▾]      中继模式 [      ▾]
//
// Tab order: the field table's, row by row, top to bottom.
#pragma once

#include "core/forms/channel_edit_form.h"
#include "ui/widgets/form_dialog.h"

namespace kestra {

class CChannelEditDlg : public CFormDialog {
    Q_OBJECT
public:
    // Opens on channel 1..258 (a grid row).
    CChannelEditDlg(AppState& state, int channel, QWidget* parent = nullptr);

    forms::ChannelEditForm& channelForm() const {
        return static_cast<forms::ChannelEditForm&>(form());
    }
};

} // namespace kestra
