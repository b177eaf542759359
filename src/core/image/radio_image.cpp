// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/radio_image.h"

#include <algorithm>

namespace kestra {

void RadioImage::Fill(int from, int to, std::uint8_t value) {
    for (int i = from; i < to; ++i)
        SetByte(i, value);
}

void ChannelRecord::Clear() {
    image_.Fill(Base(), Base() + kRecordSize, 0xFF);
    SetByte(kFlags0, 0x00);
    SetByte(kFlags1, kScan.Pack(1) | kHighPower.Pack(1) | kWide.Pack(1));
    SetSimplex();
    SetByte(kReserved14, 0);
    SetByte(kReserved15, 0);
}

void ClearRecord(RadioImage& image, int n) {
    ChannelRecord(image, n).Clear();
}

int BandLimits::BandOf(std::int64_t f) const {
    for (int b = 0; b < kBandCount; ++b)
        if (low[b] <= f && f <= high[b])
            return b;
    return -1;
}

int BandLimits::FirstConfiguredBand() const {
    for (int b = 0; b < kBandCount; ++b) {
        const auto lo = static_cast<std::uint32_t>(low[b]);
        const auto hi = static_cast<std::uint32_t>(high[b]);
        if (lo != 0 && lo != 0xFFFFFFFFu && hi != 0 && hi != 0xFFFFFFFFu)
            return b;
    }
    return -1;
}

bool BandLimitsPresent(const RadioImage& image, int band) {
    return image.Byte(BandLimitsOffset(band) + 3) != 0xFF;
}

void LoadBandLimitsFromImage(const RadioImage& image, BandLimits& limits) {
    // Bytes that are no decimal digits (A0, FF) decode above eight digits;
    // the limit is taken as the 99999999 that storing it gives, so that a
    // second open and save of the image finds the limits the first one used.
    constexpr std::uint32_t kLargest = 99999999;
    for (int b = 0; b < kBandCount; ++b) {
        if (BandLimitsPresent(image, b)) {
            limits.low[b] =
                static_cast<std::int32_t>(std::min(image.Frequency(BandLimitsOffset(b)), kLargest));
            limits.high[b] = static_cast<std::int32_t>(
                std::min(image.Frequency(BandLimitsOffset(b) + 4), kLargest));
        }
    }
}

void StoreBandLimitsToImage(const BandLimits& limits, RadioImage& image) {
    for (int b = 0; b < kBandCount; ++b) {
        image.SetFrequency(BandLimitsOffset(b), static_cast<std::uint32_t>(limits.low[b]));
        image.SetFrequency(BandLimitsOffset(b) + 4, static_cast<std::uint32_t>(limits.high[b]));
    }
}

} // namespace kestra
