// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/dtmf_encode_form.h"

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/forms/dtmf_dialog.h"
#include "core/image/settings_layout.h"

namespace kestra::forms {

namespace {

// Digit rates: the list entries and what the image holds for each.
constexpr int kRateCodes[] = {83, 63, 50, 34};
constexpr int kRate10 = 2;

constexpr int kMsPerUnit = 50;
constexpr int kDelayStep = 100;
constexpr int kDelayLow = 100;
constexpr int kDelayHigh = 1000;
constexpr int kDelayDefault = 200;
constexpr int kReplyLow = 3;
constexpr int kReplyHigh = 60;

FieldSpec ToneTime(const char* key) {
    FieldSpec f(key, FieldKind::DropDownList, {"0", "100", "500", "1000"});
    f.fallback = Fallback{-1, "100"};
    return f;
}

} // namespace

DtmfEncodeForm::DtmfEncodeForm(FormContext& context) : Form(context) {}

std::string DtmfEncodeForm::Title() const {
    return KESTRA_TEXT("kestra", "编码");
}

const std::vector<FieldSpec>& DtmfEncodeForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        std::vector<FieldSpec> f(kFieldCount);
        f[kRate] = FieldSpec(KESTRA_TEXT("kestra", "速率 (digit/s)"), FieldKind::DropDownList,
                             {"6", "8", "10", "15"});
        f[kFirstDigitDelay] =
            FieldSpec(KESTRA_TEXT("kestra", "首位数码延迟时间 (ms)"), FieldKind::SpinEdit);
        f[kFirstDigitDelay].filter = filters::kDigits;
        f[kFirstDigitDelay].textLimit = 4;
        f[kFirstDigitTime] = ToneTime(KESTRA_TEXT("kestra", "首位数码时间 (ms)"));
        f[kStarHashTime] = ToneTime(KESTRA_TEXT("kestra", "*和#音 (ms)"));
        f[kSideTone] = FieldSpec(KESTRA_TEXT("kestra", "侧音"), FieldKind::DropDownList,
                                 {KESTRA_TEXT("kestra", "关"), KESTRA_TEXT("kestra", "按键"), "ID",
                                  KESTRA_TEXT("kestra", "按键+ID")});
        f[kSideTone].location = ImageLocation{settings::kDtmfSideTone, StoredAs::Index};
        f[kSideTone].fallback = Fallback{3, nullptr};
        f[kPttIdStart] = DtmfEdit(KESTRA_TEXT("kestra", "PTT ID 发射开始"), dtmf::kPttIdLength);
        f[kPttIdEnd] = DtmfEdit(KESTRA_TEXT("kestra", "PTT ID 发射结束"), dtmf::kPttIdLength);
        f[kWaitForReply] = FieldSpec(KESTRA_TEXT("kestra", "等待回复"), FieldKind::DropDownList,
                                     {KESTRA_TEXT("kestra", "关"), KESTRA_TEXT("kestra", "开")});
        f[kWaitForReply].location = ImageLocation{dtmf::kWaitForReply, StoredAs::Index};
        f[kReplyWaitTime] =
            FieldSpec(KESTRA_TEXT("kestra", "等待回复时间 (s)"), FieldKind::SpinEdit);
        f[kReplyWaitTime].filter = filters::kAnyUpper;
        f[kReplyWaitTime].textLimit = 2;
        return f;
    }();
    return fields;
}

void DtmfEncodeForm::LoadFromImage() {
    LoadTableField(kWaitForReply, 0);
    SetText(kReplyWaitTime, std::to_string(image().Get(dtmf::kReplyWaitTime)));
    const int rate = image().Get(dtmf::kDigitRate);
    int rateIndex = kRate10;
    for (int i = 0; i < 4; ++i)
        if (kRateCodes[i] == rate)
            rateIndex = i;
    Select(kRate, rateIndex);
    SetText(kFirstDigitDelay, std::to_string(image().Get(dtmf::kFirstDigitDelay) * kMsPerUnit));
    const std::pair<int, BitField> toneTimes[] = {{kFirstDigitTime, dtmf::kFirstDigitTime},
                                                  {kStarHashTime, dtmf::kStarHashToneTime}};
    for (const auto& [id, field] : toneTimes) {
        const std::string ms = std::to_string(image().Get(field) * kMsPerUnit);
        int index = -1;
        for (std::size_t i = 0; i < Spec(id).choices.size(); ++i)
            if (Spec(id).choices[i] == ms)
                index = static_cast<int>(i);
        Select(id, index);
    }
    LoadTableField(kSideTone, 0);
    SetText(kPttIdStart, image().DtmfString(dtmf::kPttIdStart, dtmf::kPttIdLength));
    SetText(kPttIdEnd, image().DtmfString(dtmf::kPttIdEnd, dtmf::kPttIdLength));
    NormaliseFields();
}

void DtmfEncodeForm::NormaliseFields() {
    TextCommitted(kFirstDigitDelay);
    TextCommitted(kReplyWaitTime);
    SelectDefaultIfNone(kFirstDigitTime);
    SelectDefaultIfNone(kStarHashTime);
    SelectDefaultIfNone(kSideTone);
}

void DtmfEncodeForm::StoreToImage() {
    NormaliseFields();
    StoreTableField(kWaitForReply, 0);
    image().Set(dtmf::kReplyWaitTime, LeadingInt(Text(kReplyWaitTime)));
    image().Set(dtmf::kDigitRate, kRateCodes[Selected(kRate) < 0 ? kRate10 : Selected(kRate)]);
    image().Set(dtmf::kFirstDigitDelay, LeadingInt(Text(kFirstDigitDelay)) / kMsPerUnit);
    image().Set(dtmf::kFirstDigitTime, LeadingInt(Text(kFirstDigitTime)) / kMsPerUnit);
    image().Set(dtmf::kStarHashToneTime, LeadingInt(Text(kStarHashTime)) / kMsPerUnit);
    StoreTableField(kSideTone, 0);
    image().SetDtmfString(dtmf::kPttIdStart, dtmf::kPttIdLength, Text(kPttIdStart));
    image().SetDtmfString(dtmf::kPttIdEnd, dtmf::kPttIdLength, Text(kPttIdEnd));
}

void DtmfEncodeForm::TextCommitted(int id) {
    if (id == kFirstDigitDelay) {
        int v = LeadingInt(Text(id));
        v -= v % kDelayStep;
        if (v < kDelayLow || v > kDelayHigh)
            v = kDelayDefault;
        SetText(id, std::to_string(v));
    } else if (id == kReplyWaitTime) {
        SetText(id, ClampedIntText(Text(id), kReplyLow, kReplyHigh));
    }
}

void DtmfEncodeForm::SpinStep(int id, int delta) {
    const long long v = LeadingInt(Text(id));
    if (id == kFirstDigitDelay) {
        // To the next multiple of 100 above or below the value shown.
        const long long below = v - ((v % kDelayStep) + kDelayStep) % kDelayStep;
        const long long next = delta > 0 ? below + kDelayStep : below == v ? v - kDelayStep : below;
        SetText(id, std::to_string(SpinWrap(next, kDelayLow, kDelayHigh, delta)));
    } else if (id == kReplyWaitTime) {
        SetText(id, std::to_string(SpinWrap(v + delta, kReplyLow, kReplyHigh, delta)));
    }
}

} // namespace kestra::forms
