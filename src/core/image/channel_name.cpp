// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/channel_name.h"

#include <cstdint>

namespace kestra {

namespace {

bool Printable(std::uint8_t b) {
    return b >= 0x20 && b <= 0x7E;
}

} // namespace

void WriteChannelName(ChannelRecord& record, std::string_view name) {
    // Every byte of a UTF-8 character beyond ASCII is 0x80 or above, so a
    // byte filter keeps exactly the printable ASCII characters.
    int i = 0;
    for (const char c : name)
        if (i < ChannelRecord::kNameLength && Printable(static_cast<std::uint8_t>(c)))
            record.SetByte(ChannelRecord::kName + i++, static_cast<std::uint8_t>(c));
    for (; i < ChannelRecord::kNameLength; ++i)
        record.SetByte(ChannelRecord::kName + i, 0xFF);
}

std::string ReadChannelName(const RadioImage& image, int n) {
    const ConstChannelRecord rec(image, n);
    std::string name;
    for (int i = 0; i < ChannelRecord::kNameLength; ++i) {
        const std::uint8_t b = rec.Byte(ChannelRecord::kName + i);
        if (!Printable(b))
            break;
        name.push_back(static_cast<char>(b));
    }
    return name;
}

} // namespace kestra
