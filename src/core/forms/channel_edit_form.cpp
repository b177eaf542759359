// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/channel_edit_form.h"
#include "core/codec/text_seam.h"

#include "core/codec/codecs.h"
#include "core/grid/channel_grid.h"

namespace kestra::forms {

namespace {

constexpr const char* kOff = KESTRA_TEXT("kestra", "关");
constexpr int kLastMemoryChannel = 256;

FieldSpec OptionList(const char* key, std::vector<std::string> choices, int offset, int shift,
                     int width, int fallback) {
    FieldSpec f;
    f.key = key;
    f.kind = FieldKind::DropDownList;
    f.choices = std::move(choices);
    f.location = ImageLocation{BitField{offset, shift, width}, StoredAs::Index};
    f.fallback.index = fallback;
    return f;
}

FieldSpec Edit(const char* key, FieldKind kind, KeyFilter filter, int limit) {
    FieldSpec f;
    f.key = key;
    f.kind = kind;
    f.filter = filter;
    f.textLimit = limit;
    return f;
}

FieldSpec ToneCombo(const char* key) {
    FieldSpec f;
    f.key = key;
    f.kind = FieldKind::TypeableCombo;
    f.choices = SignallingList();
    return f;
}

// Index of each option list in ChannelOptionFields().
enum Option {
    kOptPower,
    kOptBandwidth,
    kOptBusy,
    kOptSignalling,
    kOptVox,
    kOptVoice,
    kOptPtt,
    kOptScan,
    kOptRepeater
};

} // namespace

const std::vector<FieldSpec>& ChannelOptionFields() {
    constexpr int b12 = ChannelRecord::kFlags0;
    constexpr int b13 = ChannelRecord::kFlags1;
    static const std::vector<FieldSpec> fields = {
        OptionList(KESTRA_TEXT("kestra", "功率"),
                   {KESTRA_TEXT("kestra", "低"), KESTRA_TEXT("kestra", "高")}, b13, 4, 1, 1),
        OptionList(KESTRA_TEXT("kestra", "带宽"),
                   {KESTRA_TEXT("kestra", "窄"), KESTRA_TEXT("kestra", "宽")}, b13, 5, 1, 1),
        OptionList(KESTRA_TEXT("kestra", "繁忙锁定"),
                   {kOff, KESTRA_TEXT("kestra", "载波"), "QT/DQT"}, b13, 6, 2, 0),
        OptionList(KESTRA_TEXT("kestra", "信令类型"), {kOff, "DTMF"}, b12, 0, 2, 0),
        OptionList(KESTRA_TEXT("kestra", "声控"), {kOff, KESTRA_TEXT("kestra", "开")}, b13, 2, 1,
                   0),
        OptionList(KESTRA_TEXT("kestra", "语音处理"),
                   {kOff, KESTRA_TEXT("kestra", "压扩"), KESTRA_TEXT("kestra", "扰频1"),
                    KESTRA_TEXT("kestra", "扰频2"), KESTRA_TEXT("kestra", "扰频3"),
                    KESTRA_TEXT("kestra", "扰频4"), KESTRA_TEXT("kestra", "扰频5"),
                    KESTRA_TEXT("kestra", "扰频6"), KESTRA_TEXT("kestra", "扰频7"),
                    KESTRA_TEXT("kestra", "扰频8")},
                   b12, 4, 4, 0),
        OptionList(KESTRA_TEXT("kestra", "PTT ID"),
                   {kOff, KESTRA_TEXT("kestra", "发射前"), KESTRA_TEXT("kestra", "发射后"),
                    KESTRA_TEXT("kestra", "两者")},
                   b13, 0, 2, 0),
        OptionList(KESTRA_TEXT("kestra", "扫描"),
                   {KESTRA_TEXT("kestra", "否"), KESTRA_TEXT("kestra", "是")}, b13, 3, 1, 1),
        OptionList(KESTRA_TEXT("kestra", "中继模式"),
                   {kOff, KESTRA_TEXT("kestra", "倒频"), KESTRA_TEXT("kestra", "脱网")}, b12, 2, 2,
                   0),
    };
    return fields;
}

ChannelEditForm::ChannelEditForm(FormContext& context, int channel)
    : Form(context), channel_(channel < 1 || channel > kChannelCount ? 1 : channel) {}

std::string ChannelEditForm::Title() const {
    return KESTRA_TEXT("kestra", "信道编辑");
}

const std::vector<FieldSpec>& ChannelEditForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        const auto& opt = ChannelOptionFields();
        std::vector<FieldSpec> f(kFieldCount);
        f[kChannel] = Edit(KESTRA_TEXT("kestra", "信道号"), FieldKind::SpinEdit,
                           KeyFilter{"AB0123456789", false, true}, 4);
        f[kChannel].inProfile = false; // the section header names the channel
        f[kRx] = Edit(KESTRA_TEXT("kestra", "接收频率"), FieldKind::Edit, filters::kDecimal, 0);
        f[kTx] = Edit(KESTRA_TEXT("kestra", "发射频率"), FieldKind::Edit, filters::kDecimal, 0);
        f[kRxTone] = ToneCombo(KESTRA_TEXT("kestra", "接收信令"));
        f[kTxTone] = ToneCombo(KESTRA_TEXT("kestra", "发射信令"));
        f[kPower] = opt[kOptPower];
        f[kBandwidth] = opt[kOptBandwidth];
        f[kBusyLock] = opt[kOptBusy];
        f[kSignallingType] = opt[kOptSignalling];
        f[kVox] = opt[kOptVox];
        f[kVoice] = opt[kOptVoice];
        f[kPttId] = opt[kOptPtt];
        // Only what the radio can show: a multi-byte character would be cut
        // to bytes and never shown again.
        f[kName] = Edit(KESTRA_TEXT("kestra", "信道名字"), FieldKind::Edit,
                        filters::kPrintableAscii, ChannelRecord::kNameLength);
        f[kScan] = opt[kOptScan];
        f[kRepeater] = opt[kOptRepeater];
        return f;
    }();
    return fields;
}

