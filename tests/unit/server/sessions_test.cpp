// Slots, login, roster, departures, removal, spectators and relays.

#include "server_harness.h"

using namespace kalvex;
using namespace kalvex::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Sessions = ServerTest;

TEST_F(Sessions, LoginOfAJoinerSendsTheRosterInOrder)
{
    EXPECT_EQ(join("Bob"), 1);
    EXPECT_THAT(take(), ElementsAre("greet: " + wire("CMD_sendlogininfo+1"),
                                    sent(1, "CMD_newplayerinfo+1+Bob")));
    EXPECT_EQ(connect(), 2);
    EXPECT_THAT(take(), ElementsAre("greet: " + wire("CMD_sendlogininfo+2")));
    line(2, "CMD_logininfo+2+1.0.5+Ann");
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_newplayerinfo+2+Ann"), sent(2, "CMD_newplayerinfo+2+Ann"),
                            sent(2, "CMD_existingplayers+1+Bob")));
    EXPECT_EQ(player(2).name, "Ann");
    EXPECT_EQ(server.players().highslot(), 2);
}

TEST_F(Sessions, ExistingPlayersListEveryOtherConnectedSlotAscending)
{
    seat({"Bob", "Ann", "Cid"});
    leave(2);
    take();
    EXPECT_EQ(join("Dee"), 2);
    EXPECT_THAT(takeFor(2), ElementsAre(sent(2, "CMD_newplayerinfo+2+Dee"),
                                        sent(2, "CMD_existingplayers+1+Bob"),
                                        sent(2, "CMD_existingplayers+3+Cid")));
}

TEST_F(Sessions, NameWithPlusRunsToTheEndOfTheMessage)
{
    seat({"Bob"});
    join("A+B");
    EXPECT_THAT(takeFor(1), ElementsAre(sent(1, "CMD_newplayerinfo+2+A+B")));
    EXPECT_EQ(player(2).name, "A+B");
}

TEST_F(Sessions, WrongVersionIsAnnouncedToBothButNotRefused)
{
    seat({"Bob"});
    connect();
    take();
    line(2, "CMD_logininfo+2+1.0.4+Ann");
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_newplayerinfo+2+Ann"), sent(2, "CMD_newplayerinfo+2+Ann"),
                            sent(2, "CMD_existingplayers+1+Bob"),
                            sent(1, "CMD_havewrongversion+Ann"), sent(2, "CMD_wrongversion+")));
    EXPECT_TRUE(player(2).connected);
    EXPECT_TRUE(player(2).loggedIn);
}

TEST_F(Sessions, SlotsAreHandedOutLowestFirstAndTheEleventhIsRefused)
{
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(connect(), i);
    take();
    EXPECT_EQ(connect(), 0);
    EXPECT_THAT(take(), ElementsAre("greet: " + wire("CMD_full+")));
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(player(i).connected) << i;

    leave(4);
    take();
    EXPECT_EQ(connect(), 4);
    EXPECT_EQ(server.players().highslot(), 10);
    EXPECT_EQ(connect(), 0);
}

TEST_F(Sessions, FreedSlotIsReusedAndHighslotStays)
{
    seat({"Bob", "Ann", "Cid"});
    leave(2);
    EXPECT_EQ(connect(), 2);
    EXPECT_EQ(server.players().highslot(), 3);
    EXPECT_EQ(connect(), 4);
    EXPECT_EQ(server.players().highslot(), 4);
}

TEST_F(Sessions, DepartureIsAnnouncedOnceAlthoughTheSocketClosesTwice)
{
    seat({"Bob", "Ann", "Cid"});
    leave(2);
    EXPECT_THAT(take(), ElementsAre(closed(2), sent(1, "CMD_playerdisconnected+2+Ann"),
                                    sent(3, "CMD_playerdisconnected+2+Ann")));
    EXPECT_FALSE(player(2).connected);
    EXPECT_EQ(player(2).name, "");
    // A further report of the old connection changes nothing.
    server.socketClosed(connections.at(2));
    server.peerDisconnected(connections.at(2));
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(Sessions, SlotKeepsItsScoreRowAndTimeForTheNextConnection)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    startGame(5, 60);
    guess(2, 1, 2, 3, 4);
    leave(2);
    EXPECT_EQ(player(2).score, 12);
    EXPECT_EQ(player(2).row, 13);
    EXPECT_FALSE(player(2).watching);
    EXPECT_EQ(join("Dee"), 2);
    EXPECT_EQ(player(2).score, 12);
    EXPECT_EQ(player(2).row, 13);
    EXPECT_EQ(player(2).timeused, -4);
}

