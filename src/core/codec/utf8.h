// SPDX-License-Identifier: GPL-3.0-or-later
// The one UTF-8 reader. Well-formed means what the Unicode standard says:
// shortest form only, no surrogates, nothing beyond U+10FFFF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace kestra {

// Reads UTF-8 a byte at a time, so that a stream cut anywhere is checked
// as it arrives.
class Utf8Reader {
public:
    enum class Step { Done, More, Invalid };
    // Done: a character ends with this byte (character() holds it);
    // More: it needs more bytes; Invalid: the byte cannot stand here (the
    // reader starts afresh with the next byte).
    Step Take(unsigned char byte);
    // True between the bytes of one character.
    bool midCharacter() const { return need_ > 0; }
    char32_t character() const { return c_; }

private:
    int need_ = 0;
    unsigned char lo_ = 0x80, hi_ = 0xBF;
    char32_t c_ = 0;
};

// The character at text[i] and its length in bytes; length 0 when the bytes
// there are not one well-formed character.
std::pair<char32_t, std::size_t> NextUtf8(std::string_view text, std::size_t i);
bool IsUtf8(std::string_view text);
// Characters, an invalid byte counting as one.
std::size_t Utf8Length(std::string_view text);
// The first `limit` characters (an invalid byte counting as one).
std::string Utf8Left(std::string_view text, std::size_t limit);

// Whether text starts as a UTF-16 text with its byte order mark does (FF FE
// or FE FF, bytes UTF-8 never has), and why a file that does is refused, in
// the run's language.
bool StartsLikeUtf16(std::string_view text);
std::string Utf16Refusal();

} // namespace kestra
