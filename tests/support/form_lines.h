// SPDX-License-Identifier: GPL-3.0-or-later
// Profile lines applied to a form as kestra-cli configure applies them, and
// image bytes to compare.
#pragma once

#include <QByteArray>
#include <string>

#include "core/forms/form_driver.h"
#include "core/forms/profile.h"
#include "support/image_bytes.h"

namespace kestra::test {

// Parses and applies "KEY=VALUE", "KEY++" or "KEY--"; the error, empty on success.
inline std::string ApplyLine(forms::Form& form, const std::string& text) {
    forms::ProfileLine line;
    std::string error;
    if (!forms::ParseProfileLine(text, line, error) || !forms::ApplyProfileLine(form, line, error))
        return error.empty() ? "?" : error;
    return std::string();
}

// The count bytes at offset as upper-case hex digits.
inline QByteArray Hex(const RadioImage& image, int offset, int count) {
    return Bytes(image, offset, count).toHex().toUpper();
}

} // namespace kestra::test
