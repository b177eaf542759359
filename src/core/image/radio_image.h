// SPDX-License-Identifier: GPL-3.0-or-later
// The radio image: 16384 bytes that mirror the radio's programmable memory
// byte for byte. Image offsets are the radio's memory addresses.
//
// Region map (inclusive offsets):
//
//   0x0000-0x0FFF  channel records 1-128   (A001-A128)
//   0x1000-0x1FFF  channel records 129-256 (B001-B128)
//   0x1F70-0x1F77  fixed block B0 01 04 0A 08 02 88 AA (inside record 252)
//   0x2000-0x201F  record 257 "A VFO"
//   0x2020-0x203F  record 258 "B VFO"
//   0x2040-0x2071  general settings; 0x204F/0x2050 band channel indexes
//   0x2080-0x20A7  DTMF encode settings and PTT ID codes
//   0x20A8-0x20DF  DTMF decode and remote stun settings
//   0x20E0-0x217F  DTMF code list, 10 x 16 bytes
//                  (the bytes and bits of 0x2040-0x217F and of the FM
//                  block: core/image/settings_layout.h)
//   0x2E00-0x2E0F  identification block "V1.0.1" FF FF, 8 x FF
//   0x2E10-0x2E1F  band limits, four 4-byte BCD values
//   0x2E20-0x2E7F  derived channel summaries and bitmaps
//   0x2F80-0x2FD7  FM broadcast radio
//   0x3E00-0x3E2F  DTMF decoder table
//   0x3ED0-0x3F6F  calibration data (0x3F15-0x3F1E, 0x3F4B-0x3F6E derived)
//   0x3F70-0x3FAB  band frequency points of the calibration bands (derived)
//   0x3FAC-0x3FFF  no field; carried by reading and writing
//
// Channel record (32 bytes, offsets within the record):
//
//   0x00-0x03  receive frequency, BCD, FF FF FF FF = no channel
//   0x04-0x07  transmit frequency, BCD, FF FF FF FF = receive only
//   0x08-0x09  receive tone            0x0A-0x0B  transmit tone
//   0x0C  bits 0-1 signalling type | 2-3 repeater mode | 4-7 voice processing
//   0x0D  bits 0-1 PTT ID | 2 VOX | 3 scan | 4 power high | 5 wide |
//         6-7 busy lockout (0 off, 1 carrier, 2 QT/DQT)
//   0x0E  reserved                     0x0F  shift direction (0/1 below/2 above)
//   0x10-0x13  shift amount, BCD       0x14-0x15  reserved, 0 when cleared
//   0x16-0x17  reserved                0x18-0x1E  name, 7 bytes, FF padded
//   0x1F  reserved
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/codec/byte_fields.h"
#include "core/codec/codecs.h"
#include "core/image/channel_numbers.h"

namespace kestra {

inline constexpr std::size_t kImageSize = 16384;
inline constexpr int kRecordSize = 32;

// Region offsets outside the settings blocks (first byte; "End" is one past
// the last byte).
namespace region {
inline constexpr int kFixedBlock = 0x1F70;
inline constexpr int kIdentBlock = 0x2E00;
inline constexpr int kIdentBlockEnd = 0x2E10;
inline constexpr int kBandLimits = 0x2E10; // A low, A high, B low, B high
inline constexpr int kFirstChannelA = 0x2E20;
inline constexpr int kFirstChannelB = 0x2E21;
inline constexpr int kSummaryFill = 0x2E28; // 16 bytes FF
inline constexpr int kSummaryFillEnd = 0x2E38;
inline constexpr int kPresenceA = 0x2E40; // four 16-byte bitmaps
inline constexpr int kScanA = 0x2E50;
inline constexpr int kPresenceB = 0x2E60;
inline constexpr int kScanB = 0x2E70;
inline constexpr int kBitmapsEnd = 0x2E80;
inline constexpr int kDecoderTable = 0x3E00;
inline constexpr int kDecoderTableEnd = 0x3E30;
inline constexpr int kCalibration = 0x3ED0;
inline constexpr int kCalibrationEnd = 0x3F70;
inline constexpr int kFixedTable = 0x3F15;
inline constexpr int kPowerRows = 0x3F39;
inline constexpr int kSlopes = 0x3F4B;
inline constexpr int kBandPoints = 0x3F70;
} // namespace region

// The fixed 8-byte block the finalisation writes at 0x1F70.
inline constexpr std::array<std::uint8_t, 8> kFixedBlockBytes = {0xB0, 0x01, 0x04, 0x0A,
                                                                 0x08, 0x02, 0x88, 0xAA};

class RadioImage {
public:
    RadioImage() { Fill(0xFF); }

    void Fill(std::uint8_t value) { bytes_.fill(value); }
    // Bytes [from, to) take value.
    void Fill(int from, int to, std::uint8_t value);

