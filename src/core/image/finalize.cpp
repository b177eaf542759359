#include "core/image/finalize.h"

#include "core/image/calibration.h"

namespace kestra {

namespace {

void ClearBit(RadioImage& image, int bitmap, int k) {
    image.SetBits(bitmap + (k - 1) / 8, (k - 1) % 8, 1, 0);
}

// Steps 7 and 8: bitmaps of one band; returns the first present channel (1-128)
// or 0 when none is present.
int SummariseBand(RadioImage& image, const BandLimits& limits, int firstRecord, int presence,
                  int scan) {
    int first = 0;
    for (int k = 1; k <= kBandChannels; ++k) {
        const int n = firstRecord + k - 1;
        ChannelRecord rec(image, n);
        if (!limits.InBand(rec.rx())) {
            ClearBit(image, presence, k);
            ClearBit(image, scan, k);
            continue;
        }
        if (first == 0)
            first = k;
        if (!rec.scan())
            ClearBit(image, scan, k);
    }
    return first;
}

// Steps 11 and 12. The index byte is used as it stands: an index above 127
// reads the slot beyond the band's channels, as the radio does.
void RepairIndex(RadioImage& image, const BandLimits& limits, int indexOffset, int firstRecord,
                 int firstPresent) {
    const int index = image[static_cast<std::size_t>(indexOffset)];
    const int slot = RecordOffset(firstRecord + index);
    if (!limits.InBand(image.Frequency(slot)))
        image[static_cast<std::size_t>(indexOffset)] = static_cast<std::uint8_t>(firstPresent - 1);
}

} // namespace

void FinalizeImage(RadioImage& image, const BandLimits& limits) {
    WriteFixedTable(image);
    RecomputeBandPointsAndSlopes(image, limits);

    for (int i = 0; i < 16; ++i)
        image[static_cast<std::size_t>(region::kIdentBlock + i)] = 0xFF;
    const char* ident = "V1.0.1";
    for (int i = 0; i < 6; ++i)
        image[static_cast<std::size_t>(region::kIdentBlock + i)] =
            static_cast<std::uint8_t>(ident[i]);

    StoreBandLimitsToImage(limits, image);

    for (int i = 0; i < 8; ++i)
        image[static_cast<std::size_t>(region::kFixedBlock + i)] =
            kFixedBlockBytes[static_cast<std::size_t>(i)];

    image.SetBits(0x204D, 6, 2, 0);
    image.SetBits(0x204E, 4, 2, 0);
    image.SetBits(0x204C, 5, 2, 0);

    for (int i = region::kPresenceA; i < region::kSummariesEnd; ++i)
        image[static_cast<std::size_t>(i)] = 0xFF;

    const int firstA = SummariseBand(image, limits, 1, region::kPresenceA, region::kScanA);
    const int firstB = SummariseBand(image, limits, 129, region::kPresenceB, region::kScanB);
    image[region::kFirstChannelA] = firstA ? static_cast<std::uint8_t>(firstA) : 0xFF;
    image[region::kFirstChannelB] = firstB ? static_cast<std::uint8_t>(firstB) : 0xFF;

    for (int i = 0x2E28; i < 0x2E38; ++i)
        image[static_cast<std::size_t>(i)] = 0xFF;

    // With no present channel the index becomes (0xFF - 1) = 0xFE.
    RepairIndex(image, limits, region::kChannelIndexA, 1, firstA ? firstA : 0xFF);
    RepairIndex(image, limits, region::kChannelIndexB, 129, firstB ? firstB : 0xFF);
}

} // namespace kestra
