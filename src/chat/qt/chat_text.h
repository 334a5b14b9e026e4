#pragma once
// Bytes and colour values of the chat as Qt shows them.

#include "net/colour_text.h"

#include <QColor>
#include <QPalette>
#include <QString>

#include <string>
#include <string_view>

namespace kalvex {

// Chat bytes for display: UTF-8, or Windows-1252 when they are not valid
// UTF-8 (a peer writing in a single-byte code page).
QString decodeChatText(std::string_view bytes);
// Typed text as the bytes sent on the wire (UTF-8).
std::string encodeChatText(const QString &text);

// A colour value (00BBGGRR) as a QColor; system colour names take the
// palette's colour of the matching role.
QColor toQColor(ColourValue value, const QPalette &palette);
// An RGB colour as a colour value.
ColourValue toColourValue(const QColor &colour);

} // namespace kalvex
