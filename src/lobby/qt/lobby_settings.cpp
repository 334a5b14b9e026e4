#include "lobby/qt/lobby_settings.h"

#include "app/profile_file.h"
#include "app/qt/file_places.h"

namespace kalvex {

namespace {

constexpr char kNameKey[] = "Playername";

std::filesystem::path settingsPath()
{
    return programFile(QStringLiteral("orbolobby.ini")).toStdString();
}

} // namespace

QString loadLobbyPlayerName()
{
    const ProfileFile profile = ProfileFile::load(settingsPath());
    return QString::fromStdString(profile.read(kLobbySection, kNameKey).value_or(std::string()));
}

bool saveLobbyPlayerName(const QString &name)
{
    // Read afresh, so that what the game wrote meanwhile stays.
    ProfileFile profile = ProfileFile::load(settingsPath());
    profile.write(kLobbySection, kNameKey, name.toStdString());
    return profile.save(settingsPath());
}

} // namespace kalvex
