#pragma once
// What the tally needs of the main window's roster: who sits in which seat.

#include <string>
#include <vector>

namespace kalvex {

// The name text of a free seat.
inline constexpr const char *kFreeSeat = "<Waiting>";

class TallySeats
{
public:
    virtual ~TallySeats() = default;
    // This client's own slot (0 before login).
    virtual int myslot() const = 0;
    // The name text of the seat line of `slot` (1 to 10), kFreeSeat when free.
    virtual std::string seatName(int slot) const = 0;
};

// The seat names of the other occupied seats, slot 1 to 10 in order.
std::vector<std::string> playersInCurrentGame(const TallySeats &seats);

} // namespace kalvex
