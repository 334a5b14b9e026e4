#include "bot/computer_names.h"

#include <algorithm>

namespace kalvex::bot {

std::string nextComputerName(const Roster &roster, const std::vector<std::string> &joining)
{
    for (int n = 1;; ++n) {
        const std::string name = "Computer " + std::to_string(n);
        bool taken = std::find(joining.begin(), joining.end(), name) != joining.end();
        for (int slot = 1; slot <= kMaxPlayers && !taken; ++slot)
            taken = roster.seat(slot)->name == name;
        if (!taken)
            return name;
    }
}

int seatsTaken(const Roster &roster)
{
    int taken = 0;
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        taken += roster.seat(slot)->name != kWaitingName;
    return taken;
}

} // namespace kalvex::bot