TEST_F(Sessions, HostRemovesAPlayerWhoseDepartureIsAnnouncedOnce)
{
    seat({"Bob", "Ann", "Cid"});
    line(1, "CMD_kickhim+1+3+");
    EXPECT_THAT(take(), ElementsAre(closed(3), sent(1, "CMD_playerdisconnected+3+Cid"),
                                    sent(2, "CMD_playerdisconnected+3+Cid")));
    server.socketClosed(connections.at(3));
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(Sessions, HostRemovingItselfClosesItsOwnConnection)
{
    seat({"Bob", "Ann"});
    line(1, "CMD_kickhim+1+1+");
    EXPECT_THAT(take(), ElementsAre(closed(1), sent(2, "CMD_playerdisconnected+1+Bob")));
}

TEST_F(Sessions, RemovalOfAFreeOrOutOfRangeSlotDoesNothing)
{
    seat({"Bob", "Ann"});
    line(1, "CMD_kickhim+1+5+");
    line(1, "CMD_kickhim+1+11+");
    line(1, "CMD_kickhim+1+0+");
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(Sessions, PlayAgainIsAlwaysAnsweredAndWatchingOnlyDuringAGame)
{
    seat({"Bob", "Ann"});
    line(2, "CMD_justwatch+2+1");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_FALSE(player(2).watching);
    line(2, "CMD_justwatch+2+2");
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_justwatching+2+2"), sent(2, "CMD_justwatching+2+2")));
    line(2, "CMD_justwatch+2+3");
    EXPECT_THAT(take(), IsEmpty());

    startGame(5, 60);
    take();
    line(2, "CMD_justwatch+2+1");
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_justwatching+2+1"), sent(2, "CMD_justwatching+2+1")));
    EXPECT_TRUE(player(2).watching);
}

TEST_F(Sessions, HostSetsAndUnsetsAnotherPlayerAsSpectator)
{
    seat({"Bob", "Ann"});
    startGame(5, 60);
    take();
    line(1, "CMD_justwatch+2+1");
    EXPECT_TRUE(player(2).watching);
    line(1, "CMD_justwatch+2+2");
    EXPECT_FALSE(player(2).watching);
    EXPECT_THAT(take(),
                ElementsAre(sent(1, "CMD_justwatching+2+1"), sent(2, "CMD_justwatching+2+1"),
                            sent(1, "CMD_justwatching+2+2"), sent(2, "CMD_justwatching+2+2")));
}

TEST_F(Sessions, DepartureClearsWatching)
{
    seat({"Bob", "Ann"});
    startGame(5, 60);
    line(2, "CMD_justwatch+2+1");
    leave(2);
    EXPECT_FALSE(player(2).watching);
}

TEST_F(Sessions, ChatActionAndSoundAreRelayedToAllWithTheirExactTexts)
{
    seat({"Bob", "Ann", "Cid", "Ann"});
    line(4, "CMD_chat+4+hello|clRed");
    EXPECT_THAT(take(), ElementsAre(sent(1, "CMD_chat+4+Ann chats: hello|clRed"),
                                    sent(2, "CMD_chat+4+Ann chats: hello|clRed"),
                                    sent(3, "CMD_chat+4+Ann chats: hello|clRed"),
                                    sent(4, "CMD_chat+4+Ann chats: hello|clRed")));
    line(2, "CMD_chat+2+a+b+c|$00112233");
    EXPECT_EQ(takeFor(3),
              std::vector<std::string>{sent(3, "CMD_chat+2+Ann chats: a+b+c|$00112233")});
    line(3, "CMD_action+3+waves|clBlue");
    EXPECT_EQ(takeFor(1), std::vector<std::string>{sent(1, "CMD_action+3+Cid waves|clBlue")});
    line(3, "CMD_playasound+3+wave7+");
    EXPECT_EQ(takeFor(2), std::vector<std::string>{sent(2, "CMD_playasound+3+wave7+")});
}

TEST_F(Sessions, EmptyAndUnknownLinesAreIgnoredWithoutAWord)
{
    seat({"Bob"});
    line(1, "");
    line(1, "CMD_logininfo");
    line(1, "cmd_chat+1+hi");
    line(1, "CMD_nothing+1+");
    EXPECT_THAT(take(), IsEmpty());
    EXPECT_THAT(out.logged, IsEmpty());
}

TEST_F(Sessions, MalformedNumberDropsTheLineAndTheNextIsHandled)
{
    seat({"Bob", "Ann"});
    line(2, "CMD_chat+x+hi");
    line(2, "CMD_kickhim+");
    line(2, "CMD_checkit+2+1+");
    EXPECT_THAT(take(), IsEmpty());
    ASSERT_EQ(out.logged.size(), 3u);
    EXPECT_NE(out.logged[0].find("'x' is not a valid integer value"), std::string::npos);
    line(2, "CMD_chat+2+hi|clRed");
    EXPECT_EQ(take().size(), 2u);
}
