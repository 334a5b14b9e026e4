#include "lobby/room_address.h"

namespace kalvex {

std::optional<GameAddress> parseChatServer(std::string_view text)
{
    return parseHostAndPort(text, kDefaultChatServerPort);
}

std::string defaultRoomFor(std::string_view serverText)
{
    const std::optional<GameAddress> server = parseChatServer(serverText);
    if (!server)
        return {};
    return "kalvex@conference." + server->host;
}

} // namespace kalvex
