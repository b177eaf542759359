// SPDX-License-Identifier: GPL-3.0-or-later
// Typed helpers for the fields inside a byte buffer: a bit field of one byte,
// packed BCD numbers, little- and big-endian words. Every field of the image
// is read and written through these, with explicit offsets; nothing is read
// through a C bit-field struct or a pointer cast.
//
//   BitField {offset, shift, width}: bits [shift, shift + width) of byte
//   `offset`, bit 0 the least significant. A whole byte is {offset, 0, 8}.
//
//   BCD, least significant pair first (n = 4 shown, 14512500):
//     byte 0  byte 1  byte 2  byte 3
//      00      25      51      14
//
//   little-endian (n = 4, 0x12345678): 78 56 34 12
//   big-endian    (n = 2, 0x1234):     12 34
#pragma once

#include <cstdint>

namespace kestra {

struct BitField {
    int offset = 0;
    int shift = 0;
    int width = 8;

    constexpr int Mask() const { return ((1 << width) - 1) << shift; }
    // The byte that holds value in this field and 0 in every other bit.
    constexpr std::uint8_t Pack(int value) const {
        return static_cast<std::uint8_t>((value << shift) & Mask());
    }
    // The field's value in a byte.
    constexpr int From(std::uint8_t byte) const { return (byte & Mask()) >> shift; }
    // Read-modify-write: the field takes value, the other bits stay.
    constexpr std::uint8_t Into(std::uint8_t byte, int value) const {
        return static_cast<std::uint8_t>((byte & ~Mask()) | Pack(value));
    }
};

// A whole byte as a field.
constexpr BitField WholeByte(int offset) {
    return BitField{offset, 0, 8};
}

// One BCD byte: 42 <-> 0x42. FromBcd does not validate (0xFF gives 165).
std::uint8_t ToBcd(int value);
int FromBcd(std::uint8_t byte);

// n BCD bytes (1..4), least significant pair first. WriteBcd stores a value
// that has more digits than the field holds as the largest value it can hold
// (all nines), never with its leading digits cut off.
std::uint32_t ReadBcd(const std::uint8_t* bytes, int n);
void WriteBcd(std::uint8_t* bytes, int n, std::uint32_t value);

// n-byte unsigned words (1..4).
std::uint32_t ReadLe(const std::uint8_t* bytes, int n);
void WriteLe(std::uint8_t* bytes, int n, std::uint32_t value);
std::uint32_t ReadBe(const std::uint8_t* bytes, int n);
void WriteBe(std::uint8_t* bytes, int n, std::uint32_t value);

} // namespace kestra
