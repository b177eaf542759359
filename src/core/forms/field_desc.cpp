// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/forms/field_desc.h"

#include <cstring>

#include "core/codec/text.h"
#include "core/codec/utf8.h"

namespace kestra::forms {

char32_t KeyFilter::Transform(char32_t c) const {
    if (decimalComma && c == U',')
        return U'.';
    return upperCase ? UpperAscii(c) : c;
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
        const auto [c, n] = NextUtf8(utf8, i);
        if (n == 0) {
            // A byte that is no character is never typed.
            ++i;
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

} // namespace kestra::forms
