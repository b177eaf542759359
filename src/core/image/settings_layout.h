// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes and bits of the settings blocks of the image: the general
// settings (0x2040-0x2071), the DTMF block (0x2080-0x217F) and the FM radio
// block (0x2F80-0x2FD7). Every field is named after what it means; bit 0 is
// the least significant bit. Fields are read and written through
// RadioImage::Get/Set (bit fields, by read-modify-write) and the BCD helpers.
//
// General settings (the options dialog edits them unless noted; "-" marks
// bytes and bits that no dialog edits, which travel unchanged):
//
//   byte  bits  field                              stored as
//   2040  0-7   transmit time-out                  index of off, 30, 60 .. 270 min
//   2041        -
//   2042  0-7   squelch level                      the number 0..9
//   2043  0-7   VOX level                          index of 1..9
//   2044  0-7   tuning step                        index of 2.5 5 6.25 10 12.5 25 50 100 kHz
//   2045        -
//   2046  0-7   backlight time                     seconds 1..10 minus 1
//   2047        -  (01 in a fresh radio)
//   2048  0-7   VOX delay                          index of 1..4 s
//   2049  0     end-of-transmission tone           0 off, 1 on
//         1     dual-standby transmit channel      0 currently edited, 1 currently active
//         2     key beep                           0 off, 1 on
//         3-4   DTMF side tone (DTMF encode page)  0 off, 1 keys, 2 ID, 3 keys + ID
//         5-6   scan mode                          0 time, 1 carrier, 2 search
//         7     identification switch              0 off, 1 on
//   204A  0     -
//         1     channel mode                       0 off, 1 on
//         2     automatic keypad lock              0 off, 1 on
//         3     squelch tail elimination           0 off, 1 on
//         4-5   backlight mode                     0 off, 1 on key press, 2 continuous
//         6-7   backlight colour                   index of 1, 2, 3
//   204B  0     VFO/MR                             0 MR, 1 VFO
//         1     dual watch                         0 off, 1 on
//         2     main channel                       0 A, 1 B
//         3-4   band A channel display             0 number, 1 frequency, 2 name
//         5-6   band B channel display             as band A
//         7     -
//   204C  0     voice prompt                       0 off, 1 on
//         1-3   -  (0b101 in a fresh radio)
//         4     keypad lock                        0 on, 1 off
//         5-6   - , forced to 0 by the finalisation
//         7     FM radio monitor                   0 off, 1 on
//   204D  0-1   key lock mode                      PTT, Key, K+S, All
//         2-3   power-on display                   0 off, 1 voltage, 2 message
//         4-5   battery save                       0 off, 1 on
//         6-7   - , forced to 0 by the finalisation
//   204E  0-3   -
//         4-5   tail tone mode (never shown)       frequency, 120, 180, 240; forced to 0
//         6     band B work area                   0 A, 1 B
//         7     band A work area                   0 A, 1 B
//   204F  0-7   band A channel index               0-based: record 1 + index
//   2050  0-7   band B channel index               0-based: record 129 + index
//   2060-2066   power-on greeting                  7 ASCII bytes, space-padded
//   2067-206F   -
//   2070  0-7   dual-standby reset time (not shown) index of off, 1..10
//   2071  0-7   dual-watch time (not shown)        hundredths of a second, 1..255
//
// DTMF block. A DTMF string holds one code per byte: "0"-"9" 00-09, "A"-"D"
// 0A-0D, "*" 0E, "#" 0F; FF ends the string and fills empty positions.
//
//   byte       bits  field                         stored as
//   2080       0-7   digit rate                    83 = 6, 63 = 8, 50 = 10, 34 = 15 digits/s
//   2081       0-7   first-digit delay             50 ms units
//   2082       0-7   first-digit time              50 ms units
//   2083       0-7   "*" and "#" tone time         50 ms units
//   2084-2087        -
//   2088-2097        PTT ID at transmit start      16 codes
//   2098-20A7        PTT ID at transmit end        16 codes
//   20A8       0-7   group call code               code of A, B, C, D, * or #
//   20B0-20B6        own ID                        7 digit codes
//   20C0-20CF        stun code                     up to 15 codes, then one 0F
//   20D0-20D7        alarm code                    8 codes
//   20D8       0-7   auto reset time               seconds, 3..60
//   20D9       0-1   decode response               0 none, 1 alert, 2 reply, 3 both
//              2     wait for reply (encode page)  0 off, 1 on
//              3-6   -  (0b1000 in a fresh radio)
//              7     stun activation               0 off, 1 on
//   20DA       0-7   decode time                   hundredths of a second, 10..250
//   20DB       0-7   reply wait time (encode page) seconds, 3..60
//   20DC       0-7   stun type                     0 off, 1 no transmit, 2 no transmit
//                                                  and receive, 3 remote kill
//   20DD       0-7   auto-dial separator           code of A, B, C, D, * or #
//   20E0-217F        auto-dial codes               10 entries of 16 codes
//
// FM radio block. A frequency is 6 BCD digits, least significant pair
// first, unit 1 kHz (87.500 MHz is 00 75 08); FF FF FF is none.
//
//   byte            field
//   2F80-2F82       current FM frequency
//   2F83            -
//   2F84            current FM channel, 1..20 (binary)
//   2F84 + 4i       FM channel i (i = 1..20) frequency, 3 bytes
//   2F87 + 4i       FF
#pragma once

