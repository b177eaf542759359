// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/finalize.h"

#include "core/image/calibration.h"
#include "core/image/settings_layout.h"

namespace kestra {

namespace {

// The identification block's text, followed by FF FF.
constexpr char kIdentText[] = "V1.0.1";

// Channel k (1-128) of a band bitmap: bit (k - 1) mod 8 of byte (k - 1) div 8.
BitField BitmapBit(int bitmap, int k) {
    return BitField{bitmap + (k - 1) / 8, (k - 1) % 8, 1};
}

// The bitmaps of one band; returns the first present channel (1-128) or 0
// when none is present.
int SummariseBand(RadioImage& image, const BandLimits& limits, int band, int presence, int scan) {
    int first = 0;
    for (int k = 1; k <= kBandChannels; ++k) {
        const ConstChannelRecord rec(image, FirstRecordOfBand(band) + k - 1);
        if (!limits.InBand(rec.Rx())) {
            image.Set(BitmapBit(presence, k), 0);
            image.Set(BitmapBit(scan, k), 0);
            continue;
        }
        if (first == 0)
            first = k;
        if (!rec.Scan())
            image.Set(BitmapBit(scan, k), 0);
    }
    return first;
}

// The index byte is used as it stands: an index above 127 reads the slot
// beyond the band's channels, as the radio does. With no present channel the
// index becomes 0xFF - 1 = 0xFE.
void RepairIndex(RadioImage& image, const BandLimits& limits, int band, int firstPresent) {
    const BitField index = settings::ChannelIndex(band);
    const int slot = RecordOffset(FirstRecordOfBand(band) + image.Get(index));
    if (!limits.InBand(image.Frequency(slot)))
        image.Set(index, (firstPresent ? firstPresent : 0xFF) - 1);
}

} // namespace

void WriteFixedBlock(RadioImage& image) {
    for (std::size_t i = 0; i < kFixedBlockBytes.size(); ++i)
        image.SetByte(region::kFixedBlock + static_cast<int>(i), kFixedBlockBytes[i]);
}

void FinalizeImage(RadioImage& image, const BandLimits& limits) {
    WriteFixedTable(image);
    RecomputeBandPointsAndSlopes(image, limits);

    image.Fill(region::kIdentBlock, region::kIdentBlockEnd, 0xFF);
    for (int i = 0; kIdentText[i]; ++i)
        image.SetByte(region::kIdentBlock + i, static_cast<std::uint8_t>(kIdentText[i]));

    StoreBandLimitsToImage(limits, image);

    WriteFixedBlock(image);

    for (const BitField& bits : settings::kClearedByFinalisation)
        image.Set(bits, 0);

    image.Fill(region::kPresenceA, region::kBitmapsEnd, 0xFF);
    const int firstA = SummariseBand(image, limits, 0, region::kPresenceA, region::kScanA);
    const int firstB = SummariseBand(image, limits, 1, region::kPresenceB, region::kScanB);
    image.SetByte(region::kFirstChannelA, firstA ? static_cast<std::uint8_t>(firstA) : 0xFF);
    image.SetByte(region::kFirstChannelB, firstB ? static_cast<std::uint8_t>(firstB) : 0xFF);

    image.Fill(region::kSummaryFill, region::kSummaryFillEnd, 0xFF);

    RepairIndex(image, limits, 0, firstA);
    RepairIndex(image, limits, 1, firstB);
}

} // namespace kestra
