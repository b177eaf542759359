// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/batch_channel_form.h"
#include "core/codec/text_seam.h"

#include <cstdlib>
#include <ctime>
#include <random>

#include "core/codec/codecs.h"
#include "core/forms/channel_edit_form.h"

namespace kestra::forms {

namespace {

constexpr int kLastMemoryChannel = 256;
constexpr int kStepLimitKHz = 1000;
constexpr int kIntervalLimit = 20;
const std::vector<std::string> kDirections = {KESTRA_TEXT("kestra", "递增"),
                                              KESTRA_TEXT("kestra", "递减")};

FieldSpec Radio(const char* key, std::vector<std::string> buttons) {
    return FieldSpec(key, FieldKind::RadioGroup, std::move(buttons));
}

FieldSpec TextEdit(const char* key, KeyFilter filter, int limit) {
    FieldSpec f(key, FieldKind::Edit);
    f.filter = filter;
    f.textLimit = limit;
    return f;
}

const FieldSpec& ChannelOption(const char* key) {
    for (const FieldSpec& f : ChannelOptionFields())
        if (f.key == key)
            return f;
    return ChannelOptionFields().front();
}

// The whole number the text starts with; false when it starts with no digit.
bool LeadingNumber(const std::string& text, long& value) {
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (value < 1000000)
            value = value * 10 + (c - '0');
    }
    return true;
}

int Number(const std::string& text) {
    return std::atoi(text.c_str());
}

// A typed decimal scaled by factor, truncated toward zero.
std::int64_t Scaled(const std::string& text, double factor) {
    return static_cast<std::int64_t>(ExactMul(LeadingDecimal(text), factor));
}

} // namespace

std::uint32_t NearestRaster(std::uint32_t v) {
    const std::uint32_t r1 = v % 250;
    const std::uint32_t r3 = v % 625;
    if (r1 == 0 || r3 == 0)
        return v;
    const std::uint32_t r2 = 250 - r1;
    const std::uint32_t r4 = 625 - r3;
    // The first smallest of r1, r2, r3, r4: down by r1 or r3, up by r2 or r4.
    std::uint32_t best = r1;
    bool up = false;
    if (r2 < best) {
        best = r2;
        up = true;
    }
    if (r3 < best) {
        best = r3;
        up = false;
    }
    if (r4 < best) {
        best = r4;
        up = true;
    }
    return up ? v + best : v - best;
}

BatchChannelForm::BatchChannelForm(FormContext& context) : Form(context) {}

std::string BatchChannelForm::Title() const {
    return KESTRA_TEXT("kestra", "信道编辑");
}

