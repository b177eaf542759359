// SPDX-License-Identifier: GPL-3.0-or-later
// Small text helpers shared by every layer: formatting, reading numbers the
// way the C library reads them (but never by the process locale), prefix
// and letter-case comparisons. Letter case is ASCII only; other bytes
// (UTF-8 included) compare as they are.
#pragma once

#include "core/codec/decimal.h"

#include <string>
#include <string_view>

namespace kestra {

// printf-style formatting into a std::string, for integers and texts only:
// a floating conversion (%f, %e, %g) would follow the process locale, so
// decimals go through FormatDecimal / FormatGeneral instead (scripts/check-texts
// refuses them here).
std::string Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The integer at the start of s as "%d" reads it: blanks skipped, optional
// sign, at least one digit; values beyond int are clamped. end (when given)
// receives the first character after the digits. False when there is no
// number.
bool ScanInt(const char* s, int& out, const char** end = nullptr);
// The whole text is one integer (blanks allowed in front only).
bool ScanWholeInt(const std::string& text, int& out);
// atoi: the integer at the start, 0 when there is none.
int LeadingInt(const std::string& text);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
// a-z become A-Z; every other byte or character stays.
constexpr char32_t UpperAscii(char32_t c) {
    return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
}
std::string ToUpperAscii(std::string text);

// The C library's white space (space, \t, \n, \v, \f, \r), whatever the
// locale.
constexpr bool IsSpaceAscii(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
// text without the spaces and tabs around it (the blanks of a field, a cell
// or a settings line; a line break is never part of one).
std::string_view TrimBlanks(std::string_view text);

// text with every control byte (below 0x20, and 0x7F) written out so that a
// message shows it and a terminal does not act on it: NUL as \0, CR, LF and
// TAB as \r, \n, \t, every other one as \xHH (upper-case hex). Other bytes,
// the backslash and UTF-8 included, stay as they are.
std::string EscapeControl(std::string_view text);

// A field of a delimited text (CSV, the grid's TSV): as it is, or in double
// quotes with each quote doubled when it holds the separator, a quote or a
// line end.
std::string QuotedField(std::string_view text, char separator);

// The columns a terminal gives text: two for a wide character (CJK
// ideographs, kana, hangul, full-width forms), one for every other one.
std::size_t TextColumns(std::string_view text);

// A paragraph of a program's help as lines of at most 79 columns, the first
// after indent, the others after more, each ending in a line break. It breaks
// at blanks outside brackets ("[--profile FILE]" stays whole) and, in
// Chinese, between two characters (never before a closing mark such as "，"
// or "）", nor after an opening one such as "（"). A text with line ends of
// its own (a table) stays as it is, after indent.
std::string WrapText(std::string_view text, const std::string& indent, const std::string& more);

} // namespace kestra