#include "core/codec/byte_fields.h"

namespace kestra {

// General settings, 0x2040-0x2071.
namespace settings {
inline constexpr int kBegin = 0x2040;
inline constexpr int kEnd = 0x2072;

inline constexpr BitField kTransmitTimeout = WholeByte(0x2040);
inline constexpr BitField kSquelchLevel = WholeByte(0x2042);
inline constexpr BitField kVoxLevel = WholeByte(0x2043);
inline constexpr BitField kTuningStep = WholeByte(0x2044);
inline constexpr BitField kBacklightTime = WholeByte(0x2046); // seconds minus 1
inline constexpr BitField kVoxDelay = WholeByte(0x2048);
// A byte no dialog edits; a fresh radio holds 01.
inline constexpr BitField kUnnamed2047 = WholeByte(0x2047);

inline constexpr BitField kEndTone{0x2049, 0, 1};
inline constexpr BitField kDualStandbyTxChannel{0x2049, 1, 1}; // edited / active channel
inline constexpr BitField kKeyBeep{0x2049, 2, 1};
inline constexpr BitField kDtmfSideTone{0x2049, 3, 2}; // edited on the DTMF encode page
inline constexpr BitField kScanMode{0x2049, 5, 2};
inline constexpr BitField kIdentSwitch{0x2049, 7, 1};

inline constexpr BitField kChannelMode{0x204A, 1, 1};
inline constexpr BitField kAutoKeypadLock{0x204A, 2, 1};
inline constexpr BitField kSquelchTailElimination{0x204A, 3, 1};
inline constexpr BitField kBacklightMode{0x204A, 4, 2};
inline constexpr BitField kBacklightColour{0x204A, 6, 2};

inline constexpr BitField kVfoMr{0x204B, 0, 1};
inline constexpr BitField kDualWatch{0x204B, 1, 1};
inline constexpr BitField kMainChannel{0x204B, 2, 1};
inline constexpr BitField kChannelDisplayA{0x204B, 3, 2};
inline constexpr BitField kChannelDisplayB{0x204B, 5, 2};

inline constexpr BitField kVoicePrompt{0x204C, 0, 1};
// Bits 1-3 of 0x204C: no dialog edits them; a fresh radio holds 0b101.
inline constexpr BitField kUnnamed204C{0x204C, 1, 3};
inline constexpr BitField kKeypadLock{0x204C, 4, 1}; // 0 is on, 1 off
inline constexpr BitField kMustBeClear204C{0x204C, 5, 2};
inline constexpr BitField kFmRadioMonitor{0x204C, 7, 1};

inline constexpr BitField kKeyLockMode{0x204D, 0, 2};
inline constexpr BitField kPowerOnDisplay{0x204D, 2, 2};
inline constexpr BitField kBatterySave{0x204D, 4, 2};
inline constexpr BitField kMustBeClear204D{0x204D, 6, 2};

inline constexpr BitField kTailToneMode{0x204E, 4, 2}; // never shown; finalisation clears it
inline constexpr BitField kWorkAreaB{0x204E, 6, 1};
inline constexpr BitField kWorkAreaA{0x204E, 7, 1};

// The band channel indexes (0-based within the band), repaired by the
// finalisation when they point at an absent channel.
inline constexpr BitField kChannelIndexA = WholeByte(0x204F);
inline constexpr BitField kChannelIndexB = WholeByte(0x2050);
constexpr BitField ChannelIndex(int band) {
    return band == 0 ? kChannelIndexA : kChannelIndexB;
}

inline constexpr int kGreeting = 0x2060;
inline constexpr int kGreetingLength = 7;

inline constexpr BitField kDualStandbyResetTime = WholeByte(0x2070);
inline constexpr BitField kDualWatchTime = WholeByte(0x2071); // hundredths of a second

// Bits the finalisation forces to 0 before the image leaves the program.
inline constexpr BitField kClearedByFinalisation[] = {kMustBeClear204D, kTailToneMode,
                                                      kMustBeClear204C};
} // namespace settings

// DTMF encode, decode and code list settings, 0x2080-0x217F.
namespace dtmf {
inline constexpr int kBegin = 0x2080;
inline constexpr int kEnd = 0x2180;

inline constexpr BitField kDigitRate = WholeByte(0x2080);        // 83, 63, 50, 34
inline constexpr BitField kFirstDigitDelay = WholeByte(0x2081);  // 50 ms units
inline constexpr BitField kFirstDigitTime = WholeByte(0x2082);   // 50 ms units
inline constexpr BitField kStarHashToneTime = WholeByte(0x2083); // 50 ms units
inline constexpr int kPttIdStart = 0x2088;
inline constexpr int kPttIdEnd = 0x2098;
inline constexpr int kPttIdLength = 16;

inline constexpr BitField kGroupCallCode = WholeByte(0x20A8);
inline constexpr int kOwnId = 0x20B0;
inline constexpr int kOwnIdLength = 7;
inline constexpr int kStunCode = 0x20C0; // up to 15 codes, then 0x0F
inline constexpr int kStunCodeLength = 16;
inline constexpr int kAlarmCode = 0x20D0;
inline constexpr int kAlarmCodeLength = 8;
inline constexpr BitField kAutoResetTime = WholeByte(0x20D8); // seconds

inline constexpr BitField kDecodeResponse{0x20D9, 0, 2};
inline constexpr BitField kWaitForReply{0x20D9, 2, 1}; // edited on the encode page
// Bits 3-6 of 0x20D9: no dialog edits them; a fresh radio holds 0b1000.
inline constexpr BitField kUnnamed20D9{0x20D9, 3, 4};
inline constexpr BitField kStunActivation{0x20D9, 7, 1};

inline constexpr BitField kDecodeTime = WholeByte(0x20DA);    // hundredths of a second
inline constexpr BitField kReplyWaitTime = WholeByte(0x20DB); // seconds, encode page
inline constexpr BitField kStunType = WholeByte(0x20DC);
inline constexpr BitField kSeparator = WholeByte(0x20DD);

inline constexpr int kCodeList = 0x20E0;
inline constexpr int kCodeCount = 10;
inline constexpr int kCodeLength = 16;
// First byte of auto-dial code n (1..10).
constexpr int CodeEntry(int n) {
    return kCodeList + kCodeLength * (n - 1);
}
} // namespace dtmf

// FM broadcast radio, 0x2F80-0x2FD7.
namespace fm {
inline constexpr int kBegin = 0x2F80;
inline constexpr int kEnd = 0x2FD8;

inline constexpr int kFrequencyBytes = 3; // 6 BCD digits, unit 1 kHz
inline constexpr int kCurrentFrequency = 0x2F80;
inline constexpr BitField kCurrentChannel = WholeByte(0x2F84); // 1..20
inline constexpr int kChannelCount = 20;
inline constexpr int kChannelStride = 4;
// First byte of FM channel i (1..20); the byte after its frequency is FF.
constexpr int Channel(int i) {
    return kCurrentChannel.offset + kChannelStride * i;
}
inline constexpr int kChannelsBegin = Channel(1);               // 0x2F88
inline constexpr int kChannelsEnd = Channel(kChannelCount + 1); // 0x2FD8

// The frequencies the radio can receive, in kHz.
inline constexpr int kLowestKHz = 76000;
inline constexpr int kHighestKHz = 108000;
} // namespace fm

} // namespace kestra
