// Whole games over real sockets: the game server of a hosting instance, its
// host's own connection in slot 1 (played by the test), and computer players
// started as programs of their own.

#include "bot/qt/computer_players.h"
#include "bot_process.h"
#include "chat/transcript.h"
#include "client/game_client.h"
#include "net/line_framer.h"
#include "net/message.h"
#include "server/qt/tserver.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace kalvex::bot {
namespace {

using testing::BotProcess;

const std::string T(1, kTerminator);

// What the host's window shows, from the lines its connection receives.
struct HostWindow : LinkPort, SessionPort
{
    Transcript transcript;
    void send(const std::string &) override {}
    void loadinifile() override {}
    void gameIsFull() override {}
    void roundClock(bool) override {}
    bool shows(const std::string &text) const
    {
        return std::any_of(
            transcript.items().begin(), transcript.items().end(),
            [&](const TranscriptItem &item) { return item.text.find(text) != std::string::npos; });
    }
};

// The host's own connection in slot 1.
class HostPeer
{
public:
    explicit HostPeer(quint16 port)
        : client({.link = window, .owner = window}, window.transcript), session(client.session())
    {
        session.setPlayername("Host");
        socket.connectToHost(QHostAddress::LocalHost, port);
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = socket.readAll();
            framer.cut(std::string_view(bytes.constData(), bytes.size()),
                       [this](std::string &&line) {
                           if (line.empty())
                               return;
                           received.push_back(line);
                           try {
                               session.handleLine(line);
                           } catch (const ConvertError &) {
                           }
                           if (line.rfind("CMD_sendlogininfo+", 0) == 0)
                               send("CMD_logininfo+" + line.substr(18) + "+1.0.5+Host" + T + T);
                       });
        });
    }

    void send(const std::string &bytes)
    {
        socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
        socket.flush();
    }

    bool has(std::string_view line) const
    {
        return std::find(received.begin(), received.end(), line) != received.end();
    }
    bool hasPrefix(std::string_view prefix) const
    {
        return std::any_of(received.begin(), received.end(),
                           [&](const std::string &l) { return l.rfind(prefix, 0) == 0; });
    }

    QTcpSocket socket;
    LineFramer framer;
    HostWindow window;
    GameClient client;
    ClientSession &session;
    std::vector<std::string> received;
};

struct Solve
{
    int slot, score, points, row;
};

std::vector<int> numbers(std::string_view remainder)
{
    std::vector<int> values;
    FieldReader fields(remainder);
    while (!fields.atEnd())
        values.push_back(fields.number());
    return values;
}

TEST(BotGame, TwoComputerPlayersPlayATwoRoundGameToItsWinner)
{
    TServer server;
    server.startListening(0);
    const quint16 port = server.listeningPort();
    HostPeer host(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.has("CMD_newplayerinfo+1+Host"); }, 10000));

    BotProcess expert(port, "Computer 1", "expert", 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.has("CMD_newplayerinfo+2+Computer 1"); }, 15000));
    BotProcess easy(port, "Computer 2", "easy", 4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.has("CMD_newplayerinfo+3+Computer 2"); }, 15000));
    // Each greets with a phrase.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return host.has("CMD_action+2+Computer 1 says: Hello|clBlack") &&
                   host.has("CMD_action+3+Computer 2 says: Hello|clBlack");
        },
        15000));

    // The host starts two rounds of the six colour game and sits them out.
    host.send("CMD_startgame+Host+2+120+0+1+" + T);
    host.send("CMD_justwatch+1+1" + T);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.hasPrefix("CMD_winner+"); }, 150000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return host.hasPrefix("CMD_action+2+Computer 1 says: Good Game Everyone!") &&
                   host.hasPrefix("CMD_action+3+Computer 2 says: Good Game Everyone!");
        },
        15000));

    // Every solve scores 13 - row on top of the earlier rounds.
    std::map<int, int> totals;
    std::map<int, int> solvedInRound;
    std::map<int, std::map<int, int>> rowsBySlot;
    int rounds = 0;
    int winner = 0;
    for (const std::string &line : host.received) {
        const CommandLine cut = splitCommand(line);
        if (cut.command == "CMD_startround") {
            ++rounds;
            EXPECT_EQ(numbers(cut.remainder), std::vector<int>{rounds});
            solvedInRound.clear();
        } else if (cut.command == "CMD_gotit") {
            const auto v = numbers(cut.remainder);
            ASSERT_EQ(v.size(), 8u) << line;
            const Solve s{v[0], v[1], v[2], v[3]};
            EXPECT_EQ(s.points, 13 - s.row) << line;
            totals[s.slot] += s.points;
            EXPECT_EQ(s.score, totals[s.slot]) << line;
            if (s.slot == 2) {
                EXPECT_LE(s.row, 5) << "the expert needs at most five rows";
            }
            ++solvedInRound[s.slot];
            rowsBySlot[s.slot][rounds] = s.row;
        } else if (cut.command == "CMD_endround") {
            // Both computer players found the code in every round.
            EXPECT_EQ(solvedInRound.size(), 2u) << "round " << rounds;
        } else if (cut.command == "CMD_winner") {
            winner = numbers(cut.remainder).at(0);
        }
    }
    // Ties play on, so the game may need more than two rounds.
    EXPECT_GE(rounds, 2);
    ASSERT_EQ(totals.size(), 2u);
    EXPECT_NE(totals[2], totals[3]);
    EXPECT_EQ(winner, totals[2] > totals[3] ? 2 : 3);
    EXPECT_EQ(host.has("CMD_tiegame+"), rounds > 2);

    // The host's window shows the same.
    EXPECT_EQ(host.session.roundText(), "ROUND: " + std::to_string(rounds) + "/2");
    const std::string winnerName = winner == 2 ? "Computer 1" : "Computer 2";
    EXPECT_EQ(host.session.statusText(), winnerName + " has Won the Game!");
    EXPECT_EQ(host.session.roster().seat(2)->score, std::to_string(totals[2]));
    EXPECT_EQ(host.session.roster().seat(3)->score, std::to_string(totals[3]));
    EXPECT_TRUE(host.window.shows(winnerName + " has Won the Game!"));

    // After their one game both leave on their own.
    EXPECT_TRUE(expert.process.waitForFinished(10000));
    EXPECT_TRUE(easy.process.waitForFinished(10000));
    EXPECT_EQ(expert.process.exitCode(), 0);
    EXPECT_EQ(easy.process.exitCode(), 0);
    // Their own account of the game agrees with the server's.
    EXPECT_EQ(expert.solvedRows(), rowsBySlot[2]);
    EXPECT_EQ(easy.solvedRows(), rowsBySlot[3]);
    const std::string summary = "[Computer 1] game 1 won by " + winnerName +
                                ": Host 0, Computer 1 " + std::to_string(totals[2]) +
                                ", Computer 2 " + std::to_string(totals[3]);
    const auto reports = expert.reports();
    EXPECT_NE(std::find(reports.begin(), reports.end(), summary), reports.end()) << expert.output;
    EXPECT_TRUE(QTest::qWaitFor([&] { return host.hasPrefix("CMD_playerdisconnected+2+"); }, 5000));
}

