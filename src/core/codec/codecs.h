// SPDX-License-Identifier: GPL-3.0-or-later
// Value codecs: the one place where values change form between the stored
// encodings of the radio image (packed BCD, two-byte tone codes, DTMF digit
// codes) and the text the user sees and types.
//
// Frequencies are integers in units of 10 Hz (145.12500 MHz is 14512500),
// stored as eight packed BCD digits, least significant byte first:
//
//   byte 0  byte 1  byte 2  byte 3
//    00      25      51      14      = 14512500 = 145.12500 MHz
//
// Tones are two bytes, low byte first:
//
//   kind            low byte          high byte                text
//   none            FF                FF                       "无"
//   CTCSS           BCD(t mod 100)    BCD((t div 100) mod 100) "88.5" (t = 885)
//   DCS normal      BCD(c mod 100)    0x80 + c div 100         "D023N"
//   DCS inverted    BCD(c mod 100)    0xC0 + c div 100         "D754I"
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/codec/byte_fields.h"
#include "core/codec/text.h"
#include "core/codec/text_seam.h"

namespace kestra {

// Text shown for "no tone".
inline constexpr const char* kNoToneText = KESTRA_TEXT("kestra", "无");

// Frequency that the four bytes FF FF FF FF decode to (above any band limit).
inline constexpr std::uint32_t kUnsetFrequency = 166666665;

// Four BCD bytes, least significant first. A value beyond eight digits is
// stored as 99999999 (999.99999 MHz), not with its leading digits lost.
std::uint32_t DecodeFrequency(const std::uint8_t* bytes);
void EncodeFrequency(std::uint32_t value, std::uint8_t* bytes);

// Exact decimal product: both factors are rounded to 15 significant digits,
// multiplied exactly and converted back to the nearest double.
double ExactMul(double a, double b);

// The decimal number at the start of the text, read as the C library's strtod
// reads it (0 when there is none), scaled to 10 Hz units and truncated; held
// within 0..99999999, the range eight BCD digits can store.
std::uint32_t TextToFrequency(const std::string& text);
// "%3.5f" of the value in MHz.
std::string FrequencyToText(std::uint32_t value);

struct ToneCode {
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    bool operator==(const ToneCode& o) const { return low == o.low && high == o.high; }
    bool operator!=(const ToneCode& o) const { return !(*this == o); }
};
inline constexpr ToneCode kNoTone{0xFF, 0xFF};

ToneCode ToneTextToValue(const std::string& text);
std::string ToneValueToText(ToneCode code);
// Turns what the user typed into a canonical tone text or "无"; empty stays empty.
// A comma is the decimal point (88,5 is 88.5 Hz).
std::string NormalizeToneText(const std::string& text);

// Rounds a frequency down onto the 5 kHz or the 6.25 kHz raster, whichever is
// nearer below it (a tie goes to 5 kHz).
std::uint32_t SnapToStep(std::uint32_t frequency);
// True when the frequency lies on neither the 2.5 kHz nor the 6.25 kHz raster,
// the condition under which editors apply SnapToStep.
bool IsOffRaster(std::uint32_t frequency);

// Compact label of record n: "A001".."A128", "B001".."B128", "A VFO", "B VFO";
// empty for any other n.
std::string ChannelLabel(int n);
// Row label of the channel grid: "A 001".."B 128", "A VFO", "B VFO".
std::string GridRowLabel(int n);
// Record number 0..258 of a label (0 = no match); the number is not range-checked.
int ParseChannelLabel(const std::string& text);
// Record number 1..258 of a label as a person gives it: the band's letter and
// the channel's number in that band ("A5", "A005", "B128"), or "A VFO" in any
// letter case; 0 for anything else ("A129", "B000", "a001", "145").
int ChannelOfGivenLabel(const std::string& text);
// The labels of records, ", "-separated; after `most` of them "…".
std::string ChannelLabelList(const std::vector<int>& records,
                             std::size_t most = std::numeric_limits<std::size_t>::max());

// DTMF character codes: '0'..'9' -> 0..9, 'A'..'D' -> 10..13, '*' and 'E' -> 14,
// '#' and 'F' -> 15, anything else 0xFF (also the end marker).
std::uint8_t DtmfCharToCode(char c);
// The character of a DTMF code: 0..9 '0'..'9', 10..13 'A'..'D', 14 '*',
// 15 '#'; '\0' (no character) above 15.
char DtmfCodeToChar(std::uint8_t code);

// A DTMF string field of n bytes: one code per character, FF-padded. Reading
// stops at the first byte above 0x0F or after n bytes; writing clears all n
// bytes to FF, then writes the codes of the first n characters.
std::string ReadDtmfString(const std::uint8_t* bytes, int n);
void WriteDtmfString(std::uint8_t* bytes, int n, const std::string& text);

// The 50 CTCSS tones in tenths of a hertz, in the radio's order.
const std::array<int, 50>& CtcssTones();
// The 107 DCS codes as decimal numbers (023 is 23), in the radio's order.
const std::array<int, 107>& DcsCodes();
// "67.0" .. "254.1".
const std::vector<std::string>& CtcssTextList();
// "D017N" .. "D754N", "D017I" .. "D754I": 214 texts.
const std::vector<std::string>& DcsTextList();
// CTCSS texts followed by DCS texts: 264 texts (no "无").
const std::vector<std::string>& CombinedToneList();
// The signalling list the editors offer: "无" (no tone) followed by the 264
// texts of the combined tone list, index 0..264.
const std::vector<std::string>& SignallingList();

} // namespace kestra
