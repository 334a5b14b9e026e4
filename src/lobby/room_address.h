#pragma once
// Where the internet room is: the chat server as the player types it
// ("server" or "server:port") and the room players of Kalvex meet in there
// unless told otherwise.

#include "lobby/game_address.h"

#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

inline constexpr int kDefaultChatServerPort = 5222;

// Nothing when the text is no server address.
std::optional<GameAddress> parseChatServer(std::string_view text);

// "kalvex@conference.<server's host>", empty when the text is no server.
std::string defaultRoomFor(std::string_view serverText);

} // namespace kalvex