    std::uint8_t& operator[](std::size_t offset) { return bytes_[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return bytes_[offset]; }
    // Container-style access, as std::data and std::size expect it.
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kImageSize; }

    bool operator==(const RadioImage& o) const { return bytes_ == o.bytes_; }
    bool operator!=(const RadioImage& o) const { return bytes_ != o.bytes_; }

    std::uint8_t Byte(int offset) const { return bytes_[static_cast<std::size_t>(offset)]; }
    void SetByte(int offset, std::uint8_t value) {
        bytes_[static_cast<std::size_t>(offset)] = value;
    }

    // A bit field; Set is a read-modify-write that keeps the other bits.
    int Get(BitField field) const { return field.From(Byte(field.offset)); }
    void Set(BitField field, int value) {
        SetByte(field.offset, field.Into(Byte(field.offset), value));
    }

    // n-byte packed BCD (least significant pair first) and little-endian words.
    std::uint32_t Bcd(int offset, int n) const { return ReadBcd(bytes_.data() + offset, n); }
    void SetBcd(int offset, int n, std::uint32_t value) {
        WriteBcd(bytes_.data() + offset, n, value);
    }
    std::uint32_t Le(int offset, int n) const { return ReadLe(bytes_.data() + offset, n); }
    void SetLe(int offset, int n, std::uint32_t value) {
        WriteLe(bytes_.data() + offset, n, value);
    }

    // A DTMF string field of n bytes (ReadDtmfString, WriteDtmfString).
    std::string DtmfString(int offset, int n) const {
        return ReadDtmfString(bytes_.data() + offset, n);
    }
    void SetDtmfString(int offset, int n, const std::string& text) {
        WriteDtmfString(bytes_.data() + offset, n, text);
    }

    // A frequency: four BCD bytes in 10 Hz units.
    std::uint32_t Frequency(int offset) const { return DecodeFrequency(bytes_.data() + offset); }
    void SetFrequency(int offset, std::uint32_t value) {
        EncodeFrequency(value, bytes_.data() + offset);
    }

private:
    std::array<std::uint8_t, kImageSize> bytes_;
};

// Image offset of record n (1..258).
constexpr int RecordOffset(int n) {
    return (n - 1) * kRecordSize;
}

// Read access to one 32-byte channel record inside an image.
class ConstChannelRecord {
public:
    ConstChannelRecord(const RadioImage& image, int n) : image_(image), base_(RecordOffset(n)) {}

    // Field offsets within the record.
    static constexpr int kRx = 0x00;
    static constexpr int kTx = 0x04;
    static constexpr int kRxTone = 0x08;
    static constexpr int kTxTone = 0x0A;
    static constexpr int kFlags0 = 0x0C;
    static constexpr int kFlags1 = 0x0D;
    static constexpr int kShiftDirection = 0x0F;
    static constexpr int kShiftAmount = 0x10;
    static constexpr int kReserved14 = 0x14; // written 0 when the record is cleared
    static constexpr int kReserved15 = 0x15;
    static constexpr int kName = 0x18;
    static constexpr int kNameLength = 7;
    // Bit fields, at offsets within the record.
    static constexpr BitField kSignalling{kFlags0, 0, 2};      // 0 off, 1 DTMF
    static constexpr BitField kRepeaterMode{kFlags0, 2, 2};    // 0 off, 1 reverse, 2 talk-around
    static constexpr BitField kVoiceProcessing{kFlags0, 4, 4}; // 0 off, 1 compander, 2-9 scrambler
    static constexpr BitField kPttId{kFlags1, 0, 2};           // 0 off, 1 before, 2 after, 3 both
    static constexpr BitField kVox{kFlags1, 2, 1};
    static constexpr BitField kScan{kFlags1, 3, 1};
    static constexpr BitField kHighPower{kFlags1, 4, 1};
    static constexpr BitField kWide{kFlags1, 5, 1};
    static constexpr BitField kBusyLockout{kFlags1, 6, 2}; // 0 off, 1 carrier, 2 QT/DQT
    // The shift amount of a simplex channel: 10 MHz (00 00 00 01).
    static constexpr std::uint32_t kSimplexShift = 1000000;

    int Base() const { return base_; }
    std::uint8_t Byte(int field) const { return image_.Byte(base_ + field); }
    int Get(BitField field) const { return image_.Get(At(field)); }

    std::uint32_t Rx() const { return image_.Frequency(base_ + kRx); }
    std::uint32_t Tx() const { return image_.Frequency(base_ + kTx); }
    std::uint32_t ShiftAmount() const { return image_.Frequency(base_ + kShiftAmount); }
    int ShiftDirection() const { return Byte(kShiftDirection); }
    ToneCode RxTone() const { return ToneCode{Byte(kRxTone), Byte(kRxTone + 1)}; }
    ToneCode TxTone() const { return ToneCode{Byte(kTxTone), Byte(kTxTone + 1)}; }