void ChannelEditForm::LoadFromImage() {
    SetText(kChannel, ChannelLabel(channel_));
    LoadChannel();
}

void ChannelEditForm::StoreToImage() {
    StoreChannel();
}

void ChannelEditForm::LoadChannel() {
    channel_ = ParseChannelLabel(Text(kChannel));
    const int base = RecordOffset(channel_);
    ChannelRecord rec(image(), channel_);
    if (rec.Byte(ChannelRecord::kRx + 3) == 0xFF) {
        EnterEmptyState();
        rememberedRx_.clear();
        loadedName_.clear();
        return;
    }
    LeaveEmptyState();
    SetText(kRx, FrequencyToText(rec.Rx()));
    SetText(kTx,
            FrequencyShown(rec, ChannelRecord::kTx) ? FrequencyToText(rec.Tx()) : std::string());
    SetText(kRxTone, ToneValueToText(rec.RxTone()));
    SetText(kTxTone, ToneValueToText(rec.TxTone()));
    for (int id = 0; id < kFieldCount; ++id)
        if (Spec(id).location.Valid())
            LoadTableField(id, base);
    loadedName_ = ReadChannelName(image(), channel_);
    SetText(kName, loadedName_);
    rememberedRx_ = Text(kRx);
}

void ChannelEditForm::StoreChannel() {
    ChannelRecord rec(image(), channel_);
    if (rememberedRx_.empty()) {
        rec.Clear();
        return;
    }
    const std::uint32_t rx = TextToFrequency(rememberedRx_);
    const std::uint32_t rememberedShift = rec.ShiftAmount();
    rec.SetRx(rx);
    // The shift as the grid's conversion stores it: a loaded transmit
    // frequency in no band keeps its shift amount, which the next conversion
    // would otherwise take as no usable shift and make the channel simplex.
    StoreTransmit(rec, limits(), Text(kTx), rx, rememberedShift);
    rec.SetRxTone(ToneTextToValue(Text(kRxTone)));
    rec.SetTxTone(ToneTextToValue(Text(kTxTone)));
    if (Text(kName) != loadedName_)
        WriteChannelName(rec, Text(kName));
    const int base = RecordOffset(channel_);
    for (int id = 0; id < kFieldCount; ++id)
        if (Spec(id).location.Valid())
            StoreTableField(id, base);
}

std::string ChannelEditForm::StoredText(int id) const {
    if ((id != kRxTone && id != kTxTone) || Text(id).empty())
        return Text(id);
    return ToneValueToText(ToneTextToValue(Text(id)));
}

