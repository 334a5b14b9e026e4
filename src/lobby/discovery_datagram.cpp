#include "lobby/discovery_datagram.h"

#include "lobby/player_name.h"

namespace kalvex {

namespace {

constexpr std::size_t kHeaderSize = 4 + 1 + 2 + 1;

bool acceptable(const GameAnnouncement &announcement)
{
    return announcement.port >= 1 && announcement.port <= 65535 &&
           !playerNameProblem(announcement.hostName);
}

} // namespace

std::size_t maxDiscoveryDatagramSize()
{
    return kHeaderSize + kMaxPlayerNameBytes;
}

std::optional<std::string> encodeAnnouncement(const GameAnnouncement &announcement)
{
    if (!acceptable(announcement))
        return std::nullopt;
    std::string bytes(kDiscoveryMagic);
    bytes.push_back(static_cast<char>(kDiscoveryVersion));
    bytes.push_back(static_cast<char>((announcement.port >> 8) & 0xFF));
    bytes.push_back(static_cast<char>(announcement.port & 0xFF));
    bytes.push_back(static_cast<char>(announcement.hostName.size()));
    bytes += announcement.hostName;
    return bytes;
}

std::optional<GameAnnouncement> decodeAnnouncement(std::string_view datagram)
{
    if (datagram.size() < kHeaderSize || datagram.size() > maxDiscoveryDatagramSize())
        return std::nullopt;
    if (datagram.substr(0, kDiscoveryMagic.size()) != kDiscoveryMagic)
        return std::nullopt;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(datagram[at]); };
    if (byte(4) != kDiscoveryVersion)
        return std::nullopt;
    const std::size_t nameLength = byte(7);
    if (datagram.size() != kHeaderSize + nameLength)
        return std::nullopt;
    GameAnnouncement announcement;
    announcement.port = byte(5) << 8 | byte(6);
    announcement.hostName = std::string(datagram.substr(kHeaderSize));
    if (!acceptable(announcement))
        return std::nullopt;
    return announcement;
}

} // namespace kalvex