const std::vector<FieldSpec>& BatchChannelForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        std::vector<FieldSpec> f(kFieldCount);
        f[kRange] = Radio(KESTRA_TEXT("kestra", "范围"),
                          {KESTRA_TEXT("kestra", "全部"), KESTRA_TEXT("kestra", "A段"),
                           KESTRA_TEXT("kestra", "B段"), KESTRA_TEXT("kestra", "从信道")});
        f[kFrom] = TextEdit(KESTRA_TEXT("kestra", "从信道"), filters::kDigits, 3);
        f[kTo] = TextEdit(KESTRA_TEXT("kestra", "到信道"), filters::kDigits, 3);
        f[kRxStart] = TextEdit(KESTRA_TEXT("kestra", "接收起始频率"), filters::kDecimal, 9);
        f[kRxStep] = TextEdit(KESTRA_TEXT("kestra", "接收步进"), filters::kDecimal, 6);
        f[kRxStepDir] = Radio(KESTRA_TEXT("kestra", "接收步进方向"), kDirections);
        f[kTxMode] = Radio(KESTRA_TEXT("kestra", "发射频率"),
                           {KESTRA_TEXT("kestra", "默认"), KESTRA_TEXT("kestra", "偏移频率(MHz)"),
                            KESTRA_TEXT("kestra", "起始频率(MHz)")});
        f[kOffset] = TextEdit(KESTRA_TEXT("kestra", "偏移频率"), filters::kDecimal, 8);
        f[kOffsetDir] = Radio(KESTRA_TEXT("kestra", "偏移方向"),
                              {KESTRA_TEXT("kestra", "加"), KESTRA_TEXT("kestra", "减")});
        f[kTxStart] = TextEdit(KESTRA_TEXT("kestra", "发射起始频率"), filters::kDecimal, 9);
        f[kTxStep] = TextEdit(KESTRA_TEXT("kestra", "发射步进"), filters::kDecimal, 6);
        f[kTxStepDir] = Radio(KESTRA_TEXT("kestra", "发射步进方向"), kDirections);
        f[kRxTone] =
            FieldSpec(KESTRA_TEXT("kestra", "接收信令"), FieldKind::DropDownList, SignallingList());
        f[kRxRandom] = FieldSpec(KESTRA_TEXT("kestra", "接收随机"), FieldKind::CheckBox);
        f[kRxInterval] = TextEdit(KESTRA_TEXT("kestra", "接收间隔"), filters::kDigits, 2);
        f[kRxIntervalDir] = Radio(KESTRA_TEXT("kestra", "接收间隔方向"), kDirections);
        f[kTxToneMode] = Radio(KESTRA_TEXT("kestra", "发射信令"),
                               {KESTRA_TEXT("kestra", "默认"), KESTRA_TEXT("kestra", "起始信令")});
        f[kTxTone] = FieldSpec(KESTRA_TEXT("kestra", "发射起始信令"), FieldKind::DropDownList,
                               SignallingList());
        f[kTxRandom] = FieldSpec(KESTRA_TEXT("kestra", "发射随机"), FieldKind::CheckBox);
        f[kTxInterval] = TextEdit(KESTRA_TEXT("kestra", "发射间隔"), filters::kDigits, 2);
        f[kTxIntervalDir] = Radio(KESTRA_TEXT("kestra", "发射间隔方向"), kDirections);
        for (int id = kPower; id <= kVoice; ++id) {
            static const char* const kOptions[] = {
                KESTRA_TEXT("kestra", "功率"),     KESTRA_TEXT("kestra", "扫描"),
                KESTRA_TEXT("kestra", "带宽"),     KESTRA_TEXT("kestra", "信令类型"),
                KESTRA_TEXT("kestra", "繁忙锁定"), KESTRA_TEXT("kestra", "PTT ID"),
                KESTRA_TEXT("kestra", "声控"),     KESTRA_TEXT("kestra", "中继模式"),
                KESTRA_TEXT("kestra", "语音处理")};
            f[static_cast<std::size_t>(id)] = ChannelOption(kOptions[id - kPower]);
        }
        // Printable ASCII only, as the radio shows names.
        f[kName] = TextEdit(KESTRA_TEXT("kestra", "信道名字"), filters::kPrintableAscii,
                            ChannelRecord::kNameLength);
        f[kByNumber] = FieldSpec(KESTRA_TEXT("kestra", "按信道号"), FieldKind::CheckBox);
        f[kApply] = FieldSpec(KESTRA_TEXT("kestra", "应用"), FieldKind::PushButton);
        return f;
    }();
    return fields;
}

void BatchChannelForm::LoadFromImage() {
    for (int id = kPower; id <= kVoice; ++id)
        Select(id, 0);
    SetText(kName, std::string());
    State(kByNumber).checked = false;
    State(kRxRandom).checked = false;
    State(kTxRandom).checked = false;
    Select(kRange, kAll);
    SetTyped(kFrom, "1");
    SetTyped(kTo, "256");
    const std::string bandALow = FrequencyToText(static_cast<std::uint32_t>(limits().low[0]));
    SetText(kRxStart, bandALow);
    SetText(kTxStart, bandALow);
    SetTyped(kRxStep, "0");
    SetTyped(kTxStep, "0");
    Select(kRxStepDir, 0);
    Select(kTxStepDir, 0);
    Select(kTxMode, kTxSame);
    SetText(kOffset, "0.00000");
    Select(kOffsetDir, 0);
    Select(kRxTone, 0);
    Select(kTxTone, 0);
    SetTyped(kRxInterval, "0");
    SetTyped(kTxInterval, "0");
    Select(kRxIntervalDir, 0);
    Select(kTxIntervalDir, 0);
    Select(kTxToneMode, kToneSame);
    ApplyEnableRules();
}

void BatchChannelForm::StoreToImage() {}

