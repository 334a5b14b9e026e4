#pragma once
// GameAdvert: what a lobby that hosts a game tells the internet room about
// it, carried in the host's room presence as one element of its own:
//
//   <game xmlns="urn:x-kalvex:game" v="1" host="Ann" address="203.0.113.7"
//         port="7772" seated="3" state="waiting" program="1.0"/>
//
// host     the hosting player's name (the lobby's name rule)
// address  where players on the internet reach the game: a host name or an
//          IPv4/IPv6 address, at most 253 bytes; absent when none is known
// port     the game's TCP port, 1 to 65535, decimal without leading zeros
// seated   players in the game, 0 to 10
// state    "waiting" (players may join) or "running"
// program  the host's program version, 1 to 32 printable bytes
// v        the form's version; a reader ignores an element of another one
//
// Other attributes and any content are ignored, so that a later lobby may
// add to version 1. An element that breaks any rule above is no game.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvex {

struct GameAdvert
{
    std::string hostName;
    // Where players on the internet reach the game; empty when no address
    // reachable from outside is known (the game is then listed as "not
    // reachable from outside" and cannot be joined from the room).
    std::string address;
    int port = 0;
    int seated = 0;
    bool running = false;
    std::string programVersion;

    bool reachable() const { return !address.empty(); }
    bool operator==(const GameAdvert &) const = default;
};

inline constexpr std::string_view kAdvertElement = "game";
inline constexpr std::string_view kAdvertNamespace = "urn:x-kalvex:game";
inline constexpr std::string_view kAdvertVersion = "1";
inline constexpr std::size_t kMaxAdvertAddressBytes = 253;
inline constexpr std::size_t kMaxAdvertProgramBytes = 32;
inline constexpr int kMaxAdvertSeated = 10;
// An element with more attributes than this is too big to be a game.
inline constexpr std::size_t kMaxAdvertAttributes = 32;
// Nor may any one attribute value be longer than this.
inline constexpr std::size_t kMaxAdvertAttributeBytes = 1024;

using XmlAttributes = std::vector<std::pair<std::string, std::string>>;

// The element's attributes (the namespace not among them), in the order
// written above; nothing when a reader would not accept the advert.
std::optional<XmlAttributes> advertAttributes(const GameAdvert &advert);

// The advert an element carries: its name, namespace and attributes as an
// XML parser hands them over (values unescaped). Nothing when it is not a
// game advert of this version, or breaks a rule.
std::optional<GameAdvert> readAdvert(std::string_view element, std::string_view xmlNamespace,
                                     const XmlAttributes &attributes);

// Why an advert cannot be sent, in words for a log; nothing when it can.
std::optional<std::string> advertProblem(const GameAdvert &advert);

} // namespace kalvex
