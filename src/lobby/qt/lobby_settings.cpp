#include "lobby/qt/lobby_settings.h"

#include "app/profile_file.h"
#include "app/qt/file_places.h"

namespace kalvex {

namespace {

constexpr char kNameKey[] = "Playername";
constexpr char kServerKey[] = "RoomServer";
constexpr char kAnonymousKey[] = "RoomAnonymous";
constexpr char kJidKey[] = "RoomJid";
constexpr char kRoomKey[] = "Room";
constexpr char kRememberKey[] = "RoomRememberPassword";
constexpr char kPasswordKey[] = "RoomPassword";
constexpr char kReachableKey[] = "ReachableAddress";

std::filesystem::path settingsPath()
{
    return programFile(QStringLiteral("orbolobby.ini")).toStdString();
}

QString text(const ProfileFile &profile, const char *key)
{
    return QString::fromStdString(profile.read(kLobbySection, key).value_or(std::string()));
}

bool flag(const ProfileFile &profile, const char *key, bool fallback)
{
    const std::optional<std::string> value = profile.read(kLobbySection, key);
    return value ? *value == "1" : fallback;
}

} // namespace

QString loadLobbyPlayerName()
{
    return text(ProfileFile::load(settingsPath()), kNameKey);
}

bool saveLobbyPlayerName(const QString &name)
{
    // Read afresh, so that what the game wrote meanwhile stays.
    ProfileFile profile = ProfileFile::load(settingsPath());
    profile.write(kLobbySection, kNameKey, name.toStdString());
    return profile.save(settingsPath());
}

RoomSettings loadRoomSettings()
{
    const ProfileFile profile = ProfileFile::load(settingsPath());
    RoomSettings settings;
    settings.server = text(profile, kServerKey);
    settings.anonymous = flag(profile, kAnonymousKey, true);
    settings.jid = text(profile, kJidKey);
    settings.room = text(profile, kRoomKey);
    settings.rememberPassword = flag(profile, kRememberKey, false);
    settings.passwordInFile = settings.rememberPassword ? text(profile, kPasswordKey) : QString();
    settings.reachableAddress = text(profile, kReachableKey);
    return settings;
}

bool saveRoomSettings(const RoomSettings &settings)
{
    ProfileFile profile = ProfileFile::load(settingsPath());
    const auto write = [&](const char *key, const QString &value) {
        profile.write(kLobbySection, key, value.toStdString());
    };
    write(kServerKey, settings.server);
    write(kAnonymousKey, settings.anonymous ? QStringLiteral("1") : QStringLiteral("0"));
    write(kJidKey, settings.jid);
    write(kRoomKey, settings.room);
    write(kRememberKey, settings.rememberPassword ? QStringLiteral("1") : QStringLiteral("0"));
    // A password no longer wanted in the file leaves it at once.
    write(kPasswordKey, settings.rememberPassword ? settings.passwordInFile : QString());
    write(kReachableKey, settings.reachableAddress);
    return profile.save(settingsPath());
}

} // namespace kalvex
