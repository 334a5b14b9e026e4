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

// The internet room's account as the player last used it.
struct RoomSettings
{
    QString server;
    bool anonymous = true;
    QString jid;
    // Empty while the room follows the server (the default room there).
    QString room;
    bool rememberPassword = false;
    // The password, only when the player asked to keep it in this file
    // (the desktop has no secret store); empty otherwise.
    QString passwordInFile;
    // The address players on the internet reach a hosted game at, when the
    // player forwarded the port by hand; empty to ask the router.
    QString reachableAddress;

    bool operator==(const RoomSettings &) const = default;
};

RoomSettings loadRoomSettings();
// False when the file cannot be written.
bool saveRoomSettings(const RoomSettings &settings);

} // namespace kalvex
