#include "recording_output.h"

namespace kalvex::testing {
namespace {

using Clock = SessionTest;

TEST_F(Clock, RoundStartRunsTheClockFromTheRoundTime)
{
    loginAs(2);
    feed("CMD_startgame+Bob+5+90+0+0+");
    feed("CMD_startround+1+");
    EXPECT_EQ(out.clockCalls, std::vector<bool>{true});
    EXPECT_TRUE(session.roundClock().running());
    EXPECT_EQ(session.secondsleft(), 90);
    EXPECT_EQ(session.roundClock().colour(), RoundClock::kDesignColour);
}

TEST_F(Clock, TextsShowMinutesAndTwoDigitSeconds)
{
    EXPECT_EQ(RoundClock::format(120), "2:00");
    EXPECT_EQ(RoundClock::format(75), "1:15");
    EXPECT_EQ(RoundClock::format(65), "1:05");
    EXPECT_EQ(RoundClock::format(9), "0:09");
}

TEST_F(Clock, TextsStayWithinTwoDigitsOfMinutesWhateverTheHostSends)
{
    EXPECT_EQ(RoundClock::format(RoundClock::kMaxShownSeconds), "99:59");
    EXPECT_EQ(RoundClock::format(RoundClock::kMaxShownSeconds + 1), "99:59");
    EXPECT_EQ(RoundClock::format(2147483647), "99:59");
    EXPECT_EQ(RoundClock::format(-5), "0:00");
    EXPECT_EQ(RoundClock::format(-2147483647 - 1), "0:00");

    // The count itself runs on from the host's value; only its text stops.
    loginAs(2);
    playRound(5, 2147483647);
    session.clockTick();
    EXPECT_EQ(session.secondsleft(), 2147483646);
    EXPECT_EQ(session.roundClock().text(), "Time: 99:59");
}

TEST_F(Clock, EachTickCountsDownTheTextBarAndColour)
{
    loginAs(2);
    playRound(5, 76);
    session.clockTick();
    EXPECT_EQ(session.roundClock().text(), "Time: 1:15");
    EXPECT_EQ(session.roundClock().barWidth(), 75);
    EXPECT_EQ(session.roundClock().colour(), rgbColour(224, 227, 157));
    for (int i = 0; i < 66; ++i)
        session.clockTick();
    EXPECT_EQ(session.roundClock().text(), "Time: 0:09");
    EXPECT_EQ(session.roundClock().colour(), rgbColour(255, 0, 0));
    EXPECT_EQ(session.roundClock().barWidth(), 9);
}

TEST_F(Clock, ColourTurnsRedBelowTwentySeconds)
{
    loginAs(2);
    playRound(5, 21);
    session.clockTick();
    EXPECT_EQ(session.roundClock().colour(), RoundClock::kCalmColour);
    session.clockTick();
    EXPECT_EQ(session.roundClock().colour(), RoundClock::kHurryColour);
}

TEST_F(Clock, TimeCueAtTwentyFifteenAndEachOfTheLastTenSeconds)
{
    loginAs(2);
    playRound(5, 30);
    std::vector<int> cuedAt;
    for (int i = 0; i < 29; ++i) {
        out.cues.clear();
        session.clockTick();
        if (countCue(Cue::Time) == 1)
            cuedAt.push_back(session.secondsleft());
    }
    EXPECT_EQ(cuedAt, (std::vector<int>{20, 15, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(Clock, ReachingZeroEndsEntryBeforeTheServerDoes)
{
    loginAs(2);
    playRound(5, 2);
    session.clockTick();
    session.clockTick();
    EXPECT_EQ(session.secondsleft(), 0);
    EXPECT_EQ(session.guessslot(), 0);
    EXPECT_FALSE(session.board().checkVisible());
    EXPECT_EQ(session.roundClock().text(), "Time: 0:00");
    EXPECT_EQ(session.roundClock().barWidth(), 0);
    EXPECT_EQ(countCue(Cue::Time), 1) << "only at one second left";
    session.ballClick(1, 1);
    EXPECT_EQ(session.board().hole(1, 1).colour, 1);
    // The clock keeps running at zero until the round ends.
    session.clockTick();
    EXPECT_EQ(session.secondsleft(), 0);
    EXPECT_TRUE(session.roundClock().running());
}

TEST_F(Clock, TimeUpShowsZeroWithoutTheWordAndTheCode)
{
    loginAs(2);
    playRound();
    feed("CMD_timeup+4+3+2+1+");
    EXPECT_EQ(session.roundClock().text(), "0:00");
    EXPECT_EQ(session.roundClock().barWidth(), 0);
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Time is Up!."});
    EXPECT_EQ(session.board().codeColour(1), 4);
    EXPECT_EQ(session.board().codeColour(4), 1);
    EXPECT_EQ(countCue(Cue::TimeUp), 1);
    feed("CMD_endround+");
    EXPECT_FALSE(session.roundClock().running());
    EXPECT_EQ(out.clockCalls, std::vector<bool>{false});
}

TEST_F(Clock, HostileRoundTimesReachZeroWithoutOverflow)
{
    loginAs(2);
    playRound(5, -2147483647 - 1);
    session.clockTick();
    EXPECT_EQ(session.secondsleft(), 0);
    EXPECT_EQ(session.roundClock().text(), "Time: 0:00");
    EXPECT_EQ(session.guessslot(), 0);
}

TEST_F(Clock, TicksOfAStoppedClockChangeNothing)
{
    loginAs(2);
    playRound(5, 60);
    feed("CMD_endround+");
    session.clockTick();
    EXPECT_EQ(session.secondsleft(), 60);
}

} // namespace
} // namespace kalvex::testing