void BatchChannelForm::ApplyEnableRules() {
    const bool fromChannel = Selected(kRange) == kFromChannel;
    Enable(kFrom, fromChannel);
    Enable(kTo, fromChannel);
    const bool offset = Selected(kTxMode) == kTxOffset;
    Enable(kOffset, offset);
    Enable(kOffsetDir, offset);
    const bool txStart = Selected(kTxMode) == kTxFromStart;
    for (int id : {kTxStart, kTxStep, kTxStepDir})
        Enable(id, txStart);
    const bool rxStepped = !State(kRxRandom).checked;
    for (int id : {kRxTone, kRxInterval, kRxIntervalDir})
        Enable(id, rxStepped);
    const bool txTones = Selected(kTxToneMode) == kToneFromStart;
    Enable(kTxRandom, txTones);
    const bool txStepped = txTones && !State(kTxRandom).checked;
    for (int id : {kTxTone, kTxInterval, kTxIntervalDir})
        Enable(id, txStepped);
}

void BatchChannelForm::SetTyped(int id, const std::string& text) {
    SetText(id, text);
    TextTyped(id);
}

void BatchChannelForm::TextTyped(int id) {
    const std::string& text = Text(id);
    long v = 0;
    switch (id) {
    case kRxStep:
    case kTxStep:
        if (!LeadingNumber(text, v) || v == 0)
            SetText(id, "0");
        else if (v > kStepLimitKHz)
            SetText(id, std::to_string(kStepLimitKHz));
        return;
    case kRxInterval:
    case kTxInterval:
        v = Number(text);
        if (v > kIntervalLimit)
            SetText(id, std::to_string(kIntervalLimit));
        else if (v == 0)
            SetText(id, "0");
        return;
    case kFrom:
        v = Number(text);
        if (v == 0 || v > Number(Text(kTo)))
            SetText(id, "1");
        else if (v > kLastMemoryChannel)
            SetText(id, std::to_string(kLastMemoryChannel));
        return;
    case kTo:
        v = Number(text);
        if (v == 0 || v < Number(Text(kFrom)) || v > kLastMemoryChannel)
            SetText(id, std::to_string(kLastMemoryChannel));
        return;
    default:
        return;
    }
}

void BatchChannelForm::FocusGained(int id) {
    if (id == kRxStart)
        rxStartAtFocus_ = Text(id);
    else if (id == kTxStart)
        txStartAtFocus_ = Text(id);
}

void BatchChannelForm::CorrectStart(int id) {
    if (Text(id).empty()) {
        SetText(id, id == kRxStart ? rxStartAtFocus_ : txStartAtFocus_);
        return;
    }
    std::uint32_t v = TextToFrequency(Text(id));
    if (!limits().InBand(v))
        v = static_cast<std::uint32_t>(limits().low[0]);
    SetText(id, FrequencyToText(NearestRaster(v)));
}

void BatchChannelForm::CorrectStep(int id) {
    const std::int64_t units = Scaled(Text(id), 100.0);
    const std::uint32_t v = NearestRaster(static_cast<std::uint32_t>(units < 0 ? 0 : units));
    SetTyped(id, FormatGeneral(ExactMul(v, 0.01)));
}

void BatchChannelForm::TextCommitted(int id) {
    if (id == kRxStart || id == kTxStart)
        CorrectStart(id);
    else if (id == kRxStep || id == kTxStep)
        CorrectStep(id);
}

void BatchChannelForm::BoxToggled(int id) {
    if (id == kRxRandom || id == kTxRandom)
        ApplyEnableRules();
}

void BatchChannelForm::RadioPressed(int id) {
    if (id == kRange) {
        switch (Selected(kRange)) {
        case kAll:
            SetTyped(kFrom, "1");
            SetTyped(kTo, "256");
            break;
        case kBankA:
            SetTyped(kFrom, "1");
            SetTyped(kTo, "128");
            break;
        case kBankB:
            SetTyped(kTo, "256");
            SetTyped(kFrom, "129");
            break;
        default:
            break;
        }
    }
    ApplyEnableRules();
}

void BatchChannelForm::ButtonPressed(int id, const std::string&) {
    if (id != kApply)
        return;
    Generate();
    if (context().renderGrid)
        context().renderGrid();
}

KeyOutcome BatchChannelForm::KeyPressed(int, DialogKey key) {
    return key == DialogKey::Escape ? KeyOutcome::CloseDialog : KeyOutcome::Swallowed;
}

void BatchChannelForm::FrequencySweep::Advance() {
    f += dir * step;
    if (f < low || f > high)
        f = dir > 0 ? low : high;
    else
        f = NearestRaster(static_cast<std::uint32_t>(f));
}

