// SPDX-License-Identifier: GPL-3.0-or-later
// Batch channel generation (批量生成 button, title "信道编辑"): fills a range
// of memory channels in one press of "应用" and renders the grid; the dialog
// stays open. Closing it ("取消", Esc, close box) generates nothing more.
//
// Per channel n of the range (VFO records are never written):
//
//   bytes 0..3    rx: the start, then rx + direction x step, wrapping to the
//                 receive band's other end, else onto the nearest raster
//   bytes 4..7    tx: rx ("默认"); rx + offset bounded by the band of that rx
//                 ("偏移频率"); or its own start and step ("起始频率")
//   bytes 8..11   tones: signalling list entries stepped by the interval
//                 (wrapping over the 265 entries) or drawn at random
//   bytes 12..13  the nine option lists, as the channel dialog stores them
//   bytes 24..30  the name, or its first 4 characters + "%03d" of n
//
// All other bytes of a record are kept.
#pragma once

#include <array>
#include <cstdint>

#include <cstdint>

#include "core/forms/form.h"

namespace kestra::forms {

// Rounds v (10 Hz units) to the nearer of the 2.5 kHz and the 6.25 kHz
// raster; a value on either raster stays.
std::uint32_t NearestRaster(std::uint32_t v);

class BatchChannelForm : public Form {
public:
    enum Field {
        kRange,
        kFrom,
        kTo,
        kRxStart,
        kRxStep,
        kRxStepDir,
        kTxMode,
        kOffset,
        kOffsetDir,
        kTxStart,
        kTxStep,
        kTxStepDir,
        kRxTone,
        kRxRandom,
        kRxInterval,
        kRxIntervalDir,
        kTxToneMode,
        kTxTone,
        kTxRandom,
        kTxInterval,
        kTxIntervalDir,
        kPower,
        kScan,
        kBandwidth,
        kSignallingType,
        kBusyLock,
        kPttId,
        kVox,
        kRepeater,
        kVoice,
        kName,
        kByNumber,
        kApply,
        kFieldCount
    };
    // Radio button indexes.
    enum Range { kAll, kBankA, kBankB, kFromChannel };
    enum TxMode { kTxSame, kTxOffset, kTxFromStart };
    enum ToneMode { kToneSame, kToneFromStart };

    explicit BatchChannelForm(FormContext& context);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    // The dialog opens on fixed values, not on the image.
    void LoadFromImage() override;
    // Nothing is stored on closing: only "应用" writes.
    void StoreToImage() override;

    void FocusGained(int id) override;
    void TextTyped(int id) override;
    void TextCommitted(int id) override;
    void BoxToggled(int id) override;
    void RadioPressed(int id) override;
    void ButtonPressed(int id, const std::string& argument) override;
    KeyOutcome KeyPressed(int id, DialogKey key) override;

    // Writes the range of channels (what "应用" does before rendering).
    void Generate();

private:
    void ApplyEnableRules();
    // Sets a text as the program does: the while-typing rule runs on it.
    void SetTyped(int id, const std::string& text);
    void CorrectStart(int id);
    void CorrectStep(int id);

    // A frequency stepped through its band, wrapping to the band's other end.
    struct FrequencySweep {
        std::int64_t f, low, high, step;
        int dir;
        void Advance();
    };
    // A tone (an index of SignallingList) stepped by an interval, or drawn.
    struct ToneSweep {
        int index;
        bool random;
        int interval;
    };
    FrequencySweep Sweep(int start, int step, int dir) const;
    ToneSweep Tones(int tone, bool random, int interval, int intervalDir) const;
    // The option bytes, composed as the channel dialog stores them.
    std::array<std::uint8_t, 2> OptionBytes() const;

    std::string rxStartAtFocus_;
    std::string txStartAtFocus_;
};

} // namespace kestra::forms
