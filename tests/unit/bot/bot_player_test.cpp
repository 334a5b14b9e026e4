#include "bot/bot_player.h"

#include "net/message.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kalvex::bot {
namespace {

// Records what the player asks of its surroundings; the test fires the timer.
struct FakeSurroundings : BotSurroundings
{
    std::vector<std::string> sent;
    std::vector<int> timers;
    bool clockRunning = false;
    int exitCode = -1;
    std::vector<std::string> reports;
    std::vector<std::string> logged;

    void send(const std::string &bytes) override { sent.push_back(bytes); }
    void log(std::string_view text) override { logged.emplace_back(text); }
    void startTimer(int ms) override { timers.push_back(ms); }
    void roundClock(bool run) override { clockRunning = run; }
    void leave(int code) override { exitCode = code; }
    void report(std::string_view text) override { reports.emplace_back(text); }

    std::vector<std::string> take() { return std::exchange(sent, {}); }
};

using test::wire;

// Plays the server's side for one bot: login, game, rounds and judging.
class BotSession : public ::testing::Test
{
protected:
    BotSession() : player(around, options()) {}

    static BotOptions options()
    {
        BotOptions o;
        o.name = "Computer 1";
        o.level = Level::Expert;
        o.games = 1;
        o.thinkMs = 2000;
        o.seed = 5;
        return o;
    }

    void lines(std::initializer_list<std::string_view> received)
    {
        for (std::string_view line : received)
            player.handleLine(line);
    }

    // Fires the timer as the event loop would, while the player keeps setting
    // it (a locked phrase button sets it again and again).
    void fire()
    {
        for (int shots = 0; shots < 20 && !around.timers.empty(); ++shots) {
            around.timers.erase(around.timers.begin());
            player.timerFired();
        }
    }

    void login()
    {
        lines({"CMD_sendlogininfo+2", "CMD_newplayerinfo+2+Computer 1",
               "CMD_existingplayers+1+Host"});
    }

    // The checkit the player sent for its row, as four colours.
    Code sentGuess()
    {
        const auto sent = around.take();
        EXPECT_EQ(sent.size(), 1u);
        if (sent.empty())
            return {};
        const std::string &line = sent.back();
        EXPECT_EQ(line.back(), kTerminator);
        const CommandLine cut = splitCommand(std::string_view(line).substr(0, line.size() - 1));
        EXPECT_EQ(cut.command, "CMD_checkit");
        FieldReader fields(cut.remainder);
        EXPECT_EQ(fields.number(), 2);
        Code code{};
        for (int &c : code)
            c = fields.number();
        return code;
    }

    // Plays one round against a code; returns the row the code was found on.
    int playRound(int round, const Code &secret, int score)
    {
        player.handleLine("CMD_startround+" + std::to_string(round) + "+");
        for (int row = 1; row <= 12; ++row) {
            player.handleLine("CMD_nextplayer+2+" + std::to_string(row) + "+");
            fire();
            const Code guess = sentGuess();
            const Clue clue = judge(secret, guess);
            if (clue.solved()) {
                std::string line = "CMD_gotit+2+" + std::to_string(score + 13 - row) + "+" +
                                   std::to_string(13 - row) + "+" + std::to_string(row) + "+";
                for (int c : secret)
                    line += std::to_string(c) + "+";
                player.handleLine(line);
                player.handleLine("CMD_endround+");
                return row;
            }
            player.handleLine("CMD_yourresult+2+" + std::to_string(row) + "+" +
                              std::to_string(clue.greens) + "+" + std::to_string(clue.yellows) +
                              "+" + std::to_string(clue.empties()) + "+");
        }
        return 13;
    }

    FakeSurroundings around;
    BotPlayer player;
};

TEST_F(BotSession, EveryLineItsTranscriptShowsGoesToTheLog)
{
    login();
    player.handleLine("CMD_chat+1+Host chats: hi :)#12|clRed");
    player.handleLine("CMD_playasound+1+wave3+");
    ASSERT_EQ(around.logged.size(), 4u);
    EXPECT_EQ(around.logged[0], "You are Connected.");
    EXPECT_EQ(around.logged[1], "Host is Connected.");
    EXPECT_EQ(around.logged[2], "Host chats: hi :)#12");
    EXPECT_EQ(around.logged[3], "Host: <Chatter Sound> " + std::string(chatterSoundCaption(3)))
        << "a computer player hears no chatter sounds: they are shown";
}

TEST_F(BotSession, LogsInWithItsNameAndGreetsWithAPhrase)
{
    login();
    const auto sent = around.take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "CMD_logininfo+2+1.0.5+Computer 1" + std::string(2, kTerminator));
    ASSERT_EQ(around.timers.size(), 1u);
    EXPECT_GE(around.timers[0], 500);
    EXPECT_LE(around.timers[0], 1500);
    fire();
    EXPECT_EQ(around.take(), std::vector<std::string>{wire("CMD_action+2+says: Hello|clBlack")});
}

