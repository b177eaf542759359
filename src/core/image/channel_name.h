// SPDX-License-Identifier: GPL-3.0-or-later
// A channel's name: bytes 24..30 of its record, printable ASCII, unused bytes
// 0xFF. The radio shows nothing else, so nothing else is stored.
#pragma once

#include <string>
#include <string_view>

#include "core/image/radio_image.h"

namespace kestra {

// Stores the printable ASCII characters of name (UTF-8), at most 7, the rest
// 0xFF.
void WriteChannelName(ChannelRecord& record, std::string_view name);
// The name of record n: its bytes up to the first one that is not printable
// ASCII.
std::string ReadChannelName(const RadioImage& image, int n);

} // namespace kestra