void ChannelEditForm::EnterEmptyState() {
    SetText(kRx, std::string());
    SetText(kTx, std::string());
    SetText(kRxTone, std::string());
    SetText(kTxTone, std::string());
    SetText(kName, std::string());
    for (int id = kTx; id < kFieldCount; ++id) {
        if (Spec(id).kind == FieldKind::DropDownList)
            Select(id, -1);
        Enable(id, false);
    }
    Enable(kRx, true);
}

void ChannelEditForm::LeaveEmptyState() {
    for (int id = kTx; id < kFieldCount; ++id)
        Enable(id, true);
}

std::uint32_t ChannelEditForm::CorrectFrequency(std::uint32_t f) const {
    const BandLimits& bands = limits();
    if (!bands.InBand(f))
        f = static_cast<std::uint32_t>(bands.low[0]);
    if (IsOffRaster(f))
        f = SnapToStep(f);
    return f;
}

void ChannelEditForm::ValidateRx() {
    const int n = ParseChannelLabel(Text(kChannel));
    const std::uint32_t tx = TextToFrequency(Text(kTx));
    if (Text(kRx).empty()) {
        EnterEmptyState();
        rememberedRx_.clear();
        return;
    }
    LeaveEmptyState();
    const std::uint32_t rx = CorrectFrequency(TextToFrequency(Text(kRx)));
    SetText(kRx, FrequencyToText(rx));
    if (rememberedRx_.empty()) {
        // A new channel: TX follows RX and every option takes its default.
        SetText(kTx, Text(kRx));
        SetText(kRxTone, kNoToneText);
        SetText(kTxTone, kNoToneText);
        Select(kPower, 1);
        Select(kVox, 0);
        Select(kBandwidth, 1);
        Select(kBusyLock, 0);
        Select(kSignallingType, 0);
        Select(kPttId, 0);
        Select(kScan, 0);
        Select(kVoice, 0);
        Select(kRepeater, 0);
    } else if (n > kLastMemoryChannel && !limits().SameBand(rx, tx)) {
        SetText(kTx, Text(kRx));
    }
    rememberedRx_ = Text(kRx);
}

void ChannelEditForm::ValidateTx() {
    if (Text(kRx).empty())
        return;
    if (Text(kTx).empty()) {
        SetText(kTx, rememberedTx_);
        return;
    }
    const std::uint32_t tx = CorrectFrequency(TextToFrequency(Text(kTx)));
    SetText(kTx, FrequencyToText(tx));
    const int n = ParseChannelLabel(Text(kChannel));
    if (n > kLastMemoryChannel && !limits().SameBand(TextToFrequency(Text(kRx)), tx)) {
        SetText(kRx, Text(kTx));
        // What the form shows is what is stored: the RX frequency is stored
        // from the remembered text, so it follows the field.
        rememberedRx_ = Text(kRx);
    }
}

void ChannelEditForm::ChangeChannelTo(int n) {
    SetText(kChannel, ChannelLabel(n));
    LoadChannel();
}

void ChannelEditForm::FocusGained(int id) {
    if (id == kTx)
        rememberedTx_ = Text(kTx);
}

void ChannelEditForm::TextCommitted(int id) {
    switch (id) {
    case kChannel: {
        const int typed = ParseChannelLabel(Text(kChannel));
        if (typed == channel_)
            return;
        StoreChannel();
        ChangeChannelTo(typed < 1 ? 1 : typed > kChannelCount ? kChannelCount : typed);
        return;
    }
    case kRx:
        ValidateRx();
        return;
    case kTx:
        ValidateTx();
        return;
    case kRxTone:
    case kTxTone:
        if (!Text(kRx).empty())
            SetText(id, NormalizeToneText(Text(id)));
        return;
    default:
        return;
    }
}

void ChannelEditForm::SpinStep(int id, int delta) {
    if (id != kChannel)
        return;
    StoreChannel();
    ChangeChannelTo(SpinWrap(ParseChannelLabel(Text(kChannel)) + delta, 1, kChannelCount, delta));
}

KeyOutcome ChannelEditForm::KeyPressed(int id, DialogKey key) {
    if (id != kRx)
        return KeyOutcome::Swallowed;
    if (key == DialogKey::Escape)
        return KeyOutcome::CloseDialog;
    ValidateRx();
    return KeyOutcome::Swallowed;
}

} // namespace kestra::forms
