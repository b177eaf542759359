// SPDX-License-Identifier: GPL-3.0-or-later
// The two factory regions of the image: the calibration block, which the
// parameter tuning dialog edits, and the DTMF decoder table, which the decoder
// initialisation dialog edits. Each travels in its own exchange with the
// radio (link/transfers.h). Bit 0 is the least significant bit; "-" marks
// bytes no dialog edits, which travel unchanged.
//
// Calibration block, 0x3ED0-0x3F6F. b is a calibration band (0: 136-174,
// 1: 200-260, 2: 400-520 MHz, core/image/calibration.h):
//
//   offset         bytes bits  field                                     range
//   3ED0+12b+4d      4         squelch detection level d+1 (d 0-2):     0-137 each
//                              wide high, wide low, narrow high, narrow low
//   3EF4-3EFF                  -
//   3F00+6b          3         squelch "sql 1": low end, middle, high   0-127 each
//   3F03+6b          3         squelch "sql 9": low end, middle, high   0-127 each
//   3F12             1         V band squelch low threshold              0-127
//   3F13             1         second V band squelch low threshold (no field;
//                              the tuning dialog writes back what it loaded)
//   3F14             1         U band squelch low threshold              0-127
//   3F15-3F1E       10         fixed derived table (calibration.h)
//   3F1F                       -
//   3F20             1   0-3   V band transmit power drive               0-15
//                        4-7   U band transmit power drive               0-15
//   3F21             1         transmit audio signal                     0-63
//   3F22             1         transmit gain                             0-15
//   3F23-3F24        2         narrow voice + sub-audio deviation, LE word = value x 64, 0-1023
//   3F25-3F26        2         wide voice + sub-audio deviation, the same
//   3F27-3F2A      4x1         sub-audio deviation: narrow analog, narrow digital,
//                              wide analog, wide digital                 0-63 each
//   3F2B             1         receive input                             0-31
//   3F2C             1   0-3   volume control                            0-15
//                        4-7   receive output                            0-15
//   3F2D             1         normal audio output                       0-255
//   3F2E             1         scrambler audio output                    0-255
//   3F2F             1   0-6   pre-emphasis, de-emphasis, RDA1846S HPF, LPF, RSSI,
//                              MCU HPF, MCU LPF (1 = on)
//                        7     test mode (0 = on)
//   3F30             1         signalling amplitude                      0-255
//   3F31             1         MIC gain                                  0-31
//   3F32-3F33        2         MOD gain, LE word                         0-1023
//   3F34             1         audio input                               0-31
//   3F35-3F36        2         compander compression threshold, LE word  0-FFFF
//   3F37-3F38        2         compander expansion threshold, LE word    0-FFFF
//   3F39+6b          3         low transmit power: low end, middle, high 1-255 each
//   3F3C+6b          3         high transmit power: low end, middle, high 1-255 each
//   3F4B-3F6E       36         power slopes (derived, calibration.h)
//   3F6F             1   0     MCU pre-emphasis (1 = on)
//                        1     MCU de-emphasis (1 = on)
//                        2-7   compander audio output                    0-63
//
// DTMF decoder table, 0x3E00-0x3E2F: eleven 4-byte entries, each a fixed
// register word and a value, both big-endian (high byte first):
//
//   entry  register  value        entry  register  value
//   3E00   01 C4     3E02-3E03    3E18   01 B4     3E1A-3E1B
//   3E04   00 D5     3E06-3E07    3E1C   01 CB     3E1E-3E1F
//   3E08   03 AB     3E0A-3E0B    3E20   01 BB     3E22-3E23
//   3E0C   03 AC     3E0E-3E0F    3E24   01 BC     3E26-3E27
//   3E10   01 B2     3E12-3E13    3E28   01 C3     3E2A-3E2B
//   3E14   01 B3     3E16-3E17    3E2C-3E2F        -
#pragma once

#include <array>
#include <cstdint>

#include "core/codec/byte_fields.h"
#include "core/image/radio_image.h"

namespace kestra::calibration {

inline constexpr int kBandCount = 3;

// The first byte of a three-byte row (low end, middle, high end) or of a
// four-byte detection row, by calibration band.
constexpr int SquelchSql1Row(int band) {
    return 0x3F00 + 6 * band;
}
constexpr int SquelchSql9Row(int band) {
    return 0x3F03 + 6 * band;
}
constexpr int LowPowerRow(int band) {
    return region::kPowerRows + 6 * band;
}
constexpr int HighPowerRow(int band) {
    return region::kPowerRows + 3 + 6 * band;
}
constexpr int DetectionRow(int band, int level) {
    return region::kCalibration + 12 * band + 4 * level;
}

inline constexpr int kVSquelchLow = 0x3F12;
inline constexpr int kVSquelchLow2 = 0x3F13;
inline constexpr int kUSquelchLow = 0x3F14;
inline constexpr BitField kVPowerDrive{0x3F20, 0, 4};
inline constexpr BitField kUPowerDrive{0x3F20, 4, 4};
inline constexpr int kTxAudio = 0x3F21;
inline constexpr int kTxGain = 0x3F22;
inline constexpr int kNarrowDeviation = 0x3F23; // LE word, value x 64
inline constexpr int kWideDeviation = 0x3F25;   // LE word, value x 64
inline constexpr int kNarrowAnalogSubAudio = 0x3F27;
inline constexpr int kNarrowDigitalSubAudio = 0x3F28;
inline constexpr int kWideAnalogSubAudio = 0x3F29;
inline constexpr int kWideDigitalSubAudio = 0x3F2A;
inline constexpr int kRxInput = 0x3F2B;
inline constexpr BitField kVolume{0x3F2C, 0, 4};
inline constexpr BitField kRxOutput{0x3F2C, 4, 4};
inline constexpr int kNormalAudioOut = 0x3F2D;
inline constexpr int kScramblerAudioOut = 0x3F2E;
inline constexpr int kSwitches = 0x3F2F; // bits 0-7, see the table
inline constexpr int kSignallingAmplitude = 0x3F30;
inline constexpr int kMicGain = 0x3F31;
inline constexpr int kModGain = 0x3F32;              // LE word
inline constexpr int kCompressionThreshold = 0x3F35; // LE word
inline constexpr int kExpansionThreshold = 0x3F37;   // LE word
inline constexpr int kAudioInput = 0x3F34;
inline constexpr int kMcuSwitches = 0x3F6F;
inline constexpr BitField kCompanderAudioOut{kMcuSwitches, 2, 6};

} // namespace kestra::calibration

namespace kestra::decoder_table {

inline constexpr int kEntryCount = 11;
inline constexpr int kEntrySize = 4;

// Image offset of entry i's register word; its value follows at + 2.
constexpr int EntryOffset(int i) {
    return region::kDecoderTable + kEntrySize * i;
}

// The fixed register words, in entry order.
inline constexpr std::array<std::uint16_t, kEntryCount> kRegisterWords = {
    0x01C4, 0x00D5, 0x03AB, 0x03AC, 0x01B2, 0x01B3, 0x01B4, 0x01CB, 0x01BB, 0x01BC, 0x01C3};

} // namespace kestra::decoder_table
