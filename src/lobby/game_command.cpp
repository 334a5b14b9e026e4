#include "lobby/game_command.h"

namespace kalvex {

GameCommand hostCommand(const std::string &name, int port)
{
    // The hosting game connects its own client to 127.0.0.1 whatever the
    // address says; the loop-back address keeps it from looking anything up.
    return {GameMode::Host, {name, "127.0.0.1", "true"}, port};
}

GameCommand joinCommand(const std::string &name, const GameAddress &address)
{
    return {GameMode::Join, {name, address.host, "join"}, address.port};
}

GameCommand soloCommand()
{
    return {GameMode::Solo, {}, std::nullopt};
}

} // namespace kalvex