    int Signalling() const { return Get(kSignalling); }
    int RepeaterMode() const { return Get(kRepeaterMode); }
    int VoiceProcessing() const { return Get(kVoiceProcessing); }
    int PttId() const { return Get(kPttId); }
    bool Vox() const { return Get(kVox) != 0; }
    bool Scan() const { return Get(kScan) != 0; }
    bool HighPower() const { return Get(kHighPower) != 0; }
    bool Wide() const { return Get(kWide) != 0; }
    int BusyLockout() const { return Get(kBusyLockout); }

protected:
    // A field of this record as a field of the image.
    BitField At(BitField field) const { return {base_ + field.offset, field.shift, field.width}; }

private:
    const RadioImage& image_;
    int base_;
};

// Read and write access to one channel record. Bit fields are written by
// read-modify-write of their own bits.
class ChannelRecord : public ConstChannelRecord {
public:
    ChannelRecord(RadioImage& image, int n) : ConstChannelRecord(image, n), image_(image) {}

    void SetByte(int field, std::uint8_t v) { image_.SetByte(Base() + field, v); }
    void Set(BitField field, int value) { image_.Set(At(field), value); }

    void SetRx(std::uint32_t f) { image_.SetFrequency(Base() + kRx, f); }
    void SetTx(std::uint32_t f) { image_.SetFrequency(Base() + kTx, f); }
    // FF FF FF FF: receive only.
    void SetTxNone() { image_.Fill(Base() + kTx, Base() + kTx + 4, 0xFF); }
    void SetShiftAmount(std::uint32_t f) { image_.SetFrequency(Base() + kShiftAmount, f); }
    void SetShiftDirection(int d) { SetByte(kShiftDirection, static_cast<std::uint8_t>(d)); }
    // Direction 0 and the 10 MHz amount.
    void SetSimplex() {
        SetShiftDirection(0);
        SetShiftAmount(kSimplexShift);
    }
    void SetRxTone(ToneCode t) { SetByte(kRxTone, t.low), SetByte(kRxTone + 1, t.high); }
    void SetTxTone(ToneCode t) { SetByte(kTxTone, t.low), SetByte(kTxTone + 1, t.high); }

    void SetSignalling(int v) { Set(kSignalling, v); }
    void SetRepeaterMode(int v) { Set(kRepeaterMode, v); }
    void SetVoiceProcessing(int v) { Set(kVoiceProcessing, v); }
    void SetPttId(int v) { Set(kPttId, v); }
    void SetVox(bool v) { Set(kVox, v); }
    void SetScan(bool v) { Set(kScan, v); }
    void SetHighPower(bool v) { Set(kHighPower, v); }
    void SetWide(bool v) { Set(kWide, v); }
    void SetBusyLockout(int v) { Set(kBusyLockout, v); }

    // Writes the cleared-record pattern: all 0xFF, byte 0x0C = 0, 0x0D = 0x38
    // (scan, high power, wide), shift direction 0 and amount 00 00 00 01,
    // bytes 0x14 and 0x15 = 0.
    void Clear();

private:
    RadioImage& image_;
};

void ClearRecord(RadioImage& image, int n);

// Band limits in 10 Hz units: band 0 (A) and band 1 (B), each [low, high].
struct BandLimits {
    std::int32_t low[kBandCount] = {13600000, 40000000};
    std::int32_t high[kBandCount] = {17400000, 48000000};

    bool operator==(const BandLimits& o) const {
        return low[0] == o.low[0] && low[1] == o.low[1] && high[0] == o.high[0] &&
               high[1] == o.high[1];
    }

    // 0 or 1 for the first band containing f (bounds inclusive), else -1.
    int BandOf(std::int64_t f) const;
    bool InBand(std::int64_t f) const { return BandOf(f) >= 0; }
    // True when both lie in the same band, or both in none.
    bool SameBand(std::int64_t rx, std::int64_t tx) const { return BandOf(rx) == BandOf(tx); }
    // First band whose limits are both neither 0 nor 0xFFFFFFFF, else -1.
    int FirstConfiguredBand() const;
};

// Image offset of a band's low limit; its high limit follows at + 4.
constexpr int BandLimitsOffset(int band) {
    return region::kBandLimits + 8 * band;
}
// The image holds the limits of a band unless the most significant byte of
// its low limit (0x2E13 for band 0, 0x2E1B for band 1) is 0xFF.
bool BandLimitsPresent(const RadioImage& image, int band);
// Loads the band limits from the image where it holds them.
void LoadBandLimitsFromImage(const RadioImage& image, BandLimits& limits);
// Writes the four limits into the image at 0x2E10..0x2E1F.
void StoreBandLimitsToImage(const BandLimits& limits, RadioImage& image);

} // namespace kestra
