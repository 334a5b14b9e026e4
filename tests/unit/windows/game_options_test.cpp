#include "windows/game_options.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(StartRequest, DefaultsFollowTheHostName)
{
    EXPECT_EQ(startGameRequest("Ann", GameOptions{}), "CMD_startgame+Ann+5+120+0+0+\xFF");
}

TEST(StartRequest, CarriesEveryChosenOptionInOrder)
{
    EXPECT_EQ(startGameRequest("Bob", {10, 65, 1, 1}), "CMD_startgame+Bob+10+65+1+1+\xFF");
}

TEST(StartRequest, PlusInTheHostNameBecomesABlankSoTheFieldsStayInPlace)
{
    EXPECT_EQ(startGameRequest("A+B+", GameOptions{}), "CMD_startgame+A B +5+120+0+0+\xFF");
    EXPECT_EQ(startRequestName("x\xFFy"), "x y");
}

TEST(StartRequest, OutOfRangeOptionsAreSentWithinTheirRanges)
{
    EXPECT_EQ(startGameRequest("A", {0, 999, 7, -1}), "CMD_startgame+A+1+180+0+0+\xFF");
}

TEST(StepRange, ArrowsStopAtTheEndsWithoutWrapping)
{
    EXPECT_EQ(kRoundsRange.up(10), 10);
    EXPECT_EQ(kRoundsRange.down(1), 1);
    EXPECT_EQ(kRoundsRange.up(4), 5);
    EXPECT_EQ(kRoundSecondsRange.down(60), 60);
    EXPECT_EQ(kRoundSecondsRange.up(180), 180);
    EXPECT_EQ(kRoundSecondsRange.up(120), 125);
    // A value off the step grid walks from where it is and stops at the end.
    EXPECT_EQ(kRoundSecondsRange.up(178), 180);
    EXPECT_EQ(kRoundSecondsRange.down(500), 175);
}

TEST(TwoState, OnlyOneIsOnAndAToggleAlwaysGivesZeroOrOne)
{
    EXPECT_EQ(twoState(1), 1);
    EXPECT_EQ(twoState(0), 0);
    EXPECT_EQ(twoState(5), 0);
    EXPECT_EQ(toggled(0), 1);
    EXPECT_EQ(toggled(1), 0);
    EXPECT_EQ(toggled(toggled(0)), 0);
}

} // namespace
} // namespace kalvex
