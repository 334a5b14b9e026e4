#pragma once
// The colour of a plain 0x00BBGGRR colour value, as Qt draws it.

#include "net/colour_text.h"

#include <QColor>

namespace kalvex {

inline QColor rgbColour(ColourValue value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace kalvex
