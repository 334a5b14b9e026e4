#include "bot/computer_names.h"

#include <gtest/gtest.h>

namespace kalvex::bot {
namespace {

TEST(ComputerNames, TheLowestFreeNumberIsTakenAndJoinersKeepTheirs)
{
    Roster roster;
    EXPECT_EQ(nextComputerName(roster), "Computer 1");
    roster.seat(1)->name = "Host";
    roster.seat(2)->name = "Computer 1";
    roster.seat(4)->name = "Computer 3";
    EXPECT_EQ(nextComputerName(roster), "Computer 2");
    EXPECT_EQ(nextComputerName(roster, {"Computer 2"}), "Computer 4");
    // A removed player's name is free again.
    roster.seat(2)->name = std::string(kWaitingName);
    EXPECT_EQ(nextComputerName(roster, {"Computer 2"}), "Computer 1");
}

TEST(ComputerNames, SeatsTakenCountsEveryNamedSeat)
{
    Roster roster;
    EXPECT_EQ(seatsTaken(roster), 0);
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        roster.seat(slot)->name = "P" + std::to_string(slot);
    EXPECT_EQ(seatsTaken(roster), 10);
    roster.seat(7)->name = std::string(kWaitingName);
    EXPECT_EQ(seatsTaken(roster), 9);
}

} // namespace
} // namespace kalvex::bot
