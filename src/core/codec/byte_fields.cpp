// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/byte_fields.h"

namespace kestra {

std::uint8_t ToBcd(int value) {
    return static_cast<std::uint8_t>((value % 10) + (value / 10) * 16);
}

int FromBcd(std::uint8_t byte) {
    return (byte >> 4) * 10 + (byte & 0x0F);
}

std::uint32_t ReadBcd(const std::uint8_t* bytes, int n) {
    std::uint32_t value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = value * 100 + static_cast<std::uint32_t>(FromBcd(bytes[i]));
    return value;
}

void WriteBcd(std::uint8_t* bytes, int n, std::uint32_t value) {
    std::uint64_t limit = 1;
    for (int i = 0; i < n; ++i)
        limit *= 100;
    if (value >= limit)
        value = static_cast<std::uint32_t>(limit - 1);
    for (int i = 0; i < n; ++i) {
        bytes[i] = ToBcd(static_cast<int>(value % 100));
        value /= 100;
    }
}

std::uint32_t ReadLe(const std::uint8_t* bytes, int n) {
    std::uint32_t value = 0;
    for (int i = n - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

void WriteLe(std::uint8_t* bytes, int n, std::uint32_t value) {
    for (int i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t ReadBe(const std::uint8_t* bytes, int n) {
    std::uint32_t value = 0;
    for (int i = 0; i < n; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

void WriteBe(std::uint8_t* bytes, int n, std::uint32_t value) {
    for (int i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * (n - 1 - i)));
}

} // namespace kestra
