#pragma once

#include <QRect>

// The window is laid out in twips, 1/1440 inch; at 96 dots per inch 15 of
// them make one logical pixel. Qt scales logical pixels on high-density
// screens itself.
constexpr int twipsPerPixel = 15;

// Nearest whole pixel, halves away from zero.
constexpr int twipsToPixels(double twips) {
    const double pixels = twips / twipsPerPixel;
    return pixels >= 0 ? static_cast<int>(pixels + 0.5) : -static_cast<int>(-pixels + 0.5);
}

// Width and height are converted on their own, not from the far edge, so that
// controls of equal size stay equal wherever they stand.
inline QRect twipsRect(double left, double top, double width, double height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}
