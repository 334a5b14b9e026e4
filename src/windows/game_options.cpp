#include "windows/game_options.h"

#include "net/message.h"

namespace kalvex {

GameOptions GameOptions::normalised() const
{
    return {kRoundsRange.clamp(rounds), kRoundSecondsRange.clamp(roundSeconds), twoState(bonus),
            twoState(six)};
}

std::string startRequestName(std::string_view playername)
{
    std::string name(playername);
    for (char &c : name) {
        if (c == '+' || c == kTerminator)
            c = ' ';
    }
    return name;
}

std::string startGameRequest(std::string_view playername, const GameOptions &options)
{
    const GameOptions o = options.normalised();
    return Message("CMD_startgame")
        .field(startRequestName(playername))
        .field(o.rounds)
        .field(o.roundSeconds)
        .field(o.bonus)
        .field(o.six)
        .wire();
}

} // namespace kalvex
