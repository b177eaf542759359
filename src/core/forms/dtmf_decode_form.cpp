// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/dtmf_decode_form.h"

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/forms/dtmf_dialog.h"
#include "core/image/settings_layout.h"

namespace kestra::forms {

namespace {

constexpr int kResetLow = 3;
constexpr int kResetHigh = 60;
constexpr int kResetShownWhenOut = 10;
// The decode time in hundredths of a second.
constexpr int kDecodeLow = 10;
constexpr int kDecodeHigh = 250;
constexpr int kDecodeStep = 10;
// The stun code is read from its first 15 bytes; the 16th only ever holds
// the "#" after a 15-character code.
constexpr int kStunCodeChars = dtmf::kStunCodeLength - 1;
constexpr std::uint8_t kHashCode = 0x0F;

std::string DecodeTimeText(long long value) {
    return FormatDecimal(static_cast<double>(value) * 0.01, 1);
}

} // namespace

DtmfDecodeForm::DtmfDecodeForm(FormContext& context) : Form(context) {}

std::string DtmfDecodeForm::Title() const {
    return KESTRA_TEXT("kestra", "解码");
}

const std::vector<FieldSpec>& DtmfDecodeForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        const char* off = KESTRA_TEXT("kestra", "关");
        std::vector<FieldSpec> f(kFieldCount);
        f[kGroupCallCode] = FieldSpec(KESTRA_TEXT("kestra", "组呼码"), FieldKind::DropDownList,
                                      DtmfSuffixChoices());
        f[kGroupCallCode].fallback = Fallback{0, nullptr};
        f[kStunActivation] = FieldSpec(KESTRA_TEXT("kestra", "遥毙激活"), FieldKind::DropDownList,
                                       {KESTRA_TEXT("kestra", "开"), off});
        f[kStunType] =
            FieldSpec(KESTRA_TEXT("kestra", "遥毙类型"), FieldKind::DropDownList,
                      {off, KESTRA_TEXT("kestra", "禁止发射"), KESTRA_TEXT("kestra", "禁止收发"),
                       KESTRA_TEXT("kestra", "遥毙")});
        f[kStunType].location = ImageLocation{dtmf::kStunType, StoredAs::Index};
        f[kStunType].fallback = Fallback{0, nullptr};
        f[kStunCode] = DtmfEdit(KESTRA_TEXT("kestra", "遥毙码"), kStunCodeChars);
        f[kAutoResetTime] =
            FieldSpec(KESTRA_TEXT("kestra", "自动复位时间 (s)"), FieldKind::SpinEdit);
        f[kAutoResetTime].filter = filters::kDigits;
        f[kAutoResetTime].textLimit = 2;
        f[kDecodeResponse] =
            FieldSpec(KESTRA_TEXT("kestra", "解码响应"), FieldKind::DropDownList,
                      {KESTRA_TEXT("kestra", "无"), KESTRA_TEXT("kestra", "提醒"),
                       KESTRA_TEXT("kestra", "回复"), KESTRA_TEXT("kestra", "提醒+回复")});
        f[kDecodeResponse].location = ImageLocation{dtmf::kDecodeResponse, StoredAs::Index};
        // The edit shows 2.5: "." can be typed as well as the digits.
        f[kDecodeTime] = FieldSpec(KESTRA_TEXT("kestra", "解码时间 (s)"), FieldKind::SpinEdit);
        f[kDecodeTime].filter = filters::kDecimal;
        f[kDecodeTime].textLimit = 3;
        f[kAlarmCode] = DtmfEdit(KESTRA_TEXT("kestra", "报警码"), dtmf::kAlarmCodeLength);
        return f;
    }();
    return fields;
}

