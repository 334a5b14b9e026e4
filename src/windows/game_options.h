#pragma once
// The host's choices for a new game and the start request built from them.

#include <string>
#include <string_view>

namespace kalvex {

// A number chosen with up/down arrows: a closed range walked in fixed steps,
// never wrapping around.
struct StepRange
{
    int min;
    int max;
    int step;

    int clamp(int value) const { return value < min ? min : (value > max ? max : value); }
    int up(int value) const { return clamp(clamp(value) + step); }
    int down(int value) const { return clamp(clamp(value) - step); }
};

inline constexpr StepRange kRoundsRange{1, 10, 1};
inline constexpr StepRange kRoundSecondsRange{60, 180, 5};

// A two-state option is on only at 1; any other stored number counts as off,
// as the server reads it.
inline int twoState(int value)
{
    return value == 1 ? 1 : 0;
}
inline int toggled(int state)
{
    return state == 0 ? 1 : 0;
}

struct GameOptions
{
    int rounds = 5;
    int roundSeconds = 120;
    int bonus = 0;
    int six = 0;

    // Brings every value into its range (settings files may hold anything).
    GameOptions normalised() const;
};

// The host's name as it travels in the start request: a "+" would shift the
// later fields and a terminator byte would cut the message, so both become
// blanks. The name is only shown in the start notice.
std::string startRequestName(std::string_view playername);

// "CMD_startgame+name+rounds+seconds+bonus+six+" and the terminator.
std::string startGameRequest(std::string_view playername, const GameOptions &options);

} // namespace kalvex