TEST(BotGame, RemovingItsSeatEndsAComputerPlayer)
{
    TServer server;
    server.startListening(0);
    const quint16 port = server.listeningPort();
    HostPeer host(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.has("CMD_newplayerinfo+1+Host"); }, 10000));
    BotProcess bot(port, "Computer 1", "easy", 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.has("CMD_newplayerinfo+2+Computer 1"); }, 15000));
    host.send("CMD_kickhim+1+2+" + T);
    // The server here runs on this thread's event loop: wait without blocking it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return bot.process.state() == QProcess::NotRunning; }, 10000))
        << bot.log();
    EXPECT_EQ(bot.process.exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return host.hasPrefix("CMD_playerdisconnected+2+"); }, 5000));
}

TEST(BotGame, TheHostAddsComputerPlayersWithTheNextFreeName)
{
    TServer server;
    server.startListening(0);
    const quint16 port = server.listeningPort();
    HostPeer host(port);
    ComputerPlayers players;
    EXPECT_FALSE(players.canAdd(host.session)) << "not hosting";
    host.session.setHosting(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.has("CMD_newplayerinfo+1+Host"); }, 10000));
    ASSERT_TRUE(players.canAdd(host.session));

    players.setLevel(Level::Expert);
    EXPECT_EQ(players.add(host.session.roster(), port), "Computer 1");
    EXPECT_EQ(players.add(host.session.roster(), port), "Computer 2");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return host.hasPrefix("CMD_newplayerinfo+2+Computer ") &&
                   host.hasPrefix("CMD_newplayerinfo+3+Computer ");
        },
        15000));
    EXPECT_EQ(players.running(), 2);

    // Removing a seat ends its player, and its name is free again.
    const int slotOfFirst = host.has("CMD_newplayerinfo+2+Computer 1") ? 2 : 3;
    host.send("CMD_kickhim+1+" + std::to_string(slotOfFirst) + "+" + T);
    ASSERT_TRUE(QTest::qWaitFor([&] { return players.running() == 1; }, 10000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return host.session.roster().seat(slotOfFirst)->name == kWaitingName; }, 5000));
    EXPECT_EQ(players.add(host.session.roster(), port), "Computer 1");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return host.has("CMD_newplayerinfo+" + std::to_string(slotOfFirst) + "+Computer 1");
        },
        15000));
}

TEST(BotGame, AComputerPlayerFindsNoGameAndSaysSo)
{
    // Nothing listens on this port.
    const quint16 port = testing::freePort();
    BotProcess bot(port, "Computer 1", "normal", 1);
    ASSERT_TRUE(bot.process.waitForFinished(15000));
    EXPECT_EQ(bot.process.exitCode(), 1);
}

TEST(BotGame, TheCommandLineIsChecked)
{
    QProcess process;
    process.setProgram(KALVEX_BINARY_DIR "/tools/kalvex-bot/kalvex-bot");
    for (const QStringList &arguments :
         {QStringList{"Computer 1"}, QStringList{"Computer 1", "127.0.0.1", "--level", "genius"},
          QStringList{"Computer 1", "127.0.0.1", "--games", "0"}}) {
        process.setArguments(arguments);
        process.start();
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(process.readAllStandardError().contains("usage: kalvex-bot"));
    }
}

} // namespace
} // namespace kalvex::bot
