#pragma once
// The datagram by which a hosting lobby makes its game known on the local
// network. Layout, all of it required and nothing after it:
//   4 bytes  magic "KXLB"
//   1 byte   version (1)
//   2 bytes  the game's TCP port, most significant byte first (1 to 65535)
//   1 byte   length of the host player's name (1 to kMaxPlayerNameBytes)
//   n bytes  the name, which passes playerNameProblem()
// The host's address is the datagram's sender. Anything else (another
// magic or version, a wrong length, a bad port or name) is not a game.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

inline constexpr std::string_view kDiscoveryMagic = "KXLB";
inline constexpr std::uint8_t kDiscoveryVersion = 1;
inline constexpr int kDefaultDiscoveryPort = 7773;

struct GameAnnouncement
{
    int port = 0;
    std::string hostName;

    bool operator==(const GameAnnouncement &) const = default;
};

// The largest datagram a reader accepts.
std::size_t maxDiscoveryDatagramSize();

// The datagram for an announcement; nothing when its name or port would
// not be accepted by a reader.
std::optional<std::string> encodeAnnouncement(const GameAnnouncement &announcement);

// The announcement a datagram carries, or nothing.
std::optional<GameAnnouncement> decodeAnnouncement(std::string_view datagram);

} // namespace kalvex
