#pragma once
// The command line by which the lobby starts the game: `NAME 127.0.0.1 true`
// to host, `NAME HOST join` to join, nothing for a solo game. A game port
// other than the default is handed over in the environment (KALVEX_PORT).

#include "lobby/game_address.h"

#include <optional>
#include <string>
#include <vector>

namespace kalvex {

enum class GameMode
{
    Host,
    Join,
    Solo
};

struct GameCommand
{
    GameMode mode = GameMode::Solo;
    std::vector<std::string> arguments;
    // The game's port for KALVEX_PORT; nothing keeps the lobby's own
    // environment (a solo game), kDefaultGamePort removes the variable.
    std::optional<int> port;
};

GameCommand hostCommand(const std::string &name, int port);
GameCommand joinCommand(const std::string &name, const GameAddress &address);
GameCommand soloCommand();

} // namespace kalvex
