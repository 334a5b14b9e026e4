#pragma once
// Bytes and colour values of the chat as Qt shows them.

#include "net/colour_text.h"
#include "net/qt/display_text.h"
#include "net/qt/qt_colour.h"

#include <QColor>
#include <QPalette>
#include <QString>

#include <string>
#include <string_view>

namespace kalvex {

// A colour value (00BBGGRR) as a QColor; system colour names take the
// palette's colour of the matching role.
QColor toQColor(ColourValue value, const QPalette &palette);
// An RGB colour as a colour value.
ColourValue toColourValue(const QColor &colour);

} // namespace kalvex
