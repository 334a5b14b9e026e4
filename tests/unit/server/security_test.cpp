// Every line acts only for the connection it came on, and only as far as
// that connection may.

#include "server_harness.h"

using namespace kalvex;
using namespace kalvex::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ForgedLines = ServerTest;

TEST_F(ForgedLines, LoginForAnotherSlotIsDropped)
{
    seat({"Bob"});
    connect();
    take();
    line(2, "CMD_logininfo+1+1.0.5+Mallory");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_EQ(player(1).name, "Bob");
    EXPECT_FALSE(player(2).loggedIn);
    EXPECT_EQ(out.logged.size(), 1u);
}

TEST_F(ForgedLines, ChatActionAndSoundInAnotherNameAreDropped)
{
    seat({"Bob", "Ann", "Cid"});
    line(3, "CMD_chat+1+I resign|clRed");
    line(3, "CMD_action+2+cheats|clRed");
    line(3, "CMD_playasound+1+wave1+");
    line(3, "CMD_chat+11+hi|clRed");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_EQ(out.logged.size(), 4u);
}

TEST_F(ForgedLines, RemovalComesOnlyFromTheHostsConnection)
{
    seat({"Bob", "Ann", "Cid"});
    line(2, "CMD_kickhim+2+3+");
    line(2, "CMD_kickhim+1+3+");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_TRUE(player(3).connected);
}

TEST_F(ForgedLines, GameStartComesOnlyFromTheHostsConnection)
{
    seat({"Bob", "Ann"});
    line(2, "CMD_startgame+Ann+5+120+0+0+");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_FALSE(server.gameOn());
}

TEST_F(ForgedLines, OnlyTheHostChangesAnotherSlotsWatching)
{
    seat({"Bob", "Ann", "Cid"});
    startGame(5, 60);
    take();
    line(3, "CMD_justwatch+2+1");
    line(3, "CMD_justwatch+1+2");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_FALSE(player(2).watching);
    line(3, "CMD_justwatch+3+1");
    EXPECT_TRUE(player(3).watching);
}

TEST_F(ForgedLines, GuessOnAnotherPlayersBoardIsDropped)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(5, 60);
    take();
    line(2, "CMD_checkit+1+1+2+3+4+");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_EQ(player(1).row, 1);
    EXPECT_EQ(player(1).score, 0);
}

TEST_F(ForgedLines, ConnectionThatHasNotLoggedInMayOnlyLogIn)
{
    seat({"Bob"});
    connect();
    take();
    line(2, "CMD_chat+2+hi|clRed");
    line(2, "CMD_justwatch+2+2");
    EXPECT_THAT(take(), IsEmpty());
    line(2, "CMD_logininfo+2+1.0.5+Ann");
    line(2, "CMD_chat+2+hi|clRed");
    EXPECT_EQ(takeFor(1).back(), sent(1, "CMD_chat+2+Ann chats: hi|clRed"));
}

TEST_F(ForgedLines, LinesOfAClosedConnectionNeverActForItsSuccessor)
{
    seat({"Bob", "Ann"});
    const ConnectionId old = connections.at(2);
    leave(2);
    EXPECT_EQ(join("Dee"), 2);
    take();
    server.handleLine(old, "CMD_chat+2+still here|clRed");
    server.handleLine(old, "CMD_logininfo+2+1.0.5+Ann");
    server.peerDisconnected(old);
    server.socketClosed(old);
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_EQ(player(2).name, "Dee");
    EXPECT_TRUE(player(2).connected);
}

TEST_F(ForgedLines, LoginAfterTheConnectionClosedIsNotActedOn)
{
    seat({"Bob"});
    connect();
    leave(2);
    take();
    line(2, "CMD_logininfo+2+1.0.5+Ann");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_FALSE(player(2).connected);
    EXPECT_EQ(player(2).name, "");
}

using LoginDeadline = ServerTest;

TEST_F(LoginDeadline, IdleConnectionIsClosedAfterThirtySeconds)
{
    seat({"Bob"});
    connect();
    take();
    ASSERT_TRUE(server.nextLoginDeadline().has_value());
    EXPECT_EQ(*server.nextLoginDeadline(), time.now + 30'000);
    time.now += 29'999;
    server.checkLoginDeadlines();
    EXPECT_THAT(take(), IsEmpty());
    time.now += 1;
    server.checkLoginDeadlines();
    // Nobody saw it log in, so nobody hears that it left.
    EXPECT_THAT(take(), ElementsAre(closed(2)));
    EXPECT_FALSE(server.nextLoginDeadline().has_value());
    EXPECT_EQ(connect(), 2);
}

TEST_F(LoginDeadline, LoggedInPlayersAreNeverClosed)
{
    seat({"Bob", "Ann"});
    EXPECT_FALSE(server.nextLoginDeadline().has_value());
    time.now += 3'600'000;
    server.checkLoginDeadlines();
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(LoginDeadline, ForgedLoginDoesNotStopTheClock)
{
    seat({"Bob"});
    connect();
    time.now += 10'000;
    connect();
    take();
    line(3, "CMD_logininfo+2+1.0.5+Mallory");
    EXPECT_EQ(*server.nextLoginDeadline(), time.now + 20'000);
    time.now += 20'000;
    server.checkLoginDeadlines();
    EXPECT_THAT(take(), ElementsAre(closed(2)));
    time.now += 10'000;
    server.checkLoginDeadlines();
    EXPECT_THAT(take(), ElementsAre(closed(3)));
}
