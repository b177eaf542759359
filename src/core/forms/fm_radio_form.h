// SPDX-License-Identifier: GPL-3.0-or-later
// The FM radio dialog (编辑 -> 收音机, title "收音机配置"): the current FM
// channel, the current FM frequency and the 20 FM memory channels of the
// block at 0x2F80 (core/image/settings_layout.h).
//
//   当前信道   list "1".."20"; an image value without an entry shows "1"
//   当前频率   edit, 7 characters: MHz with three decimals, or empty
//   grid       rows "1".."20", column 频率: the same text per channel,
//              edited in place (digits and ".", 7 characters)
//
// A frequency is valid from 76.000 to 108.000 MHz; a stored one outside that
// (erased FF bytes included) shows as empty. A typed one is taken x 1000,
// truncated (87.5005 is 87.500), and becomes 76.000 when out of range. An
// empty field is an empty channel. Closing stores, however the dialog closes:
// the frequencies as 6 BCD digits (kHz), empty ones as FF FF FF, and the byte
// after each channel's frequency as FF.
#pragma once

#include <cstdint>

#include "core/forms/form.h"

namespace kestra::forms {

// The text of a stored frequency in kHz: "%3.3f" of MHz, empty out of range.
std::string FmFrequencyText(std::uint32_t kHz);
// A typed frequency as the dialog corrects it when the field is left.
std::string ValidateFmFrequency(const std::string& text);

class FmRadioForm : public Form {
public:
    enum Field { kCurrentChannel, kCurrentFrequency, kChannels, kFieldCount };

    explicit FmRadioForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void FillChoices() override;
    void LoadFromImage() override;
    void StoreToImage() override;

    void TextCommitted(int id) override;
    void GridCellCommitted(int id, int row, int col) override;

private:
    void StoreFrequency(int offset, const std::string& text);
};

} // namespace kestra::forms
