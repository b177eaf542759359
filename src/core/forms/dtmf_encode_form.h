// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF encode page (tab 编码 of the DTMF dialog), CDtmfEncodePage:
//
//   速率 (digit/s)            6, 8, 10, 15       0x2080: 83, 63, 50, 34; other
//                                                values show 10
//   首位数码延迟时间 (ms)      100..1000, step 100 0x2081 in 50 ms; spin wraps
//   首位数码时间 (ms)          0, 100, 500, 1000  0x2082 in 50 ms
//   *和#音 (ms)               0, 100, 500, 1000  0x2083 in 50 ms
//   侧音                      关, 按键, ID, 按键+ID 0x2049 bits 3-4
//   PTT ID 发射开始 / 发射结束  16 DTMF characters 0x2088 / 0x2098
//   等待回复                   关, 开             0x20D9 bit 2
//   等待回复时间 (s)           3..60, spin wraps  0x20DB
//
// The two tone times select the entry whose text equals the stored value x 50
// ms, and "100" when none does: a stored 50 ms has no entry and is not shown
// (and stored back) as 500.
#pragma once

#include "core/forms/form.h"

namespace kestra::forms {

class DtmfEncodeForm : public Form {
public:
    enum Field {
        kRate,
        kFirstDigitDelay,
        kFirstDigitTime,
        kStarHashTime,
        kSideTone,
        kPttIdStart,
        kPttIdEnd,
        kWaitForReply,
        kReplyWaitTime,
        kFieldCount
    };

    explicit DtmfEncodeForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void LoadFromImage() override;
    void NormaliseFields() override;
    void StoreToImage() override;

    void TextCommitted(int id) override;
    void SpinStep(int id, int delta) override;
};

} // namespace kestra::forms
