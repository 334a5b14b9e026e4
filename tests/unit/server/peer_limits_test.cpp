// What one peer may cost the others: lines before the login, the names it
// shows, the size and rate of its chat, and what it hears before it logs in.

#include "net/chat_limits.h"
#include "server_harness.h"

using namespace kalvex;
using namespace kalvex::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The relay every logged-in slot from 1 to `slots` receives.
std::vector<std::string> relayedToAll(int slots, const std::string &text)
{
    std::vector<std::string> all;
    for (int slot = 1; slot <= slots; ++slot)
        all.push_back(sent(slot, text));
    return all;
}

} // namespace

using EarlyLines = ServerTest;

TEST_F(EarlyLines, OnlyTheConnectionsOwnLoginIsQueuedBeforeItsLogin)
{
    seat({"Bob"});
    connect();
    take();
    const ConnectionId c = connections.at(2);
    EXPECT_FALSE(server.admitLine(c, "CMD_chat+2+hi|clRed"));
    EXPECT_FALSE(server.admitLine(c, ""));
    EXPECT_FALSE(server.admitLine(c, "CMD_logininfo+1+1.0.5+Mallory"));
    EXPECT_FALSE(server.admitLine(c, "CMD_logininfo+x+1.0.5+Mallory"));
    EXPECT_FALSE(server.admitLine(c, "CMD_logininfo2+2+1.0.5+Ann"));
    // Dropped as they arrive, logged once.
    EXPECT_EQ(out.logged.size(), 1u);
    EXPECT_TRUE(server.admitLine(c, "CMD_logininfo+2+1.0.5+Ann"));
    // What follows the login (the empty line of its second terminator, a chat
    // typed at once) waits behind it.
    EXPECT_TRUE(server.admitLine(c, ""));
    EXPECT_TRUE(server.admitLine(c, "CMD_chat+2+hi|clRed"));
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(EarlyLines, LoggedInPlayersLinesAreAllQueuedAndAGoneConnectionsNone)
{
    seat({"Bob", "Ann"});
    EXPECT_TRUE(server.admitLine(connections.at(2), "CMD_whatever+"));
    EXPECT_TRUE(server.admitLine(connections.at(2), "CMD_chat+1+forged|clRed"));
    const ConnectionId gone = connections.at(2);
    leave(2);
    EXPECT_FALSE(server.admitLine(gone, "CMD_logininfo+2+1.0.5+Ann"));
    // A new connection in the slot starts over.
    connect();
    EXPECT_FALSE(server.admitLine(connections.at(2), "CMD_chat+2+hi|clRed"));
    EXPECT_TRUE(server.admitLine(connections.at(2), "CMD_logininfo+2+1.0.5+Dee"));
}

using PrintableNames = ServerTest;

TEST_F(PrintableNames, ControlCharactersInALoginNameBecomeBlanksBeforeAnyoneSeesThem)
{
    seat({"Bob"});
    join(std::string("Al\x1A") + "ice\r\nX\x7F\t\x01" + "\xC3\xA9");
    const std::string shown = "Al ice  X   \xC3\xA9";
    EXPECT_EQ(player(2).name, shown);
    EXPECT_THAT(take(), ElementsAre("greet: " + wire("CMD_sendlogininfo+2"),
                                    sent(1, "CMD_newplayerinfo+2+" + shown),
                                    sent(2, "CMD_newplayerinfo+2+" + shown),
                                    sent(2, "CMD_existingplayers+1+Bob")));
    join("Cid");
    EXPECT_EQ(takeFor(3)[2], sent(3, "CMD_existingplayers+2+" + shown));
    line(2, "CMD_chat+2+hi|clRed");
    EXPECT_EQ(takeFor(1),
              std::vector<std::string>{sent(1, "CMD_chat+2+" + shown + " chats: hi|clRed")});
    leave(2);
    EXPECT_EQ(takeFor(1), std::vector<std::string>{sent(1, "CMD_playerdisconnected+2+" + shown)});
}

TEST_F(PrintableNames, ANameOfPrintableTextIsKeptByteForByte)
{
    seat({"Bob"});
    const std::string name = "Zo\xC3\xAB + \xE5\xAE\x9D ~!";
    join(name);
    EXPECT_EQ(player(2).name, name);
}

using ChatSize = ServerTest;

TEST_F(ChatSize, ChatAndActionUpToTheLimitAreRelayedOneByteMoreIsDroppedAndLogged)
{
    seat({"Bob", "Ann"});
    const std::string colour = "|clRed";
    const std::string atLimit = std::string(kMaxChatPayloadBytes - colour.size(), 'w') + colour;
    line(2, "CMD_chat+2+" + atLimit);
    EXPECT_EQ(take(), relayedToAll(2, "CMD_chat+2+Ann chats: " + atLimit));
    line(2, "CMD_action+2+" + atLimit);
    EXPECT_EQ(take(), relayedToAll(2, "CMD_action+2+Ann " + atLimit));
    const std::size_t logged = out.logged.size();

    line(2, "CMD_chat+2+w" + atLimit);
    line(2, "CMD_action+2+w" + atLimit);
    line(2, "CMD_playasound+2+" + std::string(kMaxChatPayloadBytes, '7') + "+");
    EXPECT_THAT(take(), IsEmpty());
    ASSERT_EQ(out.logged.size(), logged + 3);
    EXPECT_NE(out.logged[logged].find("8193 bytes"), std::string::npos) << out.logged[logged];
    // The sender carries on.
    line(2, "CMD_chat+2+ok|clRed");
    EXPECT_EQ(take().size(), 2u);
}

TEST_F(ChatSize, ALongNameDoesNotCountAgainstTheText)
{
    seat({"Bob"});
    join(std::string(30'000, 'N'));
    take();
    const std::string atLimit = std::string(kMaxChatPayloadBytes - 6, 'w') + "|clRed";
    line(2, "CMD_chat+2+" + atLimit);
    EXPECT_EQ(take().size(), 2u);
}

using ChatRate = ServerTest;

TEST_F(ChatRate, ABurstOfTenThenTwoASecondTheExcessDroppedAndLogged)
{
    seat({"Bob", "Ann"});
    for (int i = 0; i < 10; ++i)
        line(2, "CMD_chat+2+burst " + std::to_string(i) + "|clRed");
    EXPECT_EQ(take().size(), 20u);
    line(2, "CMD_chat+2+one too many|clRed");
    EXPECT_THAT(take(), IsEmpty());
    ASSERT_EQ(out.logged.size(), 1u);
    EXPECT_NE(out.logged[0].find("rate"), std::string::npos);

    time.now += 499;
    line(2, "CMD_chat+2+early|clRed");
    EXPECT_THAT(take(), IsEmpty());
    time.now += 1;
    line(2, "CMD_chat+2+half a second on|clRed");
    EXPECT_EQ(take().size(), 2u);
    line(2, "CMD_chat+2+again at once|clRed");
    EXPECT_THAT(take(), IsEmpty());

    // A long silence refills no more than the burst.
    time.now += 3'600'000;
    for (int i = 0; i < 12; ++i)
        line(2, "CMD_chat+2+later " + std::to_string(i) + "|clRed");
    EXPECT_EQ(take().size(), 20u);
}

TEST_F(ChatRate, ChatActionsAndSoundsShareOneBucketPerConnection)
{
    seat({"Bob", "Ann", "Cid"});
    for (int i = 0; i < 4; ++i) {
        line(2, "CMD_chat+2+c|clRed");
        line(2, "CMD_action+2+a|clRed");
        line(2, "CMD_playasound+2+wave3+");
    }
    // Ten of the twelve went out, each to three players.
    EXPECT_EQ(take().size(), 30u);
    // The others' buckets are their own.
    line(3, "CMD_playasound+3+wave4+");
    line(1, "CMD_chat+1+host|clRed");
    EXPECT_EQ(take().size(), 6u);
}

TEST_F(ChatRate, ForgedAndOversizedLinesTakeNothingFromTheBucketAndOtherCommandsAreNotLimited)
{
    seat({"Bob", "Ann"});
    for (int i = 0; i < 20; ++i) {
        line(2, "CMD_chat+1+forged|clRed");
        line(2, "CMD_chat+2+" + std::string(kMaxChatPayloadBytes + 1, 'x'));
        line(2, "CMD_justwatch+2+2");
    }
    take();
    for (int i = 0; i < 10; ++i)
        line(2, "CMD_chat+2+mine|clRed");
    EXPECT_EQ(take().size(), 20u);
}

TEST_F(ChatRate, ANewConnectionInTheSlotStartsWithAFullBucket)
{
    seat({"Bob", "Ann"});
    for (int i = 0; i < 11; ++i)
        line(2, "CMD_chat+2+x|clRed");
    leave(2);
    join("Dee");
    take();
    for (int i = 0; i < 10; ++i)
        line(2, "CMD_chat+2+y|clRed");
    EXPECT_EQ(take().size(), 20u);
}

using BeforeLogin = ServerTest;

TEST_F(BeforeLogin, AConnectionThatNeverLogsInHearsNoJoinChatGameOrResult)
{
    seat({"Bob"});
    EXPECT_EQ(connect(), 2);
    take();
    join("Ann");
    line(3, "CMD_chat+3+secret plans|clRed");
    line(3, "CMD_action+3+whispers|clRed");
    line(3, "CMD_playasound+3+wave2+");
    random.code(1, 2, 3, 4);
    startGame(1, 60);
    line(3, "CMD_justwatch+3+1");
    line(3, "CMD_justwatch+3+2");
    guess(3, 1, 2, 3, 4);
    guess(1, 1, 1, 1, 1);
    tick(64);
    leave(3);
    for (const std::string &e : take())
        EXPECT_EQ(e.rfind("to 2: ", 0), std::string::npos) << e;
    // The game was played meanwhile: Ann found the code on her first row.
    EXPECT_TRUE(player(2).connected);
    EXPECT_EQ(player(3).score, 12);
}

TEST_F(BeforeLogin, ANewcomerLearnsAtItsLoginOnlyOfThoseWhoLoggedIn)
{
    seat({"Bob"});
    EXPECT_EQ(connect(), 2);
    startGame(5, 60);
    take();
    EXPECT_EQ(join("Ann"), 3);
    const std::vector<std::string> toAnn = takeFor(3);
    ASSERT_EQ(toAnn.size(), 4u);
    EXPECT_EQ(toAnn[0], sent(3, "CMD_newplayerinfo+3+Ann"));
    EXPECT_EQ(toAnn[1], sent(3, "CMD_existingplayers+1+Bob"));
    EXPECT_EQ(toAnn[2].rfind("to 3: CMD_loadgame+3+5+1+60+", 0), 0u) << toAnn[2];
    EXPECT_EQ(toAnn[3], sent(3, "CMD_setbonus+0+0+"));

    // The late login of slot 2 brings it the same, and the others hear of it.
    line(2, "CMD_logininfo+2+1.0.5+Cid");
    const std::vector<std::string> all = take();
    EXPECT_THAT(all, ::testing::Contains(sent(1, "CMD_newplayerinfo+2+Cid")));
    EXPECT_THAT(all, ::testing::Contains(sent(3, "CMD_newplayerinfo+2+Cid")));
    EXPECT_THAT(all, ::testing::Contains(sent(2, "CMD_existingplayers+3+Ann")));
    EXPECT_THAT(all, ::testing::Contains(sent(2, "CMD_setbonus+0+0+")));
}

TEST_F(BeforeLogin, TheDepartureOfAConnectionNobodySawIsNotAnnounced)
{
    seat({"Bob", "Ann"});
    connect();
    take();
    leave(3);
    EXPECT_THAT(take(), ElementsAre(closed(3)));
}
