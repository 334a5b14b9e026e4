#include "recording_output.h"

#include "net/message.h"

namespace kalvex::testing {
namespace {

using Login = SessionTest;

TEST_F(Login, AnswersWithSlotVersionAndNameEndingInTwoTerminators)
{
    session.setPlayername("Ann");
    feed("CMD_sendlogininfo+2");
    EXPECT_TRUE(session.loggedin());
    EXPECT_EQ(session.myslot(), 2);
    ASSERT_EQ(out.sent.size(), 1u);
    EXPECT_EQ(out.sent[0], std::string("CMD_logininfo+2+1.0.5+Ann\xFF\xFF"));
    EXPECT_TRUE(out.lines.empty());
}

TEST_F(Login, ASlotFollowedByPlusIsReadAsWell)
{
    feed("CMD_sendlogininfo+4+");
    EXPECT_EQ(session.myslot(), 4);
}

TEST_F(Login, NonNumericSlotThrowsAndLeavesTheClientLoggedOut)
{
    EXPECT_THROW(feed("CMD_sendlogininfo+x"), ConvertError);
    EXPECT_FALSE(session.loggedin());
    EXPECT_TRUE(out.sent.empty());
}

TEST_F(Login, StartsWithWaitingSeatsAndDesignTexts)
{
    for (int slot = 1; slot <= 10; ++slot) {
        EXPECT_EQ(seat(slot).name, "<Waiting>");
        EXPECT_EQ(seat(slot).score, "0");
        EXPECT_EQ(seat(slot).roundPoints, "");
    }
    EXPECT_EQ(session.statusText(), "Welcome to Kalvex");
    EXPECT_EQ(session.roundText(), "ROUND: 0/0");
    EXPECT_EQ(session.gameTypeText(), "Five Color Game");
    EXPECT_EQ(session.roundClock().text(), "Time: 0:00");
    EXPECT_TRUE(session.bonusBadgeVisible());
    EXPECT_EQ(session.guessslot(), 0);
}

using Roster = SessionTest;

TEST_F(Roster, NewcomerSeesItselfThenEveryExistingPlayerEachWithTheEnteredCue)
{
    session.setPlayername("Cy");
    feed("CMD_sendlogininfo+3");
    feed("CMD_newplayerinfo+3+Cy");
    feed("CMD_existingplayers+1+Bob");
    feed("CMD_existingplayers+2+Ann");
    EXPECT_EQ(out.lines, (std::vector<std::string>{"0+You are Connected.", "0+Bob is Connected.",
                                                   "0+Ann is Connected."}));
    for (ColourValue colour : out.lineColours)
        EXPECT_EQ(colour, kColourBlue);
    EXPECT_EQ(countCue(Cue::Entered), 3);
    EXPECT_EQ(out.iniLoads, 1);
    EXPECT_EQ(seat(1).name, "Bob");
    EXPECT_EQ(seat(2).name, "Ann");
    EXPECT_EQ(seat(3).name, "Cy");
}

TEST_F(Roster, NameWithPlusIsShownWhole)
{
    loginAs(1, "Bob");
    feed("CMD_newplayerinfo+2+A+n+n");
    EXPECT_EQ(seat(2).name, "A+n+n");
    EXPECT_EQ(out.lines.back(), "0+A+n+n is Connected.");
}

TEST_F(Roster, SlotAboveTheSeatsGoesToTheSpyList)
{
    loginAs(1, "Bob");
    feed("CMD_newplayerinfo+11+Eve");
    ASSERT_EQ(out.spiesIn.size(), 1u);
    EXPECT_EQ(out.spiesIn[0], std::make_pair(11, std::string("Eve")));
    feed("CMD_playerdisconnected+11+Eve");
    ASSERT_EQ(out.spiesOut.size(), 1u);
    EXPECT_EQ(out.spiesOut[0].first, 11);
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Eve is Connected."});
}

TEST_F(Roster, DepartureUsesTheSeatNameAndEmptiesTheSeatKeepingItsMarks)
{
    loginAs(1, "Bob");
    seatPlayer(2, "Ann");
    playRound();
    feed("CMD_gotit+2+12+12+1+1+2+3+4+");
    out.forget();
    feed("CMD_playerdisconnected+2+Whoever");
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Ann disconnected."});
    EXPECT_EQ(seat(2).name, "<Waiting>");
    EXPECT_EQ(seat(2).score, "12");
    EXPECT_EQ(seat(2).roundPoints, "+12");
    EXPECT_TRUE(seat(2).solved);
}

TEST_F(Roster, DepartureFromAnEmptySeatAddsNoLine)
{
    loginAs(1, "Bob");
    feed("CMD_playerdisconnected+5+Ghost");
    EXPECT_TRUE(out.lines.empty());
    EXPECT_EQ(seat(5).name, "<Waiting>");
}

TEST_F(Roster, SlotZeroNamesNoSeat)
{
    loginAs(1, "Bob");
    feed("CMD_newplayerinfo+0+Zed");
    feed("CMD_playerdisconnected+0+Zed");
    for (int slot = 2; slot <= 10; ++slot)
        EXPECT_EQ(seat(slot).name, "<Waiting>");
}

TEST_F(Roster, VersionNotices)
{
    feed("CMD_havewrongversion+Ann");
    feed("CMD_wrongversion+");
    EXPECT_EQ(out.lines, (std::vector<std::string>{
                             "0+Ann has a different version of the game then you.",
                             "0+You have a differnt version of the game then the host."}));
}

TEST_F(Roster, SeatColoursRepeatEveryFiveSlots)
{
    EXPECT_EQ(kalvex::Roster::seatColour(1), rgbColour(255, 255, 0));
    EXPECT_EQ(kalvex::Roster::seatColour(7), rgbColour(0, 255, 0));
    EXPECT_EQ(kalvex::Roster::seatColour(3), rgbColour(196, 196, 255));
    EXPECT_EQ(kalvex::Roster::seatColour(9), rgbColour(220, 156, 156));
    EXPECT_EQ(kalvex::Roster::seatColour(10), rgbColour(255, 128, 255));
}

using Dispatch = SessionTest;

TEST_F(Dispatch, GameIsFullOnlyForTheExactCommandWord)
{
    feed("CMD_full+");
    EXPECT_EQ(out.fullBoxes, 1);
    feed("CMD_fullx+");
    feed("cmd_full+");
    EXPECT_EQ(out.fullBoxes, 1);
}

TEST_F(Dispatch, LinesWithoutPlusOrUnknownWordsDoNothing)
{
    feed("CMD_full");
    feed("");
    feed("CMD_unknown+1+2+");
    EXPECT_EQ(out.fullBoxes, 0);
    EXPECT_TRUE(out.lines.empty());
    EXPECT_TRUE(out.sent.empty());
}

TEST_F(Dispatch, ChatActionAndChatterSoundsReachTheTranscriptAndTheSpeakers)
{
    feed("CMD_chat+2+Ann chats: a+b|clRed");
    feed("CMD_action+2+Ann waves|$00123456");
    feed("CMD_playasound+2+wave3+");
    EXPECT_EQ(out.lines, (std::vector<std::string>{"2+Ann chats: a+b", "2+Ann waves"}));
    EXPECT_EQ(out.lineColours, (std::vector<ColourValue>{kColourRed, 0x123456}));
    EXPECT_EQ(out.chatterPlayed, std::vector<std::string>{"wave3"});
}

TEST_F(Dispatch, EveryLineAsksForARedrawEvenWhenAFieldIsBad)
{
    feed("CMD_endround+");
    EXPECT_EQ(out.redraws, 1);
    EXPECT_THROW(feed("CMD_gotit+x+"), ConvertError);
    EXPECT_EQ(out.redraws, 2);
}

TEST_F(Dispatch, ConversionErrorNamesTheOffendingText)
{
    try {
        feed("CMD_startround+abc+");
        FAIL() << "no error";
    } catch (const ConvertError &error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
    // The next line is handled normally.
    feed("CMD_tiegame+");
    EXPECT_EQ(out.lines.back(), "0+The Game is tied, so you will play another round.");
}

using JustWatch = SessionTest;

TEST_F(JustWatch, OwnWatchingStateSetsAndClearsTheCheckMarkAndBadge)
{
    loginAs(2, "Ann");
    feed("CMD_justwatching+2+1");
    EXPECT_TRUE(session.justWatch());
    EXPECT_TRUE(seat(2).watching);
    feed("CMD_justwatching+2+2");
    EXPECT_FALSE(session.justWatch());
    EXPECT_FALSE(seat(2).watching);
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{"0+Ann is just watching", "0+Ann is now playing again"}));
}

TEST_F(JustWatch, AnotherPlayersStateLeavesTheCheckMark)
{
    loginAs(2, "Ann");
    seatPlayer(4, "Dan");
    feed("CMD_justwatching+4+1");
    EXPECT_FALSE(session.justWatch());
    EXPECT_TRUE(seat(4).watching);
}

TEST_F(JustWatch, SlotElevenChangesNothing)
{
    loginAs(2, "Ann");
    feed("CMD_justwatching+11+1");
    EXPECT_TRUE(out.lines.empty());
    EXPECT_FALSE(session.justWatch());
}

TEST_F(JustWatch, MenuClickAsksTheServerAndLeavesTheMarkToItsAnswer)
{
    feed("CMD_sendlogininfo+3");
    out.forget();
    session.justWatchClick();
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_justwatch+3+1")});
    EXPECT_FALSE(session.justWatch());
    feed("CMD_justwatching+3+1");
    session.justWatchClick();
    EXPECT_EQ(out.sent.back(), wire("CMD_justwatch+3+2"));
}

TEST_F(JustWatch, MenuClickBeforeLoginSendsNothing)
{
    session.justWatchClick();
    EXPECT_TRUE(out.sent.empty());
}

using SeatMenu = SessionTest;

TEST_F(SeatMenu, JoiningClientHasEveryItemDisabled)
{
    loginAs(2, "Ann");
    seatPlayer(1, "Bob");
    const SeatMenuItems items = session.openSeatMenu(1);
    EXPECT_FALSE(items.remove);
    EXPECT_FALSE(items.setWatching);
    EXPECT_FALSE(items.unsetWatching);
}

TEST_F(SeatMenu, HostOnAnEmptySeatCannotRemoveButCanSetWatching)
{
    session.setHosting(true);
    loginAs(1, "Bob");
    const SeatMenuItems items = session.openSeatMenu(6);
    EXPECT_FALSE(items.remove);
    EXPECT_TRUE(items.setWatching);
    EXPECT_TRUE(items.unsetWatching);
}

TEST_F(SeatMenu, HostRemovesAndSetsWatchingOnTheClickedSeat)
{
    session.setHosting(true);
    loginAs(1, "Bob");
    seatPlayer(7, "Gus");
    EXPECT_TRUE(session.openSeatMenu(7).remove);
    EXPECT_EQ(session.kickTarget(), 7);
    session.kickMenuRemove();
    session.kickMenuSetWatching();
    session.kickMenuUnsetWatching();
    EXPECT_EQ(out.sent,
              (std::vector<std::string>{wire("CMD_kickhim+1+7+"), wire("CMD_justwatch+7+1"),
                                        wire("CMD_justwatch+7+2")}));
}

TEST_F(SeatMenu, SpyListRemovalUsesTheSameKickRequest)
{
    session.setHosting(true);
    loginAs(1, "Bob");
    session.kicking(12);
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_kickhim+1+12+")});
}

TEST_F(SeatMenu, RemoveIsNotSentByAJoiningClient)
{
    loginAs(2, "Ann");
    seatPlayer(3, "Cy");
    session.openSeatMenu(3);
    session.kickMenuRemove();
    EXPECT_TRUE(out.sent.empty());
}

} // namespace
} // namespace kalvex::testing
