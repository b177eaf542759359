// SPDX-License-Identifier: GPL-3.0-or-later
// Times RenderGrid + GridToImage (which ends with FinalizeImage) over a full
// image: every one of the 258 records holds a channel.
#include <chrono>
#include <cstdio>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/grid/channel_grid.h"
#include "core/image/finalize.h"

#include "full_image.h"

using namespace kestra;

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
    RadioImage image = bench::FullBenchImage();
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
