// SPDX-License-Identifier: GPL-3.0-or-later
// The optional features dialog (编辑 -> 可选功能, title "可选功能"): the
// radio's general settings at 0x2040..0x2071 (core/image/settings_layout.h).
//
// Its 33 fields are the rows of OptionalFeatureFields(), in the order of the
// dialog: label, choices, the bits they live in, how the value is stored
// (list index, the entry's number, that number minus 1, hundredths of the
// edit's value) and the fallback a list takes when the stored value has no
// entry. Three rows are never shown (双待复位时间, 双频守候时间, 尾音模式):
// they are loaded, corrected and stored like the others and are no profile
// keys. Two fields are the form's own:
//
//   开机问候语编制  7 bytes at 0x2060: shown with 0..9 as "0".."9", 14 as "*",
//                  15 as "#", up to the first byte that is then not printable
//                  ASCII, trailing blanks removed; stored as ASCII, padded
//                  with blanks
//   双频守候时间    0x2071 in hundredths of a second, 1..255; anything else
//                  becomes 1.50; its spin wraps (up past 2.55 to 0.01, down
//                  past 0.01 to 2.55)
//
// Bits no row names are neither read nor written. Closing stores, however
// the dialog closes (Enter and Esc close it).
#pragma once

#include "core/forms/form.h"

namespace kestra::forms {

// The 33 rows of the dialog, in its order.
const std::vector<FieldSpec>& OptionalFeatureFields();

class OptionalFeaturesForm : public Form {
public:
    enum Field {
        kChannelDisplayA,
        kChannelDisplayB,
        kMainChannel,
        kDualWatch,
        kDualStandbyTxChannel,
        kDualStandbyResetTime, // never shown
        kDualWatchTime,        // never shown
        kVfoMr,
        kChannelMode,
        kPowerOnDisplay,
        kGreeting,
        kVoicePrompt,
        kKeyBeep,
        kEndTone,
        kBatterySave,
        kSquelchLevel,
        kTuningStep,
        kTransmitTimeout,
        kScanMode,
        kFmRadioMonitor,
        kIdentSwitch,
        kSquelchTailElimination,
        kBacklightMode,
        kBacklightTime,
        kBacklightColour,
        kVoxLevel,
        kVoxDelay,
        kKeyLockMode,
        kKeypadLock,
        kAutoKeypadLock,
        kTailToneMode, // never shown
        kWorkAreaA,
        kWorkAreaB,
        kFieldCount
    };

    explicit OptionalFeaturesForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void FillChoices() override;
    void LoadFromImage() override;
    void NormaliseFields() override;
    void StoreToImage() override;

    void TextCommitted(int id) override;
    void SpinStep(int id, int delta) override;
    KeyOutcome KeyPressed(int id, DialogKey key) override;

private:
    void NormaliseDualWatchTime();
};

} // namespace kestra::forms
