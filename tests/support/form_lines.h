// SPDX-License-Identifier: GPL-3.0-or-later
// Profile lines applied to a form as kestra-cli configure applies them.
#pragma once

#include <string>

#include "core/forms/form_driver.h"
#include "core/forms/profile.h"

namespace kestra::test {

// Parses and applies "KEY=VALUE", "KEY++" or "KEY--"; the error, empty on success.
inline std::string ApplyLine(forms::Form& form, const std::string& text) {
    forms::ProfileLine line;
    std::string error;
    if (!forms::ParseProfileLine(text, line, error) || !forms::ApplyProfileLine(form, line, error))
        return error.empty() ? "?" : error;
    return std::string();
}

} // namespace kestra::test
