#include "client/roster.h"

namespace kalvex {

SeatLine *Roster::seat(int slot)
{
    if (slot < 1 || slot > kMaxPlayers)
        return nullptr;
    return &seats[static_cast<std::size_t>(slot - 1)];
}

const SeatLine *Roster::seat(int slot) const
{
    return const_cast<Roster *>(this)->seat(slot);
}

void Roster::clearMarks()
{
    for (SeatLine &line : seats) {
        line.score = "0";
        line.roundPoints.clear();
        line.watching = false;
        line.solved = false;
        line.failed = false;
    }
}

void Roster::clearRoundMarks()
{
    for (SeatLine &line : seats) {
        line.bold = false;
        line.roundPoints.clear();
        line.solved = false;
        line.failed = false;
    }
}

ColourValue Roster::seatColour(int slot)
{
    static constexpr std::array<ColourValue, 5> colours = {
        rgbColour(255, 255, 0),   // yellow
        rgbColour(0, 255, 0),     // lime green
        rgbColour(196, 196, 255), // light blue
        rgbColour(220, 156, 156), // light red
        rgbColour(255, 128, 255), // pink
    };
    if (slot < 1 || slot > kMaxPlayers)
        return colours[0];
    return colours[static_cast<std::size_t>((slot - 1) % 5)];
}

} // namespace kalvex
