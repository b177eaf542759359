// SPDX-License-Identifier: GPL-3.0-or-later
// The number-edit rule of a text field with an up-down control, as the
// factory dialogs use it for every field and grid cell:
//
//   focus lost   the text is read with the field's format ("%d" or "%x";
//                unreadable text reads as 0), clamped to [min, max] and
//                shown again in the format
//   spin step    the text is read the same way and delta added; a result
//                outside the range wraps to min when stepping up and to max
//                when stepping down
//
// Hexadecimal values are shown with upper-case letters, as their edits show
// them.
#pragma once

#include <string>

namespace kestra::forms {

struct NumberEdit {
    int min = 0;
    int max = 0;
    bool hex = false;

    // The number at the start of text as sscanf reads it with the format
    // (blanks, sign, digits; "%x" also takes a "0x" prefix), 0 when there is
    // none. Not clamped; values beyond int are held at its ends.
    int Read(const std::string& text) const;
    std::string Show(int value) const;
    int Clamp(int value) const { return value < min ? min : value > max ? max : value; }
    // The focus-loss rule.
    std::string Committed(const std::string& text) const { return Show(Clamp(Read(text))); }
    // The spin rule.
    std::string Stepped(const std::string& text, int delta) const;
};

} // namespace kestra::forms