TEST_F(BotSession, PlaysAWholeGameEnteringItsGuessesBallByBall)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+2+120+0+1+"});
    const int first = playRound(1, {6, 5, 6, 1}, 0);
    const int second = playRound(2, {3, 3, 4, 2}, 13 - first);
    EXPECT_LE(first, 5);
    EXPECT_LE(second, 5);
    EXPECT_FALSE(around.clockRunning);
    lines({"CMD_winner+2+"});
    const std::vector<std::string> expected = {
        "round 1: found the code on row " + std::to_string(first),
        "round 2: found the code on row " + std::to_string(second),
        "game 1 won by Computer 1: Host 0, Computer 1 " + std::to_string(26 - first - second)};
    EXPECT_EQ(around.reports, expected);
    fire();
    // Locked phrase buttons wait for the dispatch ticks, then say it.
    for (int tick = 0; tick < 200 && around.sent.empty(); ++tick) {
        player.dispatchTick();
        fire();
    }
    EXPECT_EQ(around.take(),
              std::vector<std::string>{wire("CMD_action+2+says: Good Game Everyone!|clBlack")});
    EXPECT_EQ(around.exitCode, BotPlayer::kExitDone);
}

TEST_F(BotSession, TheSameCodeIsFoundTheSameWayEveryRound)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+3+120+0+1+"});
    EXPECT_EQ(playRound(1, {6, 5, 6, 1}, 0), playRound(2, {6, 5, 6, 1}, 0));
}

TEST_F(BotSession, ThinksAboutTwoSecondsPerRowAtTheExpertsPace)
{
    login();
    fire();
    lines({"CMD_startgame+Host+5+120+0+0+", "CMD_startround+1+", "CMD_nextplayer+2+1+"});
    ASSERT_EQ(around.timers.size(), 1u);
    EXPECT_GE(around.timers[0], 1200);
    EXPECT_LE(around.timers[0], 2800);
}

TEST_F(BotSession, AFiveColourGameIsPlayedWithFiveColours)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+5+120+0+0+", "CMD_startround+1+", "CMD_nextplayer+2+1+"});
    fire();
    const Code first = sentGuess();
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](int c) { return c >= 1 && c <= 5; }));
    EXPECT_EQ(playRound(2, {5, 5, 4, 1}, 0) <= 5, true);
}

TEST_F(BotSession, AGuessDueAfterTheRoundEndedIsNotSent)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+5+120+0+1+", "CMD_startround+1+", "CMD_nextplayer+2+1+",
           "CMD_timeup+1+2+3+4+", "CMD_endround+"});
    fire();
    EXPECT_TRUE(around.take().empty());
}

TEST_F(BotSession, APlayerSetToWatchSitsTheRoundOut)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+5+120+0+1+", "CMD_justwatching+2+1", "CMD_startround+1+",
           "CMD_nextplayer+2+1+"});
    fire();
    EXPECT_TRUE(around.take().empty());
}

TEST_F(BotSession, ARowOfferedTwiceIsAnsweredOnce)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+5+120+0+1+", "CMD_startround+1+", "CMD_nextplayer+2+1+",
           "CMD_nextplayer+2+1+", "CMD_nextplayer+2+1+"});
    EXPECT_EQ(around.timers.size(), 1u);
    fire();
    sentGuess();
    fire();
    EXPECT_TRUE(around.take().empty());
}

TEST_F(BotSession, ARowForAnotherSeatOpensNothing)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+5+120+0+1+", "CMD_startround+1+", "CMD_nextplayer+1+1+"});
    fire();
    EXPECT_TRUE(around.take().empty());
}

TEST_F(BotSession, AJoinerInARunningRoundUsesOnlyTheCluesOnItsBoard)
{
    login();
    fire();
    around.take();
    // Rows 1 to 3 of this slot were played before; row 4 opens for it.
    lines({"CMD_loadgame+2+5+1+120+80+4+1+0+2+0+3+0+4+0+5+0+6+0+7+0+8+0+9+0+10+0",
           "CMD_setbonus+0+1+"});
    fire();
    const Code guess = sentGuess();
    EXPECT_TRUE(std::all_of(guess.begin(), guess.end(), [](int c) { return c >= 1 && c <= 6; }));
}

TEST_F(BotSession, MalformedLinesAreSkippedAndPlayGoesOn)
{
    login();
    fire();
    around.take();
    lines({"CMD_startgame+Host+5+120+0+1+", "CMD_startround+1+", "CMD_nextplayer+x+1+",
           "CMD_yourresult+2+", "CMD_nextplayer+2+1+"});
    fire();
    sentGuess();
}

TEST_F(BotSession, AFullGameOrAClosedLinkEndsThePlayer)
{
    player.handleLine("CMD_full+");
    EXPECT_EQ(around.exitCode, BotPlayer::kExitFull);

    FakeSurroundings other;
    BotPlayer second(other, options());
    second.connectionClosed();
    EXPECT_EQ(other.exitCode, BotPlayer::kExitDone);
}

TEST_F(BotSession, ATiedGameIsNotTheEnd)
{
    login();
    fire();
    lines({"CMD_startgame+Host+1+120+0+1+", "CMD_tiegame+", "CMD_startround+2+"});
    EXPECT_EQ(player.gamesPlayed(), 0);
    EXPECT_EQ(around.exitCode, -1);
}

} // namespace
} // namespace kalvex::bot
