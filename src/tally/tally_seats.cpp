#include "tally/tally_seats.h"

#include "net/game_vocabulary.h"

namespace kalvex {

std::vector<std::string> playersInCurrentGame(const TallySeats &seats)
{
    std::vector<std::string> names;
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        if (slot == seats.myslot())
            continue;
        std::string name = seats.seatName(slot);
        if (name != kFreeSeat)
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace kalvex
