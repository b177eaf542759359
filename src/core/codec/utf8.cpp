// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/utf8.h"

#include "core/codec/text_seam.h"

namespace kestra {

Utf8Reader::Step Utf8Reader::Take(unsigned char b) {
    if (need_ > 0) {
        if (b < lo_ || b > hi_) {
            need_ = 0;
            lo_ = 0x80;
            hi_ = 0xBF;
            return Step::Invalid;
        }
        lo_ = 0x80;
        hi_ = 0xBF;
        c_ = (c_ << 6) | (b & 0x3F);
        return --need_ == 0 ? Step::Done : Step::More;
    }
    if (b < 0x80) {
        c_ = b;
        return Step::Done;
    }
    // The bounds of the second byte rule out overlong forms, surrogates and
    // values beyond U+10FFFF.
    if (b >= 0xC2 && b <= 0xDF) {
        need_ = 1;
        c_ = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need_ = 2;
        c_ = b & 0x0F;
        if (b == 0xE0)
            lo_ = 0xA0;
        else if (b == 0xED)
            hi_ = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        need_ = 3;
        c_ = b & 0x07;
        if (b == 0xF0)
            lo_ = 0x90;
        else if (b == 0xF4)
            hi_ = 0x8F;
    } else {
        return Step::Invalid;
    }
    return Step::More;
}

std::pair<char32_t, std::size_t> NextUtf8(std::string_view text, std::size_t i) {
    Utf8Reader reader;
    for (std::size_t k = i; k < text.size(); ++k) {
        switch (reader.Take(static_cast<unsigned char>(text[k]))) {
        case Utf8Reader::Step::Done:
            return {reader.character(), k - i + 1};
        case Utf8Reader::Step::Invalid:
            return {0, 0};
        case Utf8Reader::Step::More:
            break;
        }
    }
    return {0, 0};
}

bool IsUtf8(std::string_view text) {
    Utf8Reader reader;
    for (const char c : text)
        if (reader.Take(static_cast<unsigned char>(c)) == Utf8Reader::Step::Invalid)
            return false;
    return !reader.midCharacter();
}

namespace {

// Bytes of the character at i, an invalid byte counting as one.
std::size_t CharacterBytes(std::string_view text, std::size_t i) {
    const std::size_t n = NextUtf8(text, i).second;
    return n == 0 ? 1 : n;
}

} // namespace

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += CharacterBytes(text, i))
        ++count;
    return count;
}

std::string Utf8Left(std::string_view text, std::size_t limit) {
    std::size_t i = 0;
    for (std::size_t count = 0; i < text.size() && count < limit; ++count)
        i += CharacterBytes(text, i);
    return std::string(text.substr(0, i));
}

bool StartsLikeUtf16(std::string_view text) {
    return !text.empty() && (text[0] == '\xFF' || text[0] == '\xFE');
}

std::string Utf16Refusal() {
    return TranslateText(KESTRA_TEXT(
        "kestra", "不是 UTF-8 文本：文件以 UTF-16 的字节顺序标记开头，请将其另存为 UTF-8"));
}

} // namespace kestra
