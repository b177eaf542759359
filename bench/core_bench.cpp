// Times RenderGrid + GridToImage (which ends with FinalizeImage) over a full
// image: every one of the 258 records holds a channel.
#include <chrono>
#include <cstdio>

#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "core/codec/codecs.h"
#include "core/image/finalize.h"

using namespace kestra;

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
    RadioImage image;
    ApplyBuiltInDefaults(image);
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRecord rec(image, n);
        const std::uint32_t rx = (BandOfRecord(n) == 0 ? 14400000u : 43000000u) + n * 1250u;
        rec.SetRx(rx);
        rec.SetTx(rx + (n % 3 == 0 ? 60000u : 0u));
        rec.SetRxTone(ToneTextToValue(CombinedToneList()[static_cast<std::size_t>(n) % 264]));
        rec.SetTxTone(n % 2 ? kNoTone : ToneTextToValue("D023N"));
    }
    BandLimits limits;
    ChannelGrid grid;
    // Warm up once.
    RenderGrid(grid, image, limits);
    GridToImage(grid, image, limits);

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        RenderGrid(grid, image, limits);
        GridToImage(grid, image, limits);
    }
    const auto stop = std::chrono::steady_clock::now();
    const double us = std::chrono::duration<double, std::micro>(stop - start).count() / rounds;

    const auto fstart = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        FinalizeImage(image, limits);
    const double fus =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - fstart)
            .count() /
        rounds;
    std::printf("RenderGrid + GridToImage + FinalizeImage, full image (258 channels): "
                "%.1f us per round trip over %d rounds\n",
                us, rounds);
    std::printf("FinalizeImage alone: %.1f us\n", fus);
    return 0;
}
