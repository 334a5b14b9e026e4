// Points, time used, the time bonus, ties and the winner.

#include "server_harness.h"

using namespace kalvex;
using namespace kalvex::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Scoring = ServerTest;

TEST_F(Scoring, CodeFoundOnRowNScoresThirteenMinusN)
{
    seat({"Bob"});
    for (int row = 1; row <= 12; ++row) {
        random.code(2, 2, 3, 3);
        startGame(1, 60);
        for (int wrong = 1; wrong < row; ++wrong)
            guess(1, 3, 3, 2, 2);
        take();
        guess(1, 2, 2, 3, 3);
        const std::string points = std::to_string(13 - row);
        EXPECT_EQ(take()[0], sent(1, "CMD_gotit+1+" + points + "+" + points + "+" +
                                         std::to_string(row) + "+2+2+3+3+"));
        EXPECT_EQ(player(1).roundpoints, 13 - row);
    }
}

TEST_F(Scoring, TimeUsedCountsFromTheRoundStartLessTheGrace)
{
    seat({"Bob", "Ann"});
    random.code(1, 2, 3, 4);
    random.code(1, 2, 3, 4);
    startGame(3, 60);
    guess(1, 1, 2, 3, 4); // before the first tick
    EXPECT_EQ(player(1).timeused, -4);
    tick(25);
    guess(2, 1, 2, 3, 4);
    EXPECT_EQ(player(2).timeused, 21);
    tick(11);
    tick(3);
    guess(1, 1, 2, 3, 4);
    EXPECT_EQ(player(1).timeused, -5);
}

TEST_F(Scoring, RoundEndChargesTheWholeRoundTimeToEveryUnfinishedSlotUpToHighslot)
{
    seat({"Bob", "Ann", "Cid", "Dee"});
    leave(3);
    random.code(1, 2, 3, 4);
    startGame(3, 50);
    line(4, "CMD_justwatch+4+1");
    tick(10);
    guess(1, 1, 2, 3, 4);
    guess(2, 1, 2, 3, 4);
    EXPECT_FALSE(server.roundOn());
    EXPECT_EQ(player(1).timeused, 6);
    EXPECT_EQ(player(2).timeused, 6);
    EXPECT_EQ(player(3).timeused, 50); // a free slot
    EXPECT_EQ(player(4).timeused, 50); // a spectator
    EXPECT_EQ(player(5).timeused, 0);  // above highslot
}

TEST_F(Scoring, ThreeRoundsSolvedOnRowThreeWinWithTheBonus)
{
    seat({"Bob"});
    startGame(3, 60, 1);
    for (int round = 1; round <= 3; ++round) {
        ASSERT_EQ(server.roundNumber(), round);
        guess(1, 2, 2, 2, 2);
        guess(1, 3, 3, 3, 3);
        guess(1, 1, 1, 1, 1); // the scripted code is 1 1 1 1
        if (round < 3)
            tick(7);
    }
    EXPECT_EQ(player(1).score, 30);
    tick(6);
    take();
    tick(1);
    EXPECT_THAT(take(),
                ElementsAre(clock(false), sent(1, "CMD_gottime+1+35+"), sent(1, "CMD_winner+1+")));
    EXPECT_FALSE(server.gameOn());
    EXPECT_FALSE(server.clockEnabled());
}

TEST_F(Scoring, GameEndSendsTheBonusToTheQuickestThenTheWinnerAndStartsNoRound)
{
    seat({"Bob", "Ann"});
    startGame(1, 60, 1);
    guess(2, 1, 1, 1, 1); // Ann: 12 points in -4 seconds
    tick(30);
    guess(1, 1, 1, 1, 1); // Bob: 12 points in 26 seconds
    tick(10);
    take();
    tick(1);
    EXPECT_THAT(take(), ElementsAre(clock(false), sent(1, "CMD_gottime+2+17+"),
                                    sent(2, "CMD_gottime+2+17+"), sent(1, "CMD_winner+2+"),
                                    sent(2, "CMD_winner+2+")));
    EXPECT_FALSE(server.gameOn());
    EXPECT_EQ(server.roundNumber(), 2);
    line(1, "CMD_checkit+1+1+1+1+1+");
    EXPECT_THAT(take(), IsEmpty());
}

TEST_F(Scoring, NobodyScoringTiesAgainAndAgainWithoutTheBonus)
{
    seat({"Bob", "Ann"});
    startGame(1, 10);
    tick(14);
    tick(10);
    take();
    for (int extra = 2; extra <= 4; ++extra) {
        tick(1);
        EXPECT_THAT(take(),
                    ElementsAre(clock(false), sent(1, "CMD_tiegame+"), sent(2, "CMD_tiegame+"),
                                sent(1, "CMD_startround+" + std::to_string(extra) + "+"),
                                sent(2, "CMD_startround+" + std::to_string(extra) + "+"),
                                sent(1, "CMD_nextplayer+1+1+"), sent(2, "CMD_nextplayer+2+1+"),
                                clock(false), clock(true)));
        tick(14);
        tick(10);
        take();
    }
    EXPECT_TRUE(server.gameOn());
}

