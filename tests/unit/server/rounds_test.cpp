// Game start, rounds, rows, the clock, round ends and late joiners.

#include "server_harness.h"

using namespace kalvex;
using namespace kalvex::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Rounds = ServerTest;

TEST_F(Rounds, GameStartAnnouncesTheGameAndPromptsEverySlotForRowOne)
{
    seat({"Bob", "Ann"});
    line(2, "CMD_justwatch+2+2");
    take();
    startGame(3, 60);
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_startgame+Bob+3+60+0+0+"),
                            sent(2, "CMD_startgame+Bob+3+60+0+0+"), sent(1, "CMD_startround+1+"),
                            sent(2, "CMD_startround+1+"), sent(1, "CMD_nextplayer+1+1+"),
                            sent(2, "CMD_nextplayer+2+1+"), clock(false), clock(true)));
    EXPECT_TRUE(server.gameOn());
    EXPECT_TRUE(server.roundOn());
    EXPECT_EQ(server.countdown(), 64);
    EXPECT_EQ(server.clockPurpose(), ClockPurpose::TimeUp);
    // Free slots are set to row 1 too, for a late joiner.
    EXPECT_EQ(player(7).row, 1);
}

TEST_F(Rounds, CodeIsDrawnFromFiveOrSixColours)
{
    seat({"Bob"});
    random.code(5, 4, 3, 2);
    startGame(3, 60);
    EXPECT_EQ(random.lastRange, 5);
    EXPECT_EQ(server.secretCode(), (Code{5, 4, 3, 2}));
    startGame(3, 60, 0, 1);
    EXPECT_EQ(random.lastRange, 6);
    EXPECT_EQ(player(1).row, 1);
}

TEST_F(Rounds, SpectatorsArePromptedLikeEveryoneAndGuessingMakesThemPlayAgain)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    line(2, "CMD_justwatch+2+1");
    take();
    guess(2, 1, 1, 1, 1);
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_justwatching+2+2"), sent(2, "CMD_justwatching+2+2"),
                            sent(2, "CMD_yourresult+2+1+1+0+3+"), sent(2, "CMD_nextplayer+2+2+")));
    EXPECT_FALSE(player(2).watching);
}

TEST_F(Rounds, GuessWithABadColourStillEndsTheWatchingButIsNotJudged)
{
    seat({"Bob", "Ann"});
    startGame(3, 60);
    line(2, "CMD_justwatch+2+1");
    take();
    line(2, "CMD_checkit+2+1+x+1+1+");
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_justwatching+2+2"), sent(2, "CMD_justwatching+2+2")));
    EXPECT_FALSE(player(2).watching);
    EXPECT_EQ(player(2).row, 1);
}

TEST_F(Rounds, TwoGuessesForTheSameRowCountAsTwoRows)
{
    seat({"Bob"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    take();
    guess(1, 5, 5, 5, 5);
    guess(1, 5, 5, 5, 5);
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_yourresult+1+1+0+0+4+"), sent(1, "CMD_nextplayer+1+2+"),
                            sent(1, "CMD_yourresult+1+2+0+0+4+"), sent(1, "CMD_nextplayer+1+3+")));
}

