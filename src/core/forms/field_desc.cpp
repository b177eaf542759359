// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/field_desc.h"

#include <cstring>

namespace kestra::forms {

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the character at text[i]; n receives its byte length (1 for an
// invalid byte, which decodes to kInvalid).
char32_t DecodeAt(const std::string& text, std::size_t i, std::size_t& n) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    n = 1;
    if (b0 < 0x80)
        return b0;
    int len = 0;
    char32_t c = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        c = b0 & 0x07;
    } else {
        return kInvalid;
    }
    if (i + static_cast<std::size_t>(len) > text.size())
        return kInvalid;
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return kInvalid;
        c = (c << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are invalid.
    static const char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kInvalid;
    n = static_cast<std::size_t>(len);
    return c;
}

} // namespace

char32_t KeyFilter::Transform(char32_t c) const {
    if (upperCase && c >= 'a' && c <= 'z')
        return c - 'a' + 'A';
    return c;
}

bool KeyFilter::Accepts(char32_t c) const {
    c = Transform(c);
    if (printableAscii && (c < 0x20 || c > 0x7E))
        return false;
    if (allowed != nullptr)
        return c < 0x80 && c != 0 && std::strchr(allowed, static_cast<int>(c)) != nullptr;
    return true;
}

std::string KeyFilter::Apply(const std::string& utf8) const {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 0;
        const char32_t c = DecodeAt(utf8, i, n);
        if (c == kInvalid) {
            // A byte that is no character is never typed.
            i += n;
            continue;
        }
        if (Accepts(c)) {
            const char32_t t = Transform(c);
            if (t != c)
                out.push_back(static_cast<char>(t));
            else
                out.append(utf8, i, n);
        }
        i += n;
    }
    return out;
}

std::size_t Utf8Length(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        std::size_t n = 0;
        DecodeAt(text, i, n);
        i += n;
    }
    return count;
}

std::string Utf8Left(const std::string& text, std::size_t limit) {
    std::size_t i = 0;
    for (std::size_t count = 0; i < text.size() && count < limit; ++count) {
        std::size_t n = 0;
        DecodeAt(text, i, n);
        i += n;
    }
    return text.substr(0, i);
}

bool Utf8Valid(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 0;
        if (DecodeAt(text, i, n) == kInvalid)
            return false;
        i += n;
    }
    return true;
}

} // namespace kestra::forms
