// The game client's wiring: the session and the chat composer share one link,
// one seat table and one transcript, and a program without some ports plays
// all the same.

#include "recording_output.h"

namespace kalvex::testing {
namespace {

using Wiring = SessionTest;

TEST_F(Wiring, TheChatSendsOnTheSessionsLinkAsItsSlot)
{
    loginAs(2, "Ann");
    client.chat().phraseClicked(1);
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_action+2+says: Way To Go!|clBlack")});
    out.sent.clear();
    EXPECT_TRUE(client.chat().sendit("hello"));
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_chat+2+hello|clBlack")});
}

TEST_F(Wiring, ChatterSoundsAreNamedByTheSessionsSeatsAndPlayedOrShown)
{
    loginAs(2, "Ann");
    seatPlayer(3, "Bob");
    feed("CMD_playasound+3+wave3+");
    EXPECT_EQ(out.chatterPlayed, std::vector<std::string>{"wave3"});
    EXPECT_TRUE(out.lines.empty());

    out.chatterOn = false;
    feed("CMD_playasound+3+wave3+");
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Bob: <Chatter Sound> " +
                                                  std::string(chatterSoundCaption(3))});
    feed("CMD_playasound+11+wave3+");
    EXPECT_EQ(out.lines.size(), 1u) << "a spectator has no seat name to show";
    EXPECT_EQ(client.seatName(3), "Bob");
    EXPECT_EQ(client.seatName(11), std::nullopt);
}

TEST_F(Wiring, AChosenTextColourIsSentAndKept)
{
    loginAs(2, "Ann");
    client.chat().textColourChosen(kColourRed);
    EXPECT_EQ(out.colourSaves, 1);
    EXPECT_TRUE(client.chat().sendit("hi"));
    EXPECT_EQ(out.sent, std::vector<std::string>{wire("CMD_chat+2+hi|clRed")});
}

// The link and the session's owner only, as a computer player has them.
class BareClient : public ::testing::Test
{
protected:
    RecordedClient<> recorded{false};
    RecordingOutput &out = recorded.out;
    GameClient &client = recorded.client;

    void feed(std::string_view line) { client.session().handleLine(line); }
};

TEST_F(BareClient, PlaysAWholeRoundWithoutTheOptionalPorts)
{
    client.session().setPlayername("Ann");
    feed("CMD_sendlogininfo+2");
    feed("CMD_newplayerinfo+2+Ann");
    feed("CMD_newplayerinfo+11+Eve");
    feed("CMD_playasound+11+wave3+");
    feed("CMD_startgame+Bob+1+60+0+0+");
    feed("CMD_startround+1+");
    feed("CMD_nextplayer+2+1+");
    feed("CMD_gotit+2+12+12+1+1+1+1+1+");
    feed("CMD_winner+2+");
    feed("CMD_playerdisconnected+11+Eve");
    EXPECT_EQ(out.iniLoads, 1);
    EXPECT_EQ(out.sent.size(), 1u) << "the login only";
    EXPECT_TRUE(out.cues.empty());
    EXPECT_TRUE(out.tally.empty());
    EXPECT_TRUE(out.spiesIn.empty());
    EXPECT_EQ(out.redraws, 0);
    EXPECT_EQ(out.lines.front(), "0+You are Connected.");
    EXPECT_EQ(out.lines.back(), "0+You have Won the Game!");
    EXPECT_EQ(client.session().statusText(), "You have Won the Game!");
}

TEST_F(BareClient, APortGivenLaterHearsWhatFollows)
{
    RecordingOutput tally;
    client.session().setPlayername("Ann");
    feed("CMD_sendlogininfo+2");
    feed("CMD_startgame+Bob+1+60+0+0+");
    feed("CMD_startround+1+");
    client.setTally(&tally);
    client.setSpectators(&tally);
    feed("CMD_gotit+2+12+12+1+1+1+1+1+");
    feed("CMD_newplayerinfo+12+Eve");
    EXPECT_EQ(tally.tally, std::vector<int>{3});
    EXPECT_EQ(tally.spiesIn, (std::vector<std::pair<int, std::string>>{{12, "Eve"}}));
}

} // namespace
} // namespace kalvex::testing
