#include "core/image/radio_image.h"

namespace kestra {

int RadioImage::Bits(int offset, int shift, int width) const {
    const int mask = (1 << width) - 1;
    return (bytes_[static_cast<std::size_t>(offset)] >> shift) & mask;
}

void RadioImage::SetBits(int offset, int shift, int width, int value) {
    const int mask = ((1 << width) - 1) << shift;
    std::uint8_t& b = bytes_[static_cast<std::size_t>(offset)];
    b = static_cast<std::uint8_t>((b & ~mask) | ((value << shift) & mask));
}

std::uint32_t RadioImage::Frequency(int offset) const {
    return DecodeFrequency(bytes_.data() + offset);
}

void RadioImage::SetFrequency(int offset, std::uint32_t value) {
    EncodeFrequency(value, bytes_.data() + offset);
}

int BandOfRecord(int n) {
    if (n >= 1 && n <= 128)
        return 0;
    if (n >= 129 && n <= 256)
        return 1;
    if (n == kRecordAVfo)
        return 0;
    if (n == kRecordBVfo)
        return 1;
    return -1;
}

void ChannelRecord::setTxNone() {
    for (int i = 0; i < 4; ++i)
        setByte(kTx + i, 0xFF);
}

void ChannelRecord::Clear() {
    for (int i = 0; i < kRecordSize; ++i)
        setByte(i, 0xFF);
    setByte(kFlags0, 0x00);
    setByte(kFlags1, 0x38);
    setShiftAmount(1000000);
    setShiftDirection(0);
    setByte(0x14, 0);
    setByte(0x15, 0);
}

void ClearRecord(RadioImage& image, int n) {
    ChannelRecord(image, n).Clear();
}

int BandLimits::BandOf(std::int64_t f) const {
    for (int b = 0; b < 2; ++b)
        if (low[b] <= f && f <= high[b])
            return b;
    return -1;
}

int BandLimits::FirstConfiguredBand() const {
    for (int b = 0; b < 2; ++b) {
        const auto lo = static_cast<std::uint32_t>(low[b]);
        const auto hi = static_cast<std::uint32_t>(high[b]);
        if (lo != 0 && lo != 0xFFFFFFFFu && hi != 0 && hi != 0xFFFFFFFFu)
            return b;
    }
    return -1;
}

void LoadBandLimitsFromImage(const RadioImage& image, BandLimits& limits) {
    for (int b = 0; b < 2; ++b) {
        const int base = region::kBandLimits + 8 * b;
        if (image[static_cast<std::size_t>(base + 3)] != 0xFF) {
            limits.low[b] = static_cast<std::int32_t>(image.Frequency(base));
            limits.high[b] = static_cast<std::int32_t>(image.Frequency(base + 4));
        }
    }
}

void StoreBandLimitsToImage(const BandLimits& limits, RadioImage& image) {
    for (int b = 0; b < 2; ++b) {
        const int base = region::kBandLimits + 8 * b;
        image.SetFrequency(base, static_cast<std::uint32_t>(limits.low[b]));
        image.SetFrequency(base + 4, static_cast<std::uint32_t>(limits.high[b]));
    }
}

} // namespace kestra