BatchChannelForm::FrequencySweep BatchChannelForm::Sweep(int start, int step, int dir) const {
    const std::int64_t f = TextToFrequency(Text(start));
    const int b = std::max(0, limits().BandOf(f)); // a start the user could not correct: band A
    return {f, limits().low[b], limits().high[b], Scaled(Text(step), 100.0),
            Selected(dir) == 1 ? -1 : 1};
}

BatchChannelForm::ToneSweep BatchChannelForm::Tones(int tone, bool random, int interval,
                                                    int intervalDir) const {
    return {std::max(0, Selected(tone)), random,
            Number(Text(interval)) * (Selected(intervalDir) == 1 ? -1 : 1)};
}

std::array<std::uint8_t, 2> BatchChannelForm::OptionBytes() const {
    std::array<std::uint8_t, 2> options = {0, 0};
    for (int id = kPower; id <= kVoice; ++id) {
        const BitField& at = Spec(id).location.field;
        std::uint8_t& b = options[static_cast<std::size_t>(at.offset - ChannelRecord::kFlags0)];
        b = at.Into(b, StoredValueOf(Spec(id), State(id)));
    }
    return options;
}

void BatchChannelForm::Generate() {
    std::mt19937 random(context().randomSeed ? *context().randomSeed
                                             : static_cast<unsigned>(std::time(nullptr)));
    const auto& tones = SignallingList();
    const int toneCount = static_cast<int>(tones.size());
    const auto draw = [&] { return static_cast<int>(random() % static_cast<unsigned>(toneCount)); };
    const BandLimits& bands = limits();

    int first = 1;
    int last = kLastMemoryChannel;
    if (Selected(kRange) != kAll) {
        first = std::max(1, Number(Text(kFrom)));
        last = std::min(kLastMemoryChannel, Number(Text(kTo)));
    }
    FrequencySweep rx = Sweep(kRxStart, kRxStep, kRxStepDir);
    FrequencySweep tx = Sweep(kTxStart, kTxStep, kTxStepDir);
    const int txMode = Selected(kTxMode);
    const bool plus = Selected(kOffsetDir) != 1;
    const std::int64_t offset = Scaled(Text(kOffset), 100000.0) * (plus ? 1 : -1);
    ToneSweep rxTone = Tones(kRxTone, State(kRxRandom).checked, kRxInterval, kRxIntervalDir);
    const bool txTonesOwn = Selected(kTxToneMode) == kToneFromStart;
    ToneSweep txTone =
        Tones(kTxTone, txTonesOwn && State(kTxRandom).checked, kTxInterval, kTxIntervalDir);
    const std::array<std::uint8_t, 2> options = OptionBytes();

    for (int n = first; n <= last; ++n) {
        ChannelRecord rec(image(), n);
        rec.SetRx(static_cast<std::uint32_t>(rx.f));
        std::int64_t t = rx.f;
        if (txMode == kTxOffset) {
            // Bounded by the band of this channel's receive frequency, so a
            // channel never transmits in the other band.
            const int b = std::max(0, bands.BandOf(rx.f));
            t = rx.f + offset;
            if (t < bands.low[b] || t > bands.high[b])
                t = plus ? bands.low[b] : bands.high[b];
        } else if (txMode == kTxFromStart) {
            t = tx.f;
        }
        rec.SetTx(static_cast<std::uint32_t>(t));
        if (rxTone.random)
            rxTone.index = draw();
        rec.SetRxTone(ToneTextToValue(tones[static_cast<std::size_t>(rxTone.index)]));
        if (!txTonesOwn)
            txTone.index = rxTone.index;
        else if (txTone.random)
            txTone.index = draw();
        rec.SetTxTone(ToneTextToValue(tones[static_cast<std::size_t>(txTone.index)]));
        rec.SetByte(ChannelRecord::kFlags0, options[0]);
        rec.SetByte(ChannelRecord::kFlags1, options[1]);
        std::string name = Text(kName);
        if (State(kByNumber).checked)
            name = Utf8Left(name, 4) + Format("%03d", n);
        WriteChannelName(rec, name);

        rx.Advance();
        if (txMode == kTxFromStart)
            tx.Advance();
        if (!rxTone.random)
            rxTone.index = (rxTone.index + rxTone.interval + toneCount) % toneCount;
        if (txTonesOwn && !txTone.random)
            txTone.index = (txTone.index + txTone.interval + toneCount) % toneCount;
    }
}

} // namespace kestra::forms
