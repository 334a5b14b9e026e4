#pragma once
// Where the program keeps its files, and the ports it uses, as the
// environment and the installation decide.

#include <QString>

namespace kalvex {

// The program's directory for the settings file, the tally and downloads:
// $KALVEX_HOME when set, else the executable's directory when it is
// writable and not an installed program's (a "bin" beside
// "share/applications/kalvex.desktop"), else the per-user data directory.
// Created when missing.
QString programDirectory();
// The absolute path of a file in the program's directory.
QString programFile(const QString &name);

// The game port ($KALVEX_PORT, default 7772) and the lobby port
// ($KALVEX_LOBBY_PORT, default 9001), as the endpoints' port texts.
QString gamePortName();
QString lobbyPortName();

// The per-user runtime directory (from $XDG_RUNTIME_DIR), where the
// single-instance guard lives.
QString runtimeDirectory();

} // namespace kalvex
