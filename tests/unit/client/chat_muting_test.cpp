// Muting a seat's chat in this window, and the cue when somebody else's
// chat line names this player.

#include "client/name_mention.h"
#include "recording_output.h"

namespace kalvex::testing {
namespace {

class ChatComfort : public SessionTest
{
protected:
    void SetUp() override
    {
        loginAs(2, "Ann");
        seatPlayer(3, "Bob");
        seatPlayer(4, "Cy");
    }
};

TEST_F(ChatComfort, AMutedSeatsChatActionsAndChatterSoundsAreDroppedHereOnly)
{
    session.setSeatMuted(3, true);
    feed("CMD_chat+3+Bob chats: hello|clRed");
    feed("CMD_action+3+Bob says: Nice Try!|clBlack");
    feed("CMD_playasound+3+wave14+");
    feed("CMD_chat+4+Cy chats: hi|clBlack");
    feed("CMD_playasound+4+wave3+");
    EXPECT_EQ(out.lines, std::vector<std::string>{"4+Cy chats: hi"});
    EXPECT_EQ(out.lineColours, std::vector<ColourValue>{kColourBlack});
    EXPECT_EQ(out.chatterPlayed, std::vector<std::string>{"wave3"});
    EXPECT_TRUE(out.sent.empty()) << "muting sends nothing";

    session.setSeatMuted(3, false);
    feed("CMD_chat+3+Bob chats: back|clRed");
    EXPECT_EQ(out.lines.back(), "3+Bob chats: back");
    EXPECT_EQ(out.lineColours.back(), kColourRed);
}

TEST_F(ChatComfort, TheMuteEndsWithThePlayerWhoHeldTheSeat)
{
    session.setSeatMuted(3, true);
    feed("CMD_playerdisconnected+3+Bob");
    EXPECT_FALSE(session.seatMuted(3));

    session.setSeatMuted(4, true);
    feed("CMD_newplayerinfo+4+Dee");
    EXPECT_FALSE(session.seatMuted(4)) << "a newcomer in the seat is heard";
    out.forget();
    feed("CMD_chat+4+Dee chats: hi|clBlack");
    EXPECT_EQ(out.lines, std::vector<std::string>{"4+Dee chats: hi"});
}

TEST_F(ChatComfort, SeatsOutsideTheRosterCannotBeMuted)
{
    session.setSeatMuted(0, true);
    session.setSeatMuted(11, true);
    EXPECT_FALSE(session.seatMuted(0));
    EXPECT_FALSE(session.seatMuted(11));
    feed("CMD_chat+x+garbled|clRed");
    EXPECT_TRUE(out.lines.empty()) << "a line without a slot number shows nothing";
    feed("CMD_chat+0+Server: a system chat without a colour");
    EXPECT_EQ(out.lines, std::vector<std::string>{"0+Server: a system chat without a colour"});
    EXPECT_EQ(out.lineColours, std::vector<ColourValue>{kColourRed})
        << "a line without a slot to mute is shown, in red for want of a colour";
}

TEST_F(ChatComfort, SomebodyElseNamingThisPlayerPlaysTheMentionCue)
{
    feed("CMD_chat+3+Bob chats: well done ann!|clRed");
    EXPECT_EQ(countCue(Cue::Mention), 1);
    feed("CMD_action+4+Cy waves at Ann|clBlack");
    EXPECT_EQ(countCue(Cue::Mention), 2);
    feed("CMD_chat+3+Bob chats: Annabel is late|clRed");
    feed("CMD_chat+2+Ann chats: I am Ann|clBlack");
    feed("CMD_chat+3+Bob chats: no names here|Ann");
    EXPECT_EQ(countCue(Cue::Mention), 2)
        << "no cue for a longer word, for this player's own line, or in the colour part";

    session.setSeatMuted(3, true);
    feed("CMD_chat+3+Bob chats: Ann?|clRed");
    EXPECT_EQ(countCue(Cue::Mention), 2) << "a muted seat cannot call";
}

TEST_F(ChatComfort, ASenderWhoseNameHoldsThePlayersNameDoesNotCallByItsHead)
{
    seatPlayer(5, "Ann B");
    feed("CMD_chat+5+Ann B chats: hello all|clRed");
    EXPECT_EQ(countCue(Cue::Mention), 0);
}

TEST(NameMention, WholeWordsInAnyLetterCase)
{
    EXPECT_TRUE(mentionsName("Bob chats: hi ANN", "Bob", "Ann"));
    EXPECT_TRUE(mentionsName("Bob chats: @ann, look", "Bob", "Ann"));
    EXPECT_TRUE(mentionsName("Bob chats: [Ann]!", "Bob", "[Ann]"));
    EXPECT_TRUE(mentionsName("Bob chats: Mary Lou?", "Bob", "Mary Lou"));
    EXPECT_FALSE(mentionsName("Bob chats: banner", "Bob", "Ann"));
    EXPECT_FALSE(mentionsName("Bob chats: Ann_2", "Bob", "Ann"));
    EXPECT_FALSE(mentionsName("Bob chats: anything", "Bob", ""));
    EXPECT_FALSE(mentionsName("An", "", "Ann"));
    // A letter of another alphabet joins a word like any other letter.
    EXPECT_FALSE(mentionsName("Bob chats: Ann\xC3\xA9", "Bob", "Ann"));
    EXPECT_TRUE(mentionsName("Bob chats: Zo\xC3\xAB!", "Bob", "Zo\xC3\xAB"));
}

} // namespace
} // namespace kalvex::testing
