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

#include "core/codec/codecs.h"

namespace kestra {

inline constexpr std::size_t kImageSize = 16384;
inline constexpr int kRecordSize = 32;
inline constexpr int kChannelCount = 258; // records 1..258
inline constexpr int kBandChannels = 128;
inline constexpr int kRecordAVfo = 257;
inline constexpr int kRecordBVfo = 258;

// Region offsets (first byte; "End" is one past the last byte).
namespace region {
inline constexpr int kBandAChannels = 0x0000;
inline constexpr int kBandBChannels = 0x1000;
inline constexpr int kFixedBlock = 0x1F70;
inline constexpr int kFixedBlockEnd = 0x1F78;
inline constexpr int kVfoA = 0x2000;
inline constexpr int kVfoB = 0x2020;
inline constexpr int kSettings = 0x2040;
inline constexpr int kSettingsEnd = 0x2072;
inline constexpr int kChannelIndexA = 0x204F;
inline constexpr int kChannelIndexB = 0x2050;
inline constexpr int kDtmfEncode = 0x2080;
inline constexpr int kDtmfDecode = 0x20A8;
inline constexpr int kDtmfCodeList = 0x20E0;
inline constexpr int kDtmfCodeListEnd = 0x2180;
inline constexpr int kIdentBlock = 0x2E00;
inline constexpr int kBandLimits = 0x2E10; // A low, A high, B low, B high
inline constexpr int kSummaries = 0x2E20;
inline constexpr int kSummariesEnd = 0x2E80;
inline constexpr int kFirstChannelA = 0x2E20;
inline constexpr int kFirstChannelB = 0x2E21;
inline constexpr int kPresenceA = 0x2E40;
inline constexpr int kScanA = 0x2E50;
inline constexpr int kPresenceB = 0x2E60;
inline constexpr int kScanB = 0x2E70;
inline constexpr int kFmRadio = 0x2F80;
inline constexpr int kDecoderTable = 0x3E00;
inline constexpr int kDecoderTableEnd = 0x3E30;
inline constexpr int kCalibration = 0x3ED0;
inline constexpr int kCalibrationEnd = 0x3F70;
inline constexpr int kFixedTable = 0x3F15;
inline constexpr int kFixedTableEnd = 0x3F1F;
inline constexpr int kPowerRows = 0x3F39;
inline constexpr int kSlopes = 0x3F4B;
inline constexpr int kSlopesEnd = 0x3F6F;
inline constexpr int kBandPoints = 0x3F70;
inline constexpr int kBandPointsEnd = 0x3FAC;
} // namespace region

// The fixed 8-byte block the finalisation writes at 0x1F70.
inline constexpr std::array<std::uint8_t, 8> kFixedBlockBytes = {0xB0, 0x01, 0x04, 0x0A,
                                                                 0x08, 0x02, 0x88, 0xAA};

class RadioImage {
public:
    RadioImage() { Fill(0xFF); }

    void Fill(std::uint8_t value) { bytes_.fill(value); }

    std::uint8_t& operator[](std::size_t offset) { return bytes_[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return bytes_[offset]; }
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kImageSize; }

    bool operator==(const RadioImage& o) const { return bytes_ == o.bytes_; }
    bool operator!=(const RadioImage& o) const { return bytes_ != o.bytes_; }

    // Bits [shift, shift + width) of one byte.
    int Bits(int offset, int shift, int width) const;
    // Read-modify-write of bits [shift, shift + width): other bits are kept.
    void SetBits(int offset, int shift, int width, int value);

    std::uint32_t Frequency(int offset) const;
    void SetFrequency(int offset, std::uint32_t value);

private:
    std::array<std::uint8_t, kImageSize> bytes_;
};

// Image offset of record n (1..258).
constexpr int RecordOffset(int n) {
    return (n - 1) * kRecordSize;
}
// Band of a record number: 0 (A), 1 (B) or -1.
int BandOfRecord(int n);

// Typed access to one 32-byte channel record inside an image. Bit fields are
// written by read-modify-write of their own bits.
class ChannelRecord {
public:
    ChannelRecord(RadioImage& image, int n) : image_(image), base_(RecordOffset(n)) {}

    // Field offsets within the record.
    static constexpr int kRx = 0x00;
    static constexpr int kTx = 0x04;
    static constexpr int kRxTone = 0x08;
    static constexpr int kTxTone = 0x0A;
    static constexpr int kFlags0 = 0x0C;
    static constexpr int kFlags1 = 0x0D;
    static constexpr int kShiftDirection = 0x0F;
    static constexpr int kShiftAmount = 0x10;
    static constexpr int kName = 0x18;
    static constexpr int kNameLength = 7;

