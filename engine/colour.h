#pragma once

#include <cstdint>

namespace kestrava {

// A colour as 0x00BBGGRR: red in the lowest byte.
using Colour = std::uint32_t;

constexpr Colour rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r + 256 * g + 65536 * b;
}

namespace colours {
constexpr Colour black = 0x00000000;
constexpr Colour lightGreen = 0x0080FF80; // idle key, letter not yet typed
constexpr Colour olive = 0x0000C0C0;      // letter already typed
constexpr Colour nextKey = rgb(125, 125, 255);
constexpr Colour okGreen = 0x0000FF00; // face of the result window's OK button
} // namespace colours

} // namespace kestrava
