#pragma once
// Text from the wire for display: UTF-8, or Windows-1252 when the bytes are
// not valid UTF-8 (a peer on a single-byte code page).

#include <QString>

#include <string>
#include <string_view>

namespace kalvex {

QString displayText(std::string_view bytes);
// The bytes of a shown text, as this program sends and stores them (UTF-8).
std::string wireText(const QString &text);

} // namespace kalvex
