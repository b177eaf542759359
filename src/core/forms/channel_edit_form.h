// SPDX-License-Identifier: GPL-3.0-or-later
// The channel edit dialog (信道编辑 button): one channel record at a time,
// stepping through all 258 without leaving the form.
//
// Fields and where they live in the 32-byte record (list index = stored value):
//
//   信道号     channel label A001..B128, A VFO, B VFO; up-down 1..258, wrapping
//   接收频率   bytes 0..3        发射频率   bytes 4..7 (+ shift 15, 16..19)
//   接收信令   bytes 8..9        发射信令   bytes 10..11
//   功率       13 bit 4          带宽       13 bit 5
//   繁忙锁定   13 bits 6-7       信令类型   12 bits 0-1
//   声控       13 bit 2          语音处理   12 bits 4-7
//   PTT ID     13 bits 0-1       信道名字   bytes 24..30, printable ASCII
//   扫描       13 bit 3          中继模式   12 bits 2-3
//
// The record is stored whenever the form leaves a channel (typed number, the
// up-down control) and when the dialog closes, however it closes. The RX
// frequency is stored from the remembered RX text (the text last accepted by
// the RX validation); an empty remembered text clears the record.
#pragma once

#include <string>
#include <vector>

#include "core/forms/form.h"
#include "core/image/channel_name.h"

namespace kestra::forms {


// The nine option lists of a channel (shared with batch generation), in the
// order of the channel dialog, each with its bits in the record (offsets
// relative to the record) and its fallback.
const std::vector<FieldSpec>& ChannelOptionFields();

class ChannelEditForm : public Form {
public:
    enum Field {
        kChannel,
        kRx,
        kTx,
        kRxTone,
        kTxTone,
        kPower,
        kBandwidth,
        kBusyLock,
        kSignallingType,
        kVox,
        kVoice,
        kPttId,
        kName,
        kScan,
        kRepeater,
        kFieldCount
    };

    // Opens on record n (1..258).
    ChannelEditForm(FormContext& context, int channel);

    std::string Title() const override;
    const std::vector<FieldSpec>& Fields() const override;

    void LoadFromImage() override;
    void StoreToImage() override;

    void FocusGained(int id) override;
    void TextCommitted(int id) override;
    void SpinStep(int id, int delta) override;
    KeyOutcome KeyPressed(int id, DialogKey key) override;
    // A tone keeps one decimal when stored (88.55 is 88.5).
    std::string StoredText(int id) const override;

    int channel() const { return channel_; }
    const std::string& rememberedRx() const { return rememberedRx_; }

private:
    void LoadChannel();
    void StoreChannel();
    void EnterEmptyState();
    void LeaveEmptyState();
    void ValidateRx();
    void ValidateTx();
    void ChangeChannelTo(int n);
    // A typed frequency: the lower limit of band A when it lies in no band,
    // rounded down onto the raster when it lies on neither raster.
    std::uint32_t CorrectFrequency(std::uint32_t f) const;

    int channel_;
    std::string rememberedRx_;
    // The name as loaded: stored back only when it changed, so that bytes the
    // field cannot show (a name in another character set) survive a visit.
    std::string loadedName_;
    std::string rememberedTx_;
};

} // namespace kestra::forms
