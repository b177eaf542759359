// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF decode and remote stun page (tab 解码 of the DTMF dialog),
// CDtmfDecodePage:
//
//   组呼码           A, B, C, D, *, #        0x20A8 (DTMF code); others show A
//   遥毙激活         开, 关                   0x20D9 bit 7 (1 is 开)
//   遥毙类型         关, 禁止发射, 禁止收发, 遥毙 0x20DC; 4 and above show 关
//   遥毙码           15 DTMF characters      0x20C0.., then one 0F ("#")
//   自动复位时间 (s)  3..60, spin wraps       0x20D8; out of range shows 10
//   解码响应         无, 提醒, 回复, 提醒+回复  0x20D9 bits 0-1
//   解码时间 (s)     0.1..2.5, spin wraps    0x20DA in hundredths; out of
//                                            range becomes 2.5
//   报警码           8 DTMF characters       0x20D0
//
// The decode time is typed as a decimal ("." accepted) and converted exactly
// (ExactMul), so a stored 230 shows 2.3 and stores back 230.
//
// The auto-dial codes end with the group call code and the own ID. When a
// store changes the group call code (letter case ignored) and an own ID is
// set, every code that ends with the old group call code and the own ID gets
// the new group call code in its place; other codes are left as they are.
#pragma once

#include "core/forms/form.h"

namespace kestra::forms {

class DtmfDecodeForm : public Form {
public:
    enum Field {
        kGroupCallCode,
        kStunActivation,
        kStunType,
        kStunCode,
        kAutoResetTime,
        kDecodeResponse,
        kDecodeTime,
        kAlarmCode,
        kFieldCount
    };

    explicit DtmfDecodeForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void LoadFromImage() override;
    void NormaliseFields() override;
    void StoreToImage() override;

    void TextCommitted(int id) override;
    void SpinStep(int id, int delta) override;

private:
    void RewriteAutoDialCodes();

    // The group call code the image held at the last load or store ("" when
    // its byte is no DTMF character).
    std::string savedGroupCode_;
};

} // namespace kestra::forms