TEST_F(Rounds, TwelveWrongRowsShowTheCodeAndEndTheRound)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    guess(1, 1, 2, 3, 4);
    for (int row = 1; row <= 11; ++row)
        guess(2, 4, 3, 2, 1);
    take();
    guess(2, 4, 3, 2, 1);
    EXPECT_THAT(take(),
                ElementsAre(sent(2, "CMD_yourresult+2+12+0+4+0+"),
                            sent(2, "CMD_nomoreguesses+2+1+2+3+4+"), sent(1, "CMD_didntgetit+2+"),
                            sent(2, "CMD_didntgetit+2+"), sent(1, "CMD_endround+"),
                            sent(2, "CMD_endround+"), clock(true)));
    EXPECT_EQ(player(2).row, 13);
    guess(2, 1, 2, 3, 4);
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(Rounds, SolvingEndsTheRoundWhenNobodyIsLeftGuessingAndTheClockKeepsItsPhase)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    tick(5);
    guess(1, 1, 2, 3, 4);
    take();
    tick(3);
    guess(2, 1, 2, 3, 4);
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_gotit+2+12+12+1+1+2+3+4+"),
                            sent(2, "CMD_gotit+2+12+12+1+1+2+3+4+"), sent(1, "CMD_endround+"),
                            sent(2, "CMD_endround+"), clock(true)));
    EXPECT_FALSE(server.roundOn());
    EXPECT_EQ(server.clockPurpose(), ClockPurpose::StartRound);
    tick(10);
    EXPECT_THAT(take(), IsEmpty());
    tick(1);
    EXPECT_THAT(take(), ElementsAre(clock(false), sent(1, "CMD_startround+2+"),
                                    sent(2, "CMD_startround+2+"), sent(1, "CMD_nextplayer+1+1+"),
                                    sent(2, "CMD_nextplayer+2+1+"), clock(false), clock(true)));
}

TEST_F(Rounds, PauseIsSevenTicksWhileOnlyTheHostEverConnected)
{
    seat({"Bob"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    guess(1, 1, 2, 3, 4);
    EXPECT_EQ(server.countdown(), 7);
    tick(6);
    EXPECT_EQ(server.roundNumber(), 1);
    tick(1);
    EXPECT_EQ(server.roundNumber(), 2);
}

TEST_F(Rounds, PauseStaysElevenTicksAfterTheJoinersLeft)
{
    seat({"Bob", "Ann"});
    leave(2);
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    guess(1, 1, 2, 3, 4);
    EXPECT_EQ(server.countdown(), 11);
}

TEST_F(Rounds, TimeUpShowsTheCodeAndEndsTheRoundAfterTheGrace)
{
    seat({"Bob", "Ann"});
    random.code(6, 5, 4, 3);
    startGame(3, 30, 0, 1);
    take();
    tick(33);
    EXPECT_THAT(take(), IsEmpty());
    guess(1, 6, 5, 4, 3); // in the grace seconds, still judged
    take();
    tick(1);
    EXPECT_THAT(take(), ElementsAre(clock(false), sent(1, "CMD_timeup+6+5+4+3+"),
                                    sent(2, "CMD_timeup+6+5+4+3+"), sent(1, "CMD_endround+"),
                                    sent(2, "CMD_endround+"), clock(true)));
    EXPECT_EQ(player(2).timeused, 30);
    EXPECT_EQ(player(1).timeused, 29);
    guess(2, 6, 5, 4, 3);
    EXPECT_THAT(take(), IsEmpty());
    tick(10);
    EXPECT_EQ(server.roundNumber(), 1);
    tick(1);
    EXPECT_EQ(server.roundNumber(), 2);
}

TEST_F(Rounds, StartingToWatchEndsTheRoundWhenTheOthersHaveFinished)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    guess(1, 1, 2, 3, 4);
    take();
    line(2, "CMD_justwatch+2+1");
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_justwatching+2+1"), sent(2, "CMD_justwatching+2+1"),
                            sent(1, "CMD_endround+"), sent(2, "CMD_endround+"), clock(true)));
    EXPECT_EQ(player(2).timeused, 60);
}

TEST_F(Rounds, StartingToWatchDuringThePauseDoesNotEndTheRoundAgain)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    guess(1, 1, 2, 3, 4);
    guess(2, 1, 2, 3, 4);
    tick(4);
    take();
    line(2, "CMD_justwatch+2+1");
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_justwatching+2+1"), sent(2, "CMD_justwatching+2+1")));
    EXPECT_EQ(server.countdown(), 7);
    EXPECT_EQ(server.clockPurpose(), ClockPurpose::StartRound);
}

