// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/fm_radio_form.h"

#include "core/codec/codecs.h"
#include "core/codec/text_seam.h"
#include "core/image/settings_layout.h"

namespace kestra::forms {

namespace {

constexpr int kTextLimit = 7;

} // namespace

std::string FmFrequencyText(std::uint32_t kHz) {
    if (kHz < static_cast<std::uint32_t>(fm::kLowestKHz) ||
        kHz > static_cast<std::uint32_t>(fm::kHighestKHz))
        return std::string();
    return FormatDecimal(ExactMul(kHz, 0.001), 3);
}

std::string ValidateFmFrequency(const std::string& text) {
    if (text.empty())
        return text;
    long long kHz = ScaledDecimal(text, 1000.0);
    if (kHz < fm::kLowestKHz || kHz > fm::kHighestKHz)
        kHz = fm::kLowestKHz;
    return FmFrequencyText(static_cast<std::uint32_t>(kHz));
}

FmRadioForm::FmRadioForm(FormContext& context) : Form(context) {}

std::string FmRadioForm::Title() const {
    return KESTRA_TEXT("kestra", "收音机配置");
}

const std::vector<FieldSpec>& FmRadioForm::Fields() const {
    static const std::vector<FieldSpec> fields = [] {
        std::vector<FieldSpec> f(kFieldCount);
        std::vector<std::string> channels;
        for (int i = 1; i <= fm::kChannelCount; ++i)
            channels.push_back(std::to_string(i));
        f[kCurrentChannel] =
            FieldSpec(KESTRA_TEXT("kestra", "当前信道"), FieldKind::DropDownList, channels);
        f[kCurrentChannel].location = ImageLocation{fm::kCurrentChannel, StoredAs::Number};
        f[kCurrentChannel].fallback = Fallback{-1, "1"};
        f[kCurrentFrequency] = FieldSpec(KESTRA_TEXT("kestra", "当前频率"), FieldKind::Edit);
        f[kCurrentFrequency].textLimit = kTextLimit;
        f[kChannels] = FieldSpec(KESTRA_TEXT("kestra", "信道"), FieldKind::GridCell);
        f[kChannels].columns = {KESTRA_TEXT("kestra", "频率")};
        f[kChannels].textLimit = kTextLimit;
        f[kChannels].filter = filters::kDecimal;
        return f;
    }();
    return fields;
}

void FmRadioForm::FillChoices() {
    Form::FillChoices();
    auto& rows = State(kChannels).rows;
    for (int i = 1; i <= fm::kChannelCount; ++i)
        rows.push_back(std::to_string(i));
}

void FmRadioForm::LoadFromImage() {
    LoadTableField(kCurrentChannel, 0);
    SetText(kCurrentFrequency,
            FmFrequencyText(image().Bcd(fm::kCurrentFrequency, fm::kFrequencyBytes)));
    for (int i = 1; i <= fm::kChannelCount; ++i)
        SetCell(kChannels, i - 1, 0,
                FmFrequencyText(image().Bcd(fm::Channel(i), fm::kFrequencyBytes)));
}

void FmRadioForm::StoreFrequency(int offset, const std::string& text) {
    // Validated once more: a field still being typed into when the dialog
    // closes is stored as it would be after leaving it, never out of range.
    const std::string valid = ValidateFmFrequency(text);
    if (valid.empty())
        image().Fill(offset, offset + fm::kFrequencyBytes, 0xFF);
    else
        image().SetBcd(offset, fm::kFrequencyBytes,
                       static_cast<std::uint32_t>(ScaledDecimal(valid, 1000.0)));
}

void FmRadioForm::StoreToImage() {
    SelectDefaultIfNone(kCurrentChannel);
    StoreTableField(kCurrentChannel, 0);
    StoreFrequency(fm::kCurrentFrequency, Text(kCurrentFrequency));
    image().Fill(fm::kChannelsBegin, fm::kChannelsEnd, 0xFF);
    for (int i = 1; i <= fm::kChannelCount; ++i)
        StoreFrequency(fm::Channel(i), Cell(kChannels, i - 1, 0));
}

void FmRadioForm::TextCommitted(int id) {
    if (id == kCurrentFrequency)
        SetText(id, ValidateFmFrequency(Text(id)));
}

void FmRadioForm::GridCellCommitted(int id, int row, int col) {
    if (id == kChannels)
        SetCell(id, row, col, ValidateFmFrequency(Cell(id, row, col)));
}

} // namespace kestra::forms
