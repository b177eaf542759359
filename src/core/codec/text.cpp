// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/text.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace kestra {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}


char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string Format(const char* fmt, ...) {
    char buf[128];
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(copy);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof buf) {
        out.assign(buf, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(&out[0], out.size(), fmt, copy);
        out.resize(static_cast<size_t>(n));
    }
    va_end(copy);
    return out;
}

bool ScanInt(const char* s, int& out, const char** end) {
    const char* p = s;
    while (IsSpaceAscii(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    if (!IsDigit(*p))
        return false;
    long long v = 0;
    while (IsDigit(*p)) {
        if (v < 10000000000LL)
            v = v * 10 + (*p - '0');
        ++p;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    out = static_cast<int>(v);
    if (end)
        *end = p;
    return true;
}

bool ScanWholeInt(const std::string& text, int& out) {
    const char* end = nullptr;
    int v = 0;
    if (!ScanInt(text.c_str(), v, &end) || *end != '\0')
        return false;
    out = v;
    return true;
}

int LeadingInt(const std::string& text) {
    int v = 0;
    return ScanInt(text.c_str(), v) ? v : 0;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::string ToUpperAscii(std::string text) {
    for (char& c : text)
        c = static_cast<char>(UpperAscii(static_cast<unsigned char>(c)));
    return text;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string EscapeControl(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b != 0x7F) {
            out += c;
            continue;
        }
        switch (b) {
        case 0x00: out += "\\0"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out;
}

std::string QuotedField(std::string_view text, char separator) {
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (text.find_first_of(special) == std::string_view::npos)
        return std::string(text);
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + '"';
}

} // namespace kestra