TEST_F(Rounds, DepartureOfTheLastGuesserDoesNotEndTheRound)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    guess(1, 1, 2, 3, 4);
    leave(2);
    EXPECT_TRUE(server.roundOn());
    tick(63);
    EXPECT_TRUE(server.roundOn());
    tick(1);
    EXPECT_FALSE(server.roundOn());
}

TEST_F(Rounds, LateJoinerIsSentTheGameStateAfterTheRoster)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(5, 90, 1, 1);
    guess(2, 1, 2, 3, 5);
    guess(2, 1, 2, 3, 4); // 11 points on row 2
    tick(10);
    take();
    EXPECT_EQ(join("Cid"), 3);
    EXPECT_THAT(takeFor(3),
                ElementsAre(sent(3, "CMD_newplayerinfo+3+Cid"),
                            sent(3, "CMD_existingplayers+1+Bob"),
                            sent(3, "CMD_existingplayers+2+Ann"),
                            sent(3, "CMD_loadgame+3+5+1+90+80+1+1+0+2+11+3+0+4+0+5+0+6+0+7+0+8+0+"
                                    "9+0+10+0"),
                            sent(3, "CMD_setbonus+1+1+")));
}

TEST_F(Rounds, LateJoinerTakesOverTheSlotsRowAndSecondsLeftGoNegative)
{
    seat({"Bob", "Ann"});
    startGame(5, 20);
    guess(2, 5, 5, 5, 5);
    leave(2);
    tick(22);
    take();
    join("Dee");
    EXPECT_EQ(takeFor(2)[2], sent(2, "CMD_loadgame+2+5+1+20+-2+2+1+0+2+0+3+0+4+0+5+0+6+0+7+0+8+0+"
                                     "9+0+10+0"));
}

TEST_F(Rounds, NoGameStateForAJoinerWhileNoGameIsOn)
{
    seat({"Bob"});
    join("Ann");
    for (const std::string &e : take())
        EXPECT_EQ(e.find("CMD_loadgame"), std::string::npos) << e;
}

TEST_F(Rounds, GameStartThatDoesNotReadChangesNothing)
{
    seat({"Bob", "Ann"});
    line(1, "CMD_startgame+B+ob+5+120+0+0+");
    line(1, "CMD_startgame+Bob+5+120+");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_FALSE(server.gameOn());
    join("Cid");
    for (const std::string &e : take())
        EXPECT_EQ(e.find("CMD_loadgame"), std::string::npos) << e;
}

TEST_F(Rounds, NewGameReplacesARunningOneButKeepsTimeUsed)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(5, 60);
    tick(20);
    guess(2, 1, 2, 3, 4);
    line(2, "CMD_justwatch+2+1");
    EXPECT_EQ(player(2).timeused, 16);
    take();
    startGame(2, 30);
    EXPECT_EQ(take()[0], clock(false));
    EXPECT_EQ(server.roundNumber(), 1);
    EXPECT_EQ(server.countdown(), 34);
    EXPECT_EQ(player(2).score, 0);
    EXPECT_EQ(player(2).row, 1);
    EXPECT_FALSE(player(2).watching);
    EXPECT_EQ(player(2).timeused, 16);
}

TEST_F(Rounds, ConnectionThatNeverLoggedInDoesNotHoldTheRoundOpen)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    const int silent = connect();
    ASSERT_EQ(silent, 3);
    guess(1, 1, 2, 3, 4);
    EXPECT_TRUE(server.roundOn());
    guess(2, 1, 2, 3, 4);
    EXPECT_FALSE(server.roundOn());
    // Once logged in, a late joiner plays the rest of the game like anyone.
    line(silent, "CMD_logininfo+3+1.0.5+Cy");
    tick(11);
    EXPECT_EQ(server.roundNumber(), 2);
    EXPECT_TRUE(server.roundOn());
    guess(1, 1, 1, 1, 1);
    guess(2, 1, 1, 1, 1);
    EXPECT_TRUE(server.roundOn());
    line(silent, "CMD_justwatch+3+1");
    EXPECT_FALSE(server.roundOn());
}
