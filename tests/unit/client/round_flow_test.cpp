#include "recording_output.h"

namespace kalvex::testing {
namespace {

using GameStart = SessionTest;

TEST_F(GameStart, AnnouncesTheGameAndSetsItsOptions)
{
    session.setHosting(true);
    loginAs(1, "Bob");
    feed("CMD_justwatching+1+1");
    out.forget();
    feed("CMD_startgame+Bob+5+120+1+1+");
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Bob has started a game."});
    EXPECT_FALSE(session.startButtonVisible());
    EXPECT_FALSE(session.justWatch());
    EXPECT_FALSE(seat(1).watching);
    EXPECT_EQ(session.roundstotal(), 5);
    EXPECT_EQ(session.roundseconds(), 120);
    EXPECT_TRUE(session.bonusBadgeVisible());
    EXPECT_EQ(session.gameTypeText(), "Six Color Game");
    EXPECT_EQ(session.gametype(), 1);
    EXPECT_EQ(session.roundText(), "ROUND: 0/0") << "left for the round start";
}

TEST_F(GameStart, FlagsThatAreNotNumbersCountAsZero)
{
    loginAs(2);
    feed("CMD_startgame+Bob+3+60+yes++");
    EXPECT_FALSE(session.bonusBadgeVisible());
    EXPECT_EQ(session.gameTypeText(), "Five Color Game");
    EXPECT_EQ(session.gametype(), 0);
}

TEST_F(GameStart, HostNameWithPlusShiftsTheFieldsAndStopsAfterClearing)
{
    loginAs(2);
    feed("CMD_startgame+Bob+7+60+0+0+");
    feed("CMD_startround+1+");
    feed("CMD_gotit+2+12+12+1+1+1+1+1+");
    out.forget();
    EXPECT_THROW(feed("CMD_startgame+B+b+5+60+0+0+"), ConvertError);
    EXPECT_EQ(seat(2).score, "0") << "clearing ran before the bad field";
    EXPECT_EQ(session.roundstotal(), 7);
    EXPECT_TRUE(out.lines.empty());
}

TEST_F(GameStart, ClearsMarkersAndBoardButKeepsNames)
{
    loginAs(2, "Ann");
    playRound();
    feed("CMD_gottime+2+17+");
    feed("CMD_winner+2+");
    feed("CMD_startgame+Bob+5+120+0+0+");
    EXPECT_EQ(session.winnerSeat(), 0);
    EXPECT_EQ(session.timeBonusSeat(), 0);
    EXPECT_EQ(seat(2).name, "Ann");
    EXPECT_EQ(seat(2).score, "0");
    EXPECT_EQ(session.board().hole(1, 1).colour, 0);
    EXPECT_TRUE(session.board().valueMarkerVisible(1));
}

using RoundStart = SessionTest;

TEST_F(RoundStart, ShowsRoundOfTotalResetsBoardAndCountsARound)
{
    loginAs(2);
    feed("CMD_startgame+Bob+5+100+0+0+");
    feed("CMD_startround+1+");
    feed("CMD_nextplayer+2+1+");
    session.checkPress();
    feed("CMD_yourresult+2+1+0+1+3+");
    feed("CMD_timeup+1+2+3+4+");
    out.forget();
    feed("CMD_startround+3+");
    EXPECT_EQ(session.roundText(), "ROUND: 3/5");
    EXPECT_EQ(session.statusText(), "Round is starting");
    EXPECT_FALSE(session.board().checkVisible());
    EXPECT_EQ(session.board().checkRow(), 1);
    EXPECT_FALSE(session.board().clueBox(1).visible);
    EXPECT_TRUE(session.board().valueMarkerVisible(1));
    EXPECT_EQ(session.board().hole(1, 1).colour, 0);
    EXPECT_EQ(session.board().codeColour(1), 0);
    EXPECT_EQ(out.tally, std::vector<int>{4});
    EXPECT_EQ(session.secondsleft(), 100);
}

TEST_F(RoundStart, KeepsScoresAndWatchingButClearsRoundMarks)
{
    loginAs(2);
    seatPlayer(3, "Cy");
    playRound();
    feed("CMD_gotit+3+9+9+4+1+1+1+1+");
    feed("CMD_justwatching+3+1");
    feed("CMD_startround+2+");
    EXPECT_EQ(seat(3).score, "9");
    EXPECT_TRUE(seat(3).watching);
    EXPECT_EQ(seat(3).roundPoints, "");
    EXPECT_FALSE(seat(3).bold);
    EXPECT_FALSE(seat(3).solved);
}

TEST_F(RoundStart, RoundTextCanRunPastTheTotalAfterATie)
{
    loginAs(2);
    feed("CMD_startgame+Bob+5+60+0+0+");
    feed("CMD_tiegame+");
    feed("CMD_startround+6+");
    EXPECT_EQ(session.roundText(), "ROUND: 6/5");
    EXPECT_EQ(out.lines.back(), "0+The Game is tied, so you will play another round.");
}

using Solving = SessionTest;

TEST_F(Solving, AnotherPlayersSolveChangesOnlyTheRoster)
{
    loginAs(2);
    seatPlayer(3, "Cy");
    playRound();
    feed("CMD_gotit+3+21+9+4+1+2+3+4+");
    EXPECT_EQ(seat(3).score, "21");
    EXPECT_EQ(seat(3).roundPoints, "+9");
    EXPECT_TRUE(seat(3).bold);
    EXPECT_TRUE(seat(3).solved);
    EXPECT_TRUE(out.cues.empty());
    EXPECT_EQ(session.statusText(), "Be a MasterMind!");
    EXPECT_EQ(session.guessslot(), 2);
    EXPECT_EQ(session.board().codeColour(1), 0);
}

TEST_F(Solving, OwnSolveShowsGreenPegsAndTheCodeAndCountsACrackedCode)
{
    loginAs(2);
    playRound();
    session.checkPress();
    feed("CMD_gotit+2+12+12+1+3+5+2+1+");
    EXPECT_EQ(session.board().clueBox(1).pegs,
              (std::array<Peg, 4>{Peg::Green, Peg::Green, Peg::Green, Peg::Green}));
    EXPECT_TRUE(session.board().valueMarkerVisible(1));
    EXPECT_EQ(session.board().codeColour(2), 5);
    EXPECT_EQ(session.statusText(), "You are a MasterMind!");
    EXPECT_EQ(session.guessslot(), 0);
    EXPECT_EQ(out.tally, std::vector<int>{3});
    EXPECT_EQ(out.cues, std::vector<Cue>{Cue::Right});
    EXPECT_EQ(seat(2).roundPoints, "+12");
}

TEST_F(Solving, SolveOnRowTwelveGivesOnePoint)
{
    loginAs(2);
    playRound();
    feed("CMD_gotit+2+1+1+12+1+1+1+1+");
    EXPECT_EQ(seat(2).roundPoints, "+1");
    EXPECT_TRUE(session.board().clueBox(12).visible);
}

TEST_F(Solving, OutOfGuessesThenFailedStopsOnlyThisClock)
{
    loginAs(2);
    playRound();
    feed("CMD_yourresult+2+12+0+0+4+");
    out.forget();
    feed("CMD_nomoreguesses+2+1+2+3+4+");
    feed("CMD_didntgetit+2+");
    EXPECT_EQ(session.statusText(), "You are out of guesses.");
    EXPECT_TRUE(seat(2).failed);
    EXPECT_EQ(seat(2).roundPoints, "");
    EXPECT_FALSE(session.board().valueMarkerVisible(12));
    EXPECT_EQ(session.board().codeColour(3), 3);
    EXPECT_EQ(session.guessslot(), 0);
    EXPECT_EQ(out.clockCalls, std::vector<bool>{false});
    EXPECT_EQ(out.cues, std::vector<Cue>{Cue::TimeUp});
}

TEST_F(Solving, AnotherPlayersOutOfGuessesIsIgnoredButItsFailureShows)
{
    loginAs(2);
    seatPlayer(5, "Eve");
    playRound();
    feed("CMD_nomoreguesses+5+1+2+3+4+");
    EXPECT_EQ(session.board().codeColour(1), 0);
    EXPECT_EQ(session.guessslot(), 2);
    feed("CMD_didntgetit+5+");
    EXPECT_TRUE(seat(5).failed);
    EXPECT_TRUE(out.clockCalls.empty());
}

using RoundEnd = SessionTest;

TEST_F(RoundEnd, StopsTheClockHidesCheckAndEndsEntry)
{
    loginAs(2);
    playRound();
    feed("CMD_endround+");
    EXPECT_EQ(session.statusText(), "Round is Over.. Please Wait..");
    EXPECT_FALSE(session.board().checkVisible());
    EXPECT_EQ(session.guessslot(), 0);
    EXPECT_EQ(out.cues, std::vector<Cue>{Cue::RoundOver});
    session.ballClick(1, 1);
    EXPECT_EQ(session.board().hole(1, 1).colour, 1);
}

using GameEnd = SessionTest;

TEST_F(GameEnd, TimeBonusForAnotherPlayerNamesTheSeat)
{
    loginAs(2);
    seatPlayer(4, "Dan");
    feed("CMD_gottime+4+30+");
    EXPECT_EQ(seat(4).score, "30");
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Dan got the Time Bonus."});
    EXPECT_EQ(session.timeBonusSeat(), 4);
}

TEST_F(GameEnd, TimeBonusComparesTheSlotAsText)
{
    loginAs(2, "Ann");
    feed("CMD_gottime+2+30+");
    EXPECT_EQ(out.lines.back(), "0+You got the Time Bonus.");
    feed("CMD_gottime+02+31+");
    EXPECT_EQ(out.lines.back(), "0+Ann got the Time Bonus.");
    EXPECT_EQ(seat(2).score, "31");
}

TEST_F(GameEnd, AnotherPlayersWinIsShownAndTalliedUnderItsName)
{
    loginAs(2);
    seatPlayer(5, "Eve");
    feed("CMD_winner+5+");
    EXPECT_EQ(session.statusText(), "Eve has Won the Game!");
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Eve has Won the Game!"});
    EXPECT_EQ(session.winnerSeat(), 5);
    EXPECT_EQ(out.games, std::vector<std::string>{"Eve"});
    EXPECT_EQ(out.cues, std::vector<Cue>{Cue::Winner});
}

TEST_F(GameEnd, OwnWinOnTheHostShowsTheStartButtonAgain)
{
    session.setHosting(true);
    loginAs(1, "Bob");
    feed("CMD_startgame+Bob+1+60+0+0+");
    EXPECT_FALSE(session.startButtonVisible());
    feed("CMD_winner+1+");
    EXPECT_EQ(session.statusText(), "You have Won the Game!");
    EXPECT_EQ(out.games, std::vector<std::string>{"addtomine"});
    EXPECT_TRUE(session.startButtonVisible());
}

TEST_F(GameEnd, JoinerKeepsTheStartButtonHiddenAfterAWin)
{
    loginAs(2);
    session.setStartButtonVisible(false);
    feed("CMD_winner+2+");
    EXPECT_FALSE(session.startButtonVisible());
}

TEST_F(GameEnd, WinnerOrBonusForASlotWithoutASeatIsIgnored)
{
    loginAs(2);
    feed("CMD_winner+11+");
    feed("CMD_gottime+0+5+");
    EXPECT_TRUE(out.lines.empty());
    EXPECT_TRUE(out.games.empty());
    EXPECT_EQ(session.winnerSeat(), 0);
}

using Newcomer = SessionTest;

TEST_F(Newcomer, LoadGameRestoresRoundScoresAndOpensTheRow)
{
    loginAs(3, "Cy");
    feed("CMD_loadgame+3+5+2+120+80+4+1+10+2+0+3+0+4+7+5+0+6+0+7+0+8+0+9+0+10+3");
    EXPECT_EQ(session.roundText(), "ROUND: 2/5");
    EXPECT_EQ(session.roundstotal(), 5);
    EXPECT_EQ(session.roundseconds(), 120);
    EXPECT_EQ(session.secondsleft(), 80);
    EXPECT_EQ(seat(1).score, "10");
    EXPECT_EQ(seat(4).score, "7");
    EXPECT_EQ(seat(10).score, "3") << "the open last score";
    EXPECT_EQ(session.board().openRow(), 4);
    EXPECT_EQ(session.guessslot(), 3);
    EXPECT_EQ(session.statusText(), "Be a MasterMind!");
    EXPECT_EQ(out.clockCalls, std::vector<bool>{true});
    EXPECT_EQ(countCue(Cue::Turn), 1);
}

TEST_F(Newcomer, MalformedOrSeatlessPairsAreSkipped)
{
    loginAs(3, "Cy");
    feed("CMD_loadgame+3+5+1+120+80+13+x+4+2+6+11+9+0+1+5+8");
    EXPECT_EQ(seat(2).score, "6");
    EXPECT_EQ(seat(5).score, "8");
    EXPECT_EQ(seat(4).score, "0");
    EXPECT_EQ(session.board().openRow(), 0) << "row 13: this round is done for the newcomer";
}

TEST_F(Newcomer, FewSecondsLeftDecideRowAndClock)
{
    loginAs(3, "Cy");
    feed("CMD_loadgame+3+5+1+120+4+1+");
    EXPECT_EQ(session.board().openRow(), 0);
    EXPECT_TRUE(out.clockCalls.empty());

    feed("CMD_loadgame+3+5+1+120+5+1+");
    EXPECT_EQ(session.board().openRow(), 0);
    EXPECT_EQ(out.clockCalls, std::vector<bool>{true});

    feed("CMD_loadgame+3+5+1+120+6+1+");
    EXPECT_EQ(session.board().openRow(), 1);
    EXPECT_EQ(out.clockCalls, (std::vector<bool>{true, true}));
}

TEST_F(Newcomer, NegativeSecondsLeftAreAccepted)
{
    loginAs(3, "Cy");
    feed("CMD_loadgame+3+5+1+120+-3+1+");
    EXPECT_EQ(session.secondsleft(), -3);
    EXPECT_TRUE(out.clockCalls.empty());
}

TEST_F(Newcomer, SetBonusShowsBadgeAndGameType)
{
    loginAs(3, "Cy");
    feed("CMD_setbonus+0+1+");
    EXPECT_FALSE(session.bonusBadgeVisible());
    EXPECT_EQ(session.gameTypeText(), "Six Color Game");
    EXPECT_TRUE(session.sixColours());
    feed("CMD_setbonus+1+0+");
    EXPECT_TRUE(session.bonusBadgeVisible());
    EXPECT_EQ(session.gameTypeText(), "Five Color Game");
    EXPECT_THROW(feed("CMD_setbonus+x+0+"), ConvertError);
}

} // namespace
} // namespace kalvex::testing
