#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrava {

// Numbers as the windows show them. The functions that write or read decimals
// take the locale's decimal separator; no digit grouping is ever written.

// Plain decimal digits, a minus sign only when negative.
std::string integerText(std::int64_t value);

// A single-precision value in the general form with at most 7 significant
// digits: trailing zeros and a bare separator dropped, "0" before the
// separator below 1 (4 gives "4", 2.5 "2.5", 0.8 "0.8").
std::string floatText(float value, std::string_view separator);

// The clock's "0.00" pattern: at least one digit before the separator, two after.
std::string clockText(double seconds, std::string_view separator);

// Reads plain fixed-notation text, as the clock writes it, with the separator
// given ("0" reads as zero). An empty text, another separator or an exponent is
// no number.
std::optional<double> parseNumber(std::string_view text, std::string_view separator);

// The nearest multiple of 10^-decimals to the exact binary value, an exact
// tie going to the even last digit (0.03125 to four places is 0.0312).
double roundToDecimals(double value, int decimals);

} // namespace kestrava
