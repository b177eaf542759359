// SPDX-License-Identifier: GPL-3.0-or-later
// The finalisation step: recomputes every derived byte of the image before it
// leaves the program (write, initialise, save) and whenever the grid has been
// converted into the image. In this order:
//
//   0x3F15-0x3FAB  derived calibration bytes (core/image/calibration.h)
//   0x2E00-0x2E0F  "V1.0.1" FF FF, then 8 x FF
//   0x2E10-0x2E1F  band limits (BCD, A low, A high, B low, B high)
//   0x1F70-0x1F77  fixed block B0 01 04 0A 08 02 88 AA
//   0x204D bits 6-7, 0x204E bits 4-5, 0x204C bits 5-6  forced to 0
//   0x2E40 / 0x2E50  band A presence / scan bitmap, bit (k-1) mod 8 of byte (k-1) div 8
//   0x2E60 / 0x2E70  band B presence / scan bitmap
//   0x2E20 / 0x2E21  first present channel of band A / B (1-128), FF if none
//   0x2E28-0x2E37  FF
//   0x204F / 0x2050  band channel indexes, repaired when they point at an absent channel
//
// A channel is present when its receive frequency lies in a band.
#pragma once

#include "core/image/radio_image.h"

namespace kestra {

void FinalizeImage(RadioImage& image, const BandLimits& limits);

// The fixed block alone. It lies inside channel B124's record (its shift
// amount and the bytes after it).
void WriteFixedBlock(RadioImage& image);

} // namespace kestra