TEST_F(Scoring, BonusAloneDecidesAGameNobodyScoresAndStaysWithTheLowerSlotOnEqualTime)
{
    seat({"Bob", "Ann"});
    startGame(1, 10, 1);
    tick(14 + 11);
    EXPECT_EQ(player(1).timeused, player(2).timeused);
    EXPECT_EQ(player(1).score, 5);
    EXPECT_FALSE(server.gameOn());
}

TEST_F(Scoring, ADepartedPlayersScoreStillCountsInATie)
{
    seat({"Bob", "Ann"});
    startGame(1, 60);
    guess(1, 1, 1, 1, 1);
    guess(2, 1, 1, 1, 1);
    leave(2);
    tick(10);
    take();
    tick(1);
    EXPECT_THAT(take(),
                ElementsAre(clock(false), sent(1, "CMD_tiegame+"), sent(1, "CMD_startround+2+"),
                            sent(1, "CMD_nextplayer+1+1+"), clock(false), clock(true)));
}

TEST_F(Scoring, LevelAfterTheBonusPlaysAnExtraRoundAndTheBonusIsGivenAgain)
{
    seat({"Bob", "Ann"});
    startGame(2, 60, 1);
    guess(2, 1, 1, 1, 1); // Ann: 12 points in -4 seconds
    tick(10);
    guess(1, 1, 1, 1, 1); // Bob: 12 points in 6 seconds
    tick(11);
    for (int wrong = 0; wrong < 5; ++wrong)
        guess(2, 2, 2, 2, 2);
    guess(2, 1, 1, 1, 1); // Ann: 7 points on row 6 in -4 seconds
    tick(10);
    guess(1, 1, 1, 1, 1); // Bob: 12 points in 6 seconds
    EXPECT_EQ(player(1).score, 24);
    EXPECT_EQ(player(2).score, 19);
    tick(10);
    take();
    tick(1);
    EXPECT_THAT(take(), ElementsAre(clock(false), sent(1, "CMD_gottime+2+24+"),
                                    sent(2, "CMD_gottime+2+24+"), sent(1, "CMD_tiegame+"),
                                    sent(2, "CMD_tiegame+"), sent(1, "CMD_startround+3+"),
                                    sent(2, "CMD_startround+3+"), sent(1, "CMD_nextplayer+1+1+"),
                                    sent(2, "CMD_nextplayer+2+1+"), clock(false), clock(true)));
    tick(64); // nobody finds round 3: both are charged 60 seconds
    tick(10);
    take();
    tick(1);
    EXPECT_THAT(take(), ElementsAre(clock(false), sent(1, "CMD_gottime+2+29+"),
                                    sent(2, "CMD_gottime+2+29+"), sent(1, "CMD_winner+2+"),
                                    sent(2, "CMD_winner+2+")));
}

TEST_F(Scoring, GameOfNoRoundsIsDecidedAtOnce)
{
    seat({"Bob", "Ann"});
    startGame(0, 60);
    EXPECT_THAT(take(), ElementsAre(sent(1, "CMD_startgame+Bob+0+60+0+0+"),
                                    sent(2, "CMD_startgame+Bob+0+60+0+0+"), sent(1, "CMD_tiegame+"),
                                    sent(2, "CMD_tiegame+"), sent(1, "CMD_startround+1+"),
                                    sent(2, "CMD_startround+1+"), sent(1, "CMD_nextplayer+1+1+"),
                                    sent(2, "CMD_nextplayer+2+1+"), clock(false), clock(true)));
    // Started over the running round, with the bonus the host wins before any
    // round, and the old round's clock does not run on into a game that is over.
    startGame(0, 60, 1);
    EXPECT_THAT(take(), ElementsAre(clock(false), sent(1, "CMD_startgame+Bob+0+60+1+0+"),
                                    sent(2, "CMD_startgame+Bob+0+60+1+0+"),
                                    sent(1, "CMD_gottime+1+5+"), sent(2, "CMD_gottime+1+5+"),
                                    sent(1, "CMD_winner+1+"), sent(2, "CMD_winner+1+")));
    EXPECT_FALSE(server.gameOn());
    EXPECT_FALSE(server.roundOn());
    EXPECT_FALSE(server.clockEnabled());
    guess(2, 1, 1, 1, 1);
    EXPECT_THAT(take(), IsEmpty());
}
