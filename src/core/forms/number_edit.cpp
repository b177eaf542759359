// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/number_edit.h"

#include <climits>

#include "core/codec/text.h"

namespace kestra::forms {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// "%x": blanks, an optional sign, an optional 0x prefix, hex digits.
int ReadHex(const std::string& text) {
    const char* p = text.c_str();
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigit(p[2]) >= 0)
        p += 2;
    long long v = 0;
    for (; HexDigit(*p) >= 0; ++p)
        if (v <= INT_MAX)
            v = v * 16 + HexDigit(*p);
    if (v > INT_MAX)
        v = INT_MAX;
    return static_cast<int>(negative ? -v : v);
}

} // namespace

int NumberEdit::Read(const std::string& text) const {
    return hex ? ReadHex(text) : LeadingInt(text);
}

std::string NumberEdit::Show(int value) const {
    return Format(hex ? "%X" : "%d", value);
}

std::string NumberEdit::Stepped(const std::string& text, int delta) const {
    const long long v = static_cast<long long>(Read(text)) + delta;
    if (v < min || v > max)
        return Show(delta > 0 ? min : max);
    return Show(static_cast<int>(v));
}

} // namespace kestra::forms