void DtmfDecodeForm::LoadFromImage() {
    LoadTableField(kDecodeResponse, 0);
    SetText(kDecodeTime, DecodeTimeText(image().Get(dtmf::kDecodeTime)));
    SetText(kAlarmCode, image().DtmfString(dtmf::kAlarmCode, dtmf::kAlarmCodeLength));
    Select(kStunActivation, image().Get(dtmf::kStunActivation) ? 0 : 1);
    savedGroupCode_ = DtmfCodeText(static_cast<std::uint8_t>(image().Get(dtmf::kGroupCallCode)));
    Select(kGroupCallCode,
           DtmfSuffixIndex(static_cast<std::uint8_t>(image().Get(dtmf::kGroupCallCode))));
    SelectDefaultIfNone(kGroupCallCode);
    LoadTableField(kStunType, 0);
    std::string stun = image().DtmfString(dtmf::kStunCode, kStunCodeChars);
    if (!stun.empty() && stun.back() == '#')
        stun.pop_back();
    SetText(kStunCode, stun);
    const int reset = image().Get(dtmf::kAutoResetTime);
    SetText(kAutoResetTime,
            std::to_string(reset < kResetLow || reset > kResetHigh ? kResetShownWhenOut : reset));
    NormaliseFields();
}

void DtmfDecodeForm::NormaliseFields() {
    TextCommitted(kAutoResetTime);
    TextCommitted(kDecodeTime);
}

void DtmfDecodeForm::StoreToImage() {
    NormaliseFields();
    StoreTableField(kDecodeResponse, 0);
    image().Set(dtmf::kDecodeTime, static_cast<int>(ScaledDecimal(Text(kDecodeTime), 100.0)));
    image().SetDtmfString(dtmf::kAlarmCode, dtmf::kAlarmCodeLength, Text(kAlarmCode));
    if (Selected(kGroupCallCode) >= 0)
        image().Set(dtmf::kGroupCallCode, DtmfCharToCode(Text(kGroupCallCode)[0]));
    image().Set(dtmf::kStunActivation, Selected(kStunActivation) == 1 ? 0 : 1);
    StoreTableField(kStunType, 0);
    const std::string& stun = Text(kStunCode);
    image().SetDtmfString(dtmf::kStunCode, kStunCodeChars, stun);
    if (!stun.empty())
        image().SetByte(dtmf::kStunCode + static_cast<int>(stun.size()), kHashCode);
    image().Set(dtmf::kAutoResetTime, LeadingInt(Text(kAutoResetTime)));
    RewriteAutoDialCodes();
}

void DtmfDecodeForm::RewriteAutoDialCodes() {
    const std::string groupCode =
        DtmfCodeText(static_cast<std::uint8_t>(image().Get(dtmf::kGroupCallCode)));
    const std::string ownId = image().DtmfString(dtmf::kOwnId, dtmf::kOwnIdLength);
    if (!savedGroupCode_.empty() && !ownId.empty() &&
        !EqualsIgnoreCase(groupCode, savedGroupCode_)) {
        for (int n = 1; n <= dtmf::kCodeCount; ++n) {
            std::string code = image().DtmfString(dtmf::CodeEntry(n), dtmf::kCodeLength);
            if (ReplaceSuffix(code, savedGroupCode_ + ownId, groupCode + ownId))
                image().SetDtmfString(dtmf::CodeEntry(n), dtmf::kCodeLength, code);
        }
    }
    // The codes now end with the group call code stored: a later store of
    // this page rewrites only what changes after it.
    savedGroupCode_ = groupCode;
}

void DtmfDecodeForm::TextCommitted(int id) {
    if (id == kAutoResetTime) {
        SetText(id, ClampedIntText(Text(id), kResetLow, kResetHigh));
    } else if (id == kDecodeTime) {
        long long v = ScaledDecimal(Text(id), 100.0);
        if (v < kDecodeLow || v > kDecodeHigh)
            v = kDecodeHigh;
        SetText(id, DecodeTimeText(v));
    }
}

void DtmfDecodeForm::SpinStep(int id, int delta) {
    if (id == kAutoResetTime) {
        SetText(id, std::to_string(
                        SpinWrap(LeadingInt(Text(id)) + delta, kResetLow, kResetHigh, delta)));
    } else if (id == kDecodeTime) {
        const long long v = ScaledDecimal(Text(id), 100.0) + delta * kDecodeStep;
        SetText(id, DecodeTimeText(SpinWrap(v, kDecodeLow, kDecodeHigh, delta)));
    }
}

} // namespace kestra::forms
