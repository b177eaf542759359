// SPDX-License-Identifier: GPL-3.0-or-later
// Channel record numbers: the image holds 258 records, numbered from 1.
//
//   n        label          band   offset
//   1-128    A001-A128      A (0)  (n - 1) x 32
//   129-256  B001-B128      B (1)  0x1000 + (n - 129) x 32
//   257      "A VFO"        A (0)  0x2000
//   258      "B VFO"        B (1)  0x2020
#pragma once

namespace kestra {

inline constexpr int kBandChannels = 128;                 // memory channels per band
inline constexpr int kMemoryChannels = 2 * kBandChannels; // records 1..256
inline constexpr int kRecordAVfo = kMemoryChannels + 1;   // 257
inline constexpr int kRecordBVfo = kMemoryChannels + 2;   // 258
inline constexpr int kChannelCount = kRecordBVfo;         // records 1..258
inline constexpr int kBandCount = 2;

// First record of band 0 (A) or 1 (B): 1 or 129.
constexpr int FirstRecordOfBand(int band) {
    return 1 + band * kBandChannels;
}
// The memory channels A001..B128 (records 1..256).
constexpr bool IsMemoryRecord(int n) {
    return n >= 1 && n <= kMemoryChannels;
}
// "A VFO" and "B VFO" (records 257 and 258).
constexpr bool IsVfoRecord(int n) {
    return n == kRecordAVfo || n == kRecordBVfo;
}
// Band of a record number: 0 (A), 1 (B) or -1.
constexpr int BandOfRecord(int n) {
    if (IsMemoryRecord(n))
        return (n - 1) / kBandChannels;
    if (IsVfoRecord(n))
        return n - kRecordAVfo;
    return -1;
}
// Number of a memory record within its band: 1..128.
constexpr int ChannelInBand(int n) {
    return (n - 1) % kBandChannels + 1;
}

} // namespace kestra
