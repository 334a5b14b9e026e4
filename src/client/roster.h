#pragma once
// The roster: one seat line per player slot, with its texts and badges.

#include "net/colour_text.h"
#include "net/game_vocabulary.h"
#include "net/message.h"

#include <array>
#include <string>

namespace kalvex {

inline constexpr std::string_view kWaitingName = "<Waiting>";

// What one seat line of the roster shows.
struct SeatLine
{
    std::string name{kWaitingName};
    std::string score = "0";
    // Points won in the current round, "+12", or empty.
    std::string roundPoints;
    bool bold = false;
    bool watching = false;
    bool solved = false;
    bool failed = false;
};

// The ten seat lines, addressed by slot 1..kMaxPlayers.
class Roster
{
public:
    // The seat line of a slot, or nullptr when the slot has none.
    SeatLine *seat(int slot);
    const SeatLine *seat(int slot) const;

    // Scores, round points and every badge back to their start values.
    void clearMarks();
    // A new round: normal names, no round points, no solved or failed badge.
    void clearRoundMarks();

    // The colour a seat line's texts share, fixed by slot (00BBGGRR).
    static ColourValue seatColour(int slot);

private:
    std::array<SeatLine, kMaxPlayers> seats;
};

// A colour value from its red, green and blue parts.
constexpr ColourValue rgbColour(int red, int green, int blue)
{
    return static_cast<ColourValue>(red) | (static_cast<ColourValue>(green) << 8) |
           (static_cast<ColourValue>(blue) << 16);
}

} // namespace kalvex
