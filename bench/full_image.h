// SPDX-License-Identifier: GPL-3.0-or-later
// The image the core benchmarks time: the built-in defaults with every one of
// the 258 records holding a channel (both bands, every tone, every third
// channel with a shift, names CH1..CH258).
#pragma once

#include <string>

#include "core/codec/codecs.h"
#include "core/document/default_image.h"
#include "core/image/channel_numbers.h"
#include "core/image/radio_image.h"

namespace kestra::bench {

inline RadioImage FullBenchImage() {
    RadioImage image;
    ApplyBuiltInDefaults(image);
    const auto& tones = SignallingList();
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRecord rec(image, n);
        const std::uint32_t rx = (BandOfRecord(n) == 0 ? 14400000u : 43000000u) + n * 1250u;
        rec.SetRx(rx);
        rec.SetTx(rx + (n % 3 == 0 ? 60000u : 0u));
        rec.SetRxTone(ToneTextToValue(tones[static_cast<std::size_t>(n) % tones.size()]));
        rec.SetTxTone(n % 2 ? kNoTone : ToneTextToValue("D023N"));
        const std::string name = "CH" + std::to_string(n);
        for (std::size_t i = 0; i < 7; ++i)
            rec.SetByte(ChannelRecord::kName + static_cast<int>(i),
                        i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0xFF);
    }
    return image;
}

} // namespace kestra::bench
