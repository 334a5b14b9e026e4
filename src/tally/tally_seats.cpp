#include "tally/tally_seats.h"

namespace kalvex {

namespace {
constexpr int kSeats = 10;
}

std::vector<std::string> playersInCurrentGame(const TallySeats &seats)
{
    std::vector<std::string> names;
    for (int slot = 1; slot <= kSeats; ++slot) {
        if (slot == seats.myslot())
            continue;
        std::string name = seats.seatName(slot);
        if (name != kFreeSeat)
            names.push_back(std::move(name));
    }
    return names;
}

} // namespace kalvex
