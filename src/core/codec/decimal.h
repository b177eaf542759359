// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal numbers in text, read and written the same in every locale: the
// point is always '.', whatever the process locale says (a German desktop
// must not turn an offset of "0.6" into 0). Every number that Kestra reads
// from or prints to text goes through these functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestra {

// The whole text is one plain decimal number: blanks around it, an optional
// sign, digits with at most one '.', at least one digit. No exponent, no
// thousands separator, no unit, no "inf"/"nan". Nullopt otherwise, so
// "145,500", "145.5 MHz" and "1.455e2" are refused instead of half-read.
std::optional<double> ParseDecimal(std::string_view text);

// The decimal number at the start of the text as the C library's strtod reads
// it in the C locale (blanks, sign, digits, point, exponent), 0 when there is
// none. Only for the editors that keep the old leading-number rule.
double LeadingDecimal(std::string_view text);

// What a person typed with every comma made the decimal point: the keypad's
// decimal key types a comma in comma-decimal locales, and a typed number has
// no other use for one (145,5 is 145.5, never 1455). Files are not read
// through this: a CSV value "145,500" stays refused.
std::string TypedDecimalPoint(std::string typed);

// value with exactly `decimals` digits after the point, rounded as printf's
// "%.*f" rounds (to the nearest, from the exact binary value).
std::string FormatDecimal(double value, int decimals);

// value with `precision` significant digits as printf's "%.*G" writes it:
// trailing zeros dropped, an exponent ("1.5E+07") only for very large or
// small values.
std::string FormatGeneral(double value, int precision = 6);

} // namespace kestra
