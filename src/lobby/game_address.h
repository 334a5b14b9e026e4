#pragma once
// A game's address as the player types it: "host", "host:port",
// "[v6address]" or "[v6address]:port"; a bare IPv6 address without a port
// is taken whole. Host names are accepted as typed and looked up by the game.

#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

inline constexpr int kDefaultGamePort = 7772;

struct GameAddress
{
    std::string host; // without brackets
    int port = kDefaultGamePort;

    bool operator==(const GameAddress &) const = default;
};

// Nothing when the text is no address (empty, a bad port, characters no
// host name or address holds).
std::optional<GameAddress> parseGameAddress(std::string_view text);
// The same for any service's address ("server", "server:5222"): a missing
// port is `defaultPort`.
std::optional<GameAddress> parseHostAndPort(std::string_view text, int defaultPort);

// The address as the player would type it back.
std::string displayAddress(const GameAddress &address);

} // namespace kalvex
