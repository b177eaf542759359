// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codec/decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/codec/text.h"

namespace kestra {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}


// from_chars over [first, last) that must take all of it.
std::optional<double> ReadAll(const char* first, const char* last) {
    double v = 0;
    const auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != last)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsSpaceAscii(text[b]))
        ++b;
    while (e > b && IsSpaceAscii(text[e - 1]))
        --e;
    std::string_view s = text.substr(b, e - b);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    bool digits = false, point = false;
    for (char c : s) {
        if (IsDigit(c))
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    // from_chars wants a digit before the point.
    std::string buf = s.front() == '.' ? "0" + std::string(s) : std::string(s);
    auto v = ReadAll(buf.data(), buf.data() + buf.size());
    if (!v)
        return std::nullopt;
    return negative ? -*v : *v;
}

double LeadingDecimal(std::string_view text) {
    std::size_t p = 0;
    while (p < text.size() && IsSpaceAscii(text[p]))
        ++p;
    std::string num;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        num.push_back(text[p++]);
    const std::size_t sign = num.size();
    bool any = false;
    while (p < text.size() && IsDigit(text[p])) {
        num.push_back(text[p++]);
        any = true;
    }
    if (p < text.size() && text[p] == '.') {
        std::size_t q = p + 1;
        std::string frac = ".";
        while (q < text.size() && IsDigit(text[q]))
            frac.push_back(text[q++]);
        if (any || frac.size() > 1) {
            if (!any)
                num += "0";
            num += frac;
            p = q;
            any = true;
        }
    }
    if (!any)
        return 0.0;
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        std::size_t q = p + 1;
        std::string exp = "e";
        if (q < text.size() && (text[q] == '+' || text[q] == '-'))
            exp.push_back(text[q++]);
        if (q < text.size() && IsDigit(text[q])) {
            while (q < text.size() && IsDigit(text[q]))
                exp.push_back(text[q++]);
            num += exp;
        }
    }
    double v = 0;
    const auto r = std::from_chars(num.data() + sign, num.data() + num.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        v = HUGE_VAL;
    else if (r.ec != std::errc())
        return 0.0;
    return sign && num[0] == '-' ? -v : v;
}

std::string FormatDecimal(double value, int decimals) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return std::string();
    return std::string(buf, r.ptr);
}

std::string FormatGeneral(double value, int precision) {
    char buf[400];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
    if (r.ec != std::errc())
        return std::string();
    std::string out(buf, r.ptr);
    for (char& c : out)
        if (c == 'e')
            c = 'E';
    return out;
}

std::string TypedDecimalPoint(std::string typed) {
    std::replace(typed.begin(), typed.end(), ',', '.');
    return typed;
}

} // namespace kestra