    int base() const { return base_; }
    std::uint8_t byte(int field) const { return image_[static_cast<std::size_t>(base_ + field)]; }
    void setByte(int field, std::uint8_t v) { image_[static_cast<std::size_t>(base_ + field)] = v; }

    std::uint32_t rx() const { return image_.Frequency(base_ + kRx); }
    void setRx(std::uint32_t f) { image_.SetFrequency(base_ + kRx, f); }
    std::uint32_t tx() const { return image_.Frequency(base_ + kTx); }
    void setTx(std::uint32_t f) { image_.SetFrequency(base_ + kTx, f); }
    void setTxNone();
    std::uint32_t shiftAmount() const { return image_.Frequency(base_ + kShiftAmount); }
    void setShiftAmount(std::uint32_t f) { image_.SetFrequency(base_ + kShiftAmount, f); }
    int shiftDirection() const { return byte(kShiftDirection); }
    void setShiftDirection(int d) { setByte(kShiftDirection, static_cast<std::uint8_t>(d)); }

    ToneCode rxTone() const { return ToneCode{byte(kRxTone), byte(kRxTone + 1)}; }
    void setRxTone(ToneCode t) { setByte(kRxTone, t.low), setByte(kRxTone + 1, t.high); }
    ToneCode txTone() const { return ToneCode{byte(kTxTone), byte(kTxTone + 1)}; }
    void setTxTone(ToneCode t) { setByte(kTxTone, t.low), setByte(kTxTone + 1, t.high); }

    int signalling() const { return image_.Bits(base_ + kFlags0, 0, 2); }
    void setSignalling(int v) { image_.SetBits(base_ + kFlags0, 0, 2, v); }
    int repeaterMode() const { return image_.Bits(base_ + kFlags0, 2, 2); }
    void setRepeaterMode(int v) { image_.SetBits(base_ + kFlags0, 2, 2, v); }
    int voiceProcessing() const { return image_.Bits(base_ + kFlags0, 4, 4); }
    void setVoiceProcessing(int v) { image_.SetBits(base_ + kFlags0, 4, 4, v); }
    int pttId() const { return image_.Bits(base_ + kFlags1, 0, 2); }
    void setPttId(int v) { image_.SetBits(base_ + kFlags1, 0, 2, v); }
    bool vox() const { return image_.Bits(base_ + kFlags1, 2, 1) != 0; }
    void setVox(bool v) { image_.SetBits(base_ + kFlags1, 2, 1, v); }
    bool scan() const { return image_.Bits(base_ + kFlags1, 3, 1) != 0; }
    void setScan(bool v) { image_.SetBits(base_ + kFlags1, 3, 1, v); }
    bool highPower() const { return image_.Bits(base_ + kFlags1, 4, 1) != 0; }
    void setHighPower(bool v) { image_.SetBits(base_ + kFlags1, 4, 1, v); }
    bool wide() const { return image_.Bits(base_ + kFlags1, 5, 1) != 0; }
    void setWide(bool v) { image_.SetBits(base_ + kFlags1, 5, 1, v); }
    int busyLockout() const { return image_.Bits(base_ + kFlags1, 6, 2); }
    void setBusyLockout(int v) { image_.SetBits(base_ + kFlags1, 6, 2, v); }

    // Writes the cleared-record pattern: all 0xFF, byte 0x0C = 0, 0x0D = 0x38,
    // shift amount 00 00 00 01, direction 0, bytes 0x14 and 0x15 = 0.
    void Clear();

private:
    RadioImage& image_;
    int base_;
};

void ClearRecord(RadioImage& image, int n);

// Band limits in 10 Hz units: band 0 (A) and band 1 (B), each [low, high].
struct BandLimits {
    std::int32_t low[2] = {13600000, 40000000};
    std::int32_t high[2] = {17400000, 48000000};

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

// Loads the band limits from the image where it holds them: band 0 unless
// byte 0x2E13 is 0xFF, band 1 unless byte 0x2E1B is 0xFF.
void LoadBandLimitsFromImage(const RadioImage& image, BandLimits& limits);
// Writes the four limits into the image at 0x2E10..0x2E1F.
void StoreBandLimitsToImage(const BandLimits& limits, RadioImage& image);

} // namespace kestra
