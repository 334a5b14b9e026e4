// A whole game as one joiner's connection sees it, from login to winner.

#include "server_harness.h"

using namespace kalvex;
using namespace kalvex::test;
using ::testing::ElementsAreArray;

using FullGame = ServerTest;

TEST_F(FullGame, TwoRoundsWithTimeUpBonusAndWinner)
{
    join("Bob");
    random.code(1, 2, 3, 4);
    random.code(5, 5, 1, 1);
    join("Ann");
    line(1, "CMD_startgame+Bob+2+30+1+0+");
    // Round 1: Ann finds the code on row 2 at once; Bob lets the time run out.
    guess(2, 4, 3, 2, 1);
    guess(2, 1, 2, 3, 4);
    line(2, "CMD_chat+2+gg|clLime");
    tick(34);
    tick(11);
    // Round 2: both find it five seconds in.
    tick(5);
    guess(2, 1, 1, 5, 5);
    guess(2, 5, 5, 1, 1);
    guess(1, 5, 5, 1, 1);
    tick(11);

    EXPECT_THAT(takeFor(2), ElementsAreArray({
                                sent(2, "CMD_newplayerinfo+2+Ann"),
                                sent(2, "CMD_existingplayers+1+Bob"),
                                sent(2, "CMD_startgame+Bob+2+30+1+0+"),
                                sent(2, "CMD_startround+1+"),
                                sent(2, "CMD_nextplayer+2+1+"),
                                sent(2, "CMD_yourresult+2+1+0+4+0+"),
                                sent(2, "CMD_nextplayer+2+2+"),
                                sent(2, "CMD_gotit+2+11+11+2+1+2+3+4+"),
                                sent(2, "CMD_chat+2+Ann chats: gg|clLime"),
                                sent(2, "CMD_timeup+1+2+3+4+"),
                                sent(2, "CMD_endround+"),
                                sent(2, "CMD_startround+2+"),
                                sent(2, "CMD_nextplayer+2+1+"),
                                sent(2, "CMD_yourresult+2+1+0+4+0+"),
                                sent(2, "CMD_nextplayer+2+2+"),
                                sent(2, "CMD_gotit+2+22+11+2+5+5+1+1+"),
                                sent(2, "CMD_gotit+1+12+12+1+5+5+1+1+"),
                                sent(2, "CMD_endround+"),
                                sent(2, "CMD_gottime+2+27+"),
                                sent(2, "CMD_winner+2+"),
                            }));
    EXPECT_EQ(player(1).timeused, 31);
    EXPECT_EQ(player(2).timeused, -3);
    EXPECT_FALSE(server.gameOn());
    EXPECT_FALSE(server.clockEnabled());

    // The next game starts from nothing but keeps the time sums.
    line(1, "CMD_startgame+Bob+1+30+0+1+");
    EXPECT_TRUE(server.gameOn());
    EXPECT_EQ(server.roundNumber(), 1);
    EXPECT_EQ(player(2).score, 0);
    EXPECT_EQ(player(2).timeused, -3);
}
