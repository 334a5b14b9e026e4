#pragma once
// The lobby's own section of the settings file "orbolobby.ini" in the
// program's directory; the game's section is never touched.

#include <QString>

namespace kalvex {

inline constexpr char kLobbySection[] = "kalvexlobby";

// The remembered player name, empty when none.
QString loadLobbyPlayerName();
// Remembers the name; false when the file cannot be written.
bool saveLobbyPlayerName(const QString &name);

} // namespace kalvex
