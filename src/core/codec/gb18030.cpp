// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/gb18030.h"
#include "core/codec/utf8.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace kestra {

namespace {

#include "core/codec/gb18030_table.inc"

constexpr int kTrails = 190;                // per lead byte of a two-byte code
constexpr std::uint32_t kSupplementaryStart = 189000; // linear index of 90 30 81 30
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point at text[i] and its length in bytes; length 0 when the
// bytes there are not well-formed UTF-8.
int TrailIndex(unsigned char t) {
    if (t >= 0x40 && t <= 0x7E)
        return t - 0x40;
    if (t >= 0x80 && t <= 0xFE)
        return t - 0x41;
    return -1;
}

// Two-byte codes by code point, for encoding.
const std::vector<std::pair<std::uint16_t, std::uint16_t>>& TwoByteByCodePoint() {
    static const auto table = [] {
        std::vector<std::pair<std::uint16_t, std::uint16_t>> t;
        t.reserve(std::size(kGb2Byte));
        for (std::size_t i = 0; i < std::size(kGb2Byte); ++i)
            t.emplace_back(kGb2Byte[i], static_cast<std::uint16_t>(i));
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

void AppendFourByte(std::string& out, std::uint32_t linear) {
    const char b4 = static_cast<char>(0x30 + linear % 10);
    linear /= 10;
    const char b3 = static_cast<char>(0x81 + linear % 126);
    linear /= 126;
    const char b2 = static_cast<char>(0x30 + linear % 10);
    const char b1 = static_cast<char>(0x81 + linear / 10);
    out += b1;
    out += b2;
    out += b3;
    out += b4;
}

} // namespace

bool Gb18030ToUtf8(std::string_view bytes, std::string& utf8) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    bool valid = true;
    const auto at = [&](std::size_t k) {
        return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0;
    };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char b1 = at(i);
        if (b1 < 0x80) {
            out += static_cast<char>(b1);
            ++i;
            continue;
        }
        if (b1 >= 0x81 && b1 <= 0xFE) {
            const int trail = TrailIndex(at(i + 1));
            if (trail >= 0) {
                AppendUtf8(out, kGb2Byte[(b1 - 0x81) * kTrails + trail]);
                i += 2;
                continue;
            }
            const unsigned char b2 = at(i + 1), b3 = at(i + 2), b4 = at(i + 3);
            if (b2 >= 0x30 && b2 <= 0x39 && b3 >= 0x81 && b3 <= 0xFE && b4 >= 0x30 && b4 <= 0x39) {
                const std::uint32_t linear =
                    ((b1 - 0x81u) * 10 + (b2 - 0x30u)) * 1260 + (b3 - 0x81u) * 10 + (b4 - 0x30u);
                char32_t c = 0;
                if (linear < kGb4ByteBmpEnd) {
                    const auto* range = std::upper_bound(
                        std::begin(kGb4ByteRanges), std::end(kGb4ByteRanges), linear,
                        [](std::uint32_t v, const std::uint32_t(&r)[2]) { return v < r[0]; });
                    --range;
                    c = static_cast<char32_t>((*range)[1] + (linear - (*range)[0]));
                } else if (linear >= kSupplementaryStart &&
                           linear - kSupplementaryStart <= 0x10FFFF - 0x10000) {
                    c = static_cast<char32_t>(0x10000 + (linear - kSupplementaryStart));
                }
                if (c != 0) {
                    AppendUtf8(out, c);
                    i += 4;
                    continue;
                }
            }
        }
        AppendUtf8(out, kReplacement);
        valid = false;
        ++i;
    }
    utf8.swap(out);
    return valid;
}

bool Utf8ToGb18030(std::string_view text, std::string& bytes) {
    std::string out;
    out.reserve(text.size());
    const auto& twoByte = TwoByteByCodePoint();
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, n] = NextUtf8(text, i);
        if (n == 0)
            return false;
        i += n;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0x10000) {
            AppendFourByte(out, kSupplementaryStart + static_cast<std::uint32_t>(c - 0x10000));
        } else {
            const auto it = std::lower_bound(twoByte.begin(), twoByte.end(),
                                             std::make_pair(static_cast<std::uint16_t>(c),
                                                            std::uint16_t{0}));
            if (it != twoByte.end() && it->first == c) {
                out += static_cast<char>(0x81 + it->second / kTrails);
                const int trail = it->second % kTrails;
                out += static_cast<char>(trail < 0x3F ? 0x40 + trail : 0x41 + trail);
                continue;
            }
            // The four-byte runs ascend in code point as they do in index.
            const auto* range = std::upper_bound(
                std::begin(kGb4ByteRanges), std::end(kGb4ByteRanges), static_cast<std::uint32_t>(c),
                [](std::uint32_t v, const std::uint32_t(&r)[2]) { return v < r[1]; });
            --range;
            AppendFourByte(out, (*range)[0] + (static_cast<std::uint32_t>(c) - (*range)[1]));
        }
    }
    bytes.swap(out);
    return true;
}

} // namespace kestra
