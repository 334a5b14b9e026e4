// Reads any bytes as a discovery datagram, as a lobby does with whatever
// arrives on its port. What is accepted must be a game a player may be
// shown (a checked name, a real port), must encode to exactly the bytes
// read, and must keep the list of found games within its bounds.
#include "lobby/discovery_datagram.h"
#include "lobby/found_games.h"
#include "lobby/game_address.h"
#include "lobby/player_name.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kalvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // The typed address reader sees the same bytes: it must never fail hard.
    if (const std::optional<GameAddress> address = parseGameAddress(bytes)) {
        if (address->port < 1 || address->port > 65535 || address->host.empty())
            std::abort();
    }

    const std::optional<GameAnnouncement> announcement = decodeAnnouncement(bytes);
    if (!announcement)
        return 0;
    if (size > maxDiscoveryDatagramSize() || playerNameProblem(announcement->hostName) ||
        announcement->port < 1 || announcement->port > 65535)
        std::abort();
    if (encodeAnnouncement(*announcement) != std::string(bytes))
        std::abort();

    FoundGames games;
    games.heard("127.0.0.1", announcement->port, announcement->hostName, 0);
    if (games.games().size() != 1 || games.games()[0].hostName != announcement->hostName)
        std::abort();
    return 0;
}
