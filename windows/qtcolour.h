#pragma once

#include "colour.h"

#include <QColor>

// The engine's colours are 0x00BBGGRR, red in the lowest byte.
inline QColor toQColor(kestrava::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}
