// SPDX-License-Identifier: GPL-3.0-or-later
// Derived calibration bytes: computed from other image bytes and the band
// limits, never edited by anyone.
//
//   0x3F15-0x3F1E        fixed table, 10 bytes (always 42 3B 35 2F 28 22 1C 15 0F 08)
//   0x3F39 + 3r (r 0-5)  power row r: low end, middle, high end (read only here);
//                        rows 2b and 2b+1 are the low and high power of band b
//   0x3F4B + 6r          slopes of power row r: low-to-middle (3 bytes LE),
//                        middle-to-high (3 bytes LE); bit 7 of the third byte
//                        is set when the power falls along that stretch
//   0x3F70 + 20b (b 0-2) band points of calibration band b: five 32-bit LE
//                        integers: lowest, highest, middle, 1/3, 2/3 point
#pragma once

#include <cstdint>

#include "core/image/radio_image.h"

namespace kestra {

// The three fixed calibration bands are 136-174, 200-260 and 400-520 MHz.
// 0, 1 or 2 for the first calibration band containing f, else -1.
int CalibrationBandOf(std::int64_t f);

// Writes the fixed table at 0x3F15-0x3F1E.
void WriteFixedTable(RadioImage& image);

// Writes the band frequency points and the twelve slopes from the band limits
// and the six power rows.
void RecomputeBandPointsAndSlopes(RadioImage& image, const BandLimits& limits);

} // namespace kestra
