#pragma once
// Names and room for the computer players a host adds to its table.

#include "client/roster.h"

#include <string>
#include <vector>

namespace kalvex::bot {

// "Computer N" with the lowest N from 1 that no seat shows and that is not
// among the names of players still on their way in.
std::string nextComputerName(const Roster &roster, const std::vector<std::string> &joining = {});

// Seats whose name is not "<Waiting>".
int seatsTaken(const Roster &roster);

} // namespace kalvex::bot
