// SPDX-License-Identifier: GPL-3.0-or-later
// The model information dialog (编辑 -> 机型, title "机型信息"): the model name
// from the settings file, read-only, and the four band limits in whole MHz.
//
// Limits the user types are corrected against three preset ranges:
//
//   preset 0  136 .. 174 MHz    preset 1  200 .. 260 MHz    preset 2  400 .. 520 MHz
//
// when a limit edit loses the focus (its pair, in the mode of the edit left)
// and on closing (both pairs, lower-edited mode). Closing sets BandLimits and
// their copy in the image at 0x2E10..0x2E1F.
#pragma once

#include <cstdint>

#include "core/forms/form.h"

namespace kestra::forms {

// The preset containing f (bounds included), or -1.
int BandPreset(std::int64_t f);

// Corrects one band's pair [low, high] (10 Hz units) after the lower edit
// (lowerEdited) or the upper edit was left.
void CorrectBandPair(std::int64_t& low, std::int64_t& high, bool lowerEdited);

class ModelInfoForm : public Form {
public:
    enum Field { kModel, kALow, kAHigh, kBLow, kBHigh, kFieldCount };

    explicit ModelInfoForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void LoadFromImage() override;
    void StoreToImage() override;
    void TextCommitted(int id) override;

private:
    void CorrectPair(int band, bool lowerEdited);
};

} // namespace kestra::forms
