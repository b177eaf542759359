// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/calibration.h"

#include <cmath>
#include <cstdlib>

#include "core/codec/codecs.h"

namespace kestra {

namespace {

struct CalibrationBand {
    std::int32_t low;
    std::int32_t high;
    std::int32_t defaultLow; // used when no radio band lies inside
    std::int32_t defaultHigh;
};

const CalibrationBand kBands[3] = {
    {13600000, 17400000, 13600000, 17400000},
    {20000000, 26000000, 20000000, 26000000},
    {40000000, 52000000, 40000000, 48000000},
};

// Rounded to the nearest whole MHz.
std::int64_t RoundMHz(std::int64_t x) {
    return (x + 50000) / 100000 * 100000;
}

void PutLe32(RadioImage& image, int offset, std::int64_t v) {
    image.SetLe(offset, 4, static_cast<std::uint32_t>(v));
}

// Three bytes little-endian; bit 7 of the third byte is set when the power
// falls along the stretch.
void PutSlope(RadioImage& image, int offset, std::int64_t value, bool falling) {
    image.SetLe(offset, 3, static_cast<std::uint32_t>(value));
    if (falling)
        image.Set(BitField{offset + 2, 7, 1}, 1);
}

} // namespace

int CalibrationBandOf(std::int64_t f) {
    for (int b = 0; b < 3; ++b)
        if (kBands[b].low <= f && f <= kBands[b].high)
            return b;
    return -1;
}

void WriteFixedTable(RadioImage& image) {
    const double step = ExactMul(std::fabs(1.3 - 0.3), 0.125);
    double values[10];
    for (int i = 0; i < 8; ++i)
        values[i] = 1.3 - i * step;
    values[8] = 0.3;
    values[9] = 0.175;
    for (int i = 0; i < 10; ++i)
        image.SetByte(region::kFixedTable + i,
                      static_cast<std::uint8_t>(static_cast<int>(values[i] * 51.0)));
}

void RecomputeBandPointsAndSlopes(RadioImage& image, const BandLimits& limits) {
    std::int64_t halfSpan[3];
    for (int b = 0; b < 3; ++b) {
        const CalibrationBand& cb = kBands[b];
        bool found = false;
        std::int64_t lo = 0, hi = 0;
        for (int r = 0; r < 2; ++r) {
            if (limits.low[r] >= cb.low && limits.high[r] <= cb.high) {
                if (!found || limits.low[r] < lo)
                    lo = limits.low[r];
                if (!found || limits.high[r] > hi)
                    hi = limits.high[r];
                found = true;
            }
        }
        if (!found) {
            lo = cb.defaultLow;
            hi = cb.defaultHigh;
        }
        halfSpan[b] = RoundMHz((hi - lo) / 2);
        const int base = region::kBandPoints + 20 * b;
        PutLe32(image, base, lo);
        PutLe32(image, base + 4, hi);
        PutLe32(image, base + 8, RoundMHz((lo + hi) / 2));
        PutLe32(image, base + 12, RoundMHz(lo + (hi - lo) / 3));
        PutLe32(image, base + 16, RoundMHz(hi - (hi - lo) / 3));
    }

    for (int r = 0; r < 6; ++r) {
        const int row = region::kPowerRows + 3 * r;
        const int a = image.Byte(row);
        const int m = image.Byte(row + 1);
        const int h = image.Byte(row + 2);
        const std::int64_t span = halfSpan[r / 2];
        const int out = region::kSlopes + 6 * r;
        PutSlope(image, out, a == m ? 0 : span / std::abs(a - m), a > m);
        PutSlope(image, out + 3, m == h ? 0 : span / std::abs(h - m), h < m);
    }
}

} // namespace kestra
