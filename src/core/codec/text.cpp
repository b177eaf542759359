// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/text.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/codec/utf8.h"

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

namespace {

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

// Marks a line may not start with (，。、；：？！）」』”’》〉】), and marks it may
// not end with (（「『“‘《〈【).
bool ClosesText(char32_t c) {
    return std::u32string_view(U"\uFF0C\u3002\u3001\uFF1B\uFF1A\uFF1F\uFF01\uFF09\u300D\u300F\u201D"
                               U"\u2019\u300B\u3009\u3011")
               .find(c) != std::u32string_view::npos;
}
bool OpensText(char32_t c) {
    return std::u32string_view(U"\uFF08\u300C\u300E\u201C\u2018\u300A\u3008\u3010").find(c) !=
           std::u32string_view::npos;
}

std::pair<char32_t, std::size_t> CharacterAt(std::string_view text, std::size_t i) {
    const auto next = NextUtf8(text, i);
    return next.second ? next : std::make_pair(char32_t(0xFFFD), std::size_t(1));
}

} // namespace

std::size_t TextColumns(std::string_view text) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, bytes] = CharacterAt(text, i);
        columns += IsWide(c) ? 2 : 1;
        i += bytes;
    }
    return columns;
}

std::string WrapText(std::string_view text, const std::string& indent, const std::string& more) {
    constexpr std::size_t kWidth = 79;
    if (text.find('\n') != std::string_view::npos)
        return indent + std::string(text) + "\n";
    // The pieces a line may break between, each with whether a blank goes
    // before it when it does not start a line.
    std::vector<std::pair<std::string, bool>> pieces;
    bool blank = false;
    int depth = 0;
    char32_t last = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, bytes] = CharacterAt(text, i);
        if (c == U' ' && depth == 0) {
            blank = true;
            last = 0;
        } else {
            depth += c == U'[' ? 1 : c == U']' && depth > 0 ? -1 : 0;
            const bool breakHere =
                pieces.empty() || blank ||
                (depth == 0 && (IsWide(c) || IsWide(last)) && !ClosesText(c) && !OpensText(last));
            if (breakHere)
                pieces.emplace_back(std::string(), blank && !pieces.empty());
            pieces.back().first.append(text.substr(i, bytes));
            blank = false;
            last = c;
        }
        i += bytes;
    }
    std::string out, line = indent;
    bool empty = true;
    for (const auto& [piece, spaced] : pieces) {
        const std::size_t gap = spaced ? 1 : 0;
        if (!empty && TextColumns(line) + gap + TextColumns(piece) > kWidth) {
            out += line + "\n";
            line = more;
            empty = true;
        }
        line += (!empty && spaced ? " " : "") + piece;
        empty = false;
    }
    return out + line + "\n";
}

} // namespace kestra
