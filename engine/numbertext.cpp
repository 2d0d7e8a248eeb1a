#include "numbertext.h"

#include <array>
#include <charconv>
#include <cmath>

namespace kestrava {

namespace {
// Enough for any double in fixed notation with a few decimals.
using Buffer = std::array<char, 400>;

std::string withSeparator(std::string_view text, std::string_view separator) {
    std::string out;
    out.reserve(text.size() + separator.size());
    for (char c : text) {
        if (c == '.')
            out += separator;
        else
            out += c;
    }
    return out;
}
} // namespace

std::string integerText(std::int64_t value) {
    return std::to_string(value);
}

std::string floatText(float value, std::string_view separator) {
    Buffer buffer;
    // %g-style output already drops trailing zeros and a bare point.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      static_cast<double>(value), std::chars_format::general, 7);
    return withSeparator(std::string_view(buffer.data(), result.ptr), separator);
}

std::string clockText(double seconds, std::string_view separator) {
    Buffer buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), seconds,
                                      std::chars_format::fixed, 2);
    return withSeparator(std::string_view(buffer.data(), result.ptr), separator);
}

std::optional<double> parseNumber(std::string_view text, std::string_view separator) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (!separator.empty() && text.substr(i, separator.size()) == separator) {
            plain += '.';
            i += separator.size();
        } else if (text[i] == '.' || text[i] == ',') {
            return std::nullopt; // a separator this locale does not use
        } else {
            plain += text[i++];
        }
    }
    double value = 0;
    const auto* end = plain.data() + plain.size();
    const auto result = std::from_chars(plain.data(), end, value, std::chars_format::fixed);
    if (plain.empty() || result.ec != std::errc{} || result.ptr != end)
        return std::nullopt;
    return value;
}

double roundToDecimals(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    // Fixed-precision to_chars is correctly rounded on the exact binary value
    // with exact ties to even, which is the rounding wanted here.
    Buffer buffer;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
    double rounded = 0;
    std::from_chars(buffer.data(), written.ptr, rounded);
    return rounded;
}

} // namespace kestrava
