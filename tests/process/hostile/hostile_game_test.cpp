// Two computer players play a game hosted by the real program while other
// connections forge lines for their slots, flood, stream megabytes with no
// terminator, come and go by the hundred, never log in and send noise. The
// game must end as the two players played it, the host must show no error
// and its memory must stay bounded.

#include "free_port.h"
#include "hostile_peers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <future>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace kalvex::hostile;

const QString kHostProgram = KALVEX_BINARY_DIR "/tests/process/hostile/kalvex-hostile-host";
const QString kBotProgram = KALVEX_BINARY_DIR "/tools/kalvex-bot/kalvex-bot";

using kalvex::test::freePort;

// Resident memory of a process in kilobytes, 0 when it cannot be read.
long residentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// A process started by the test and ended by it.
class Child
{
public:
    Child(const QString &program, const QStringList &arguments, const QProcessEnvironment &env)
    {
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForStarted(10000)) << program.toStdString();
    }
    ~Child()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    std::string out()
    {
        output += process.readAllStandardOutput().toStdString();
        return output;
    }
    std::string err()
    {
        errors += process.readAllStandardError().toStdString();
        return errors;
    }

    QProcess process;
    std::string output;
    std::string errors;
};

// An honest spectator that keeps every message the server sends it.
class Observer
{
public:
    explicit Observer(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            buffer += socket.readAll().toStdString();
            for (std::size_t end; (end = buffer.find('\xFF')) != std::string::npos;) {
                messages.push_back(buffer.substr(0, end));
                buffer.erase(0, end + 1);
            }
        });
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    void send(const std::string &text) { socket.write(text.data(), qint64(text.size())); }
    bool saw(const std::string &prefix) const { return find(prefix) != nullptr; }
    const std::string *find(const std::string &prefix) const
    {
        for (const std::string &m : messages) {
            if (m.rfind(prefix, 0) == 0)
                return &m;
        }
        return nullptr;
    }
    int count(const std::string &prefix) const
    {
        int n = 0;
        for (const std::string &m : messages)
            n += m.rfind(prefix, 0) == 0;
        return n;
    }
    // The slot the roster gives a name.
    int slotOf(const std::string &name) const
    {
        for (const char *command : {"CMD_newplayerinfo+", "CMD_existingplayers+"}) {
            for (const std::string &m : messages) {
                const std::string prefix = command;
                const auto plus = m.find('+', prefix.size());
                if (m.rfind(prefix, 0) == 0 && plus != std::string::npos &&
                    m.substr(plus + 1) == name)
                    return std::atoi(m.c_str() + prefix.size());
            }
        }
        return 0;
    }
    // Every message that shows a forged line was acted on.
    std::string leaks(const std::vector<int> &victims) const
    {
        std::string found;
        for (const std::string &m : messages) {
            bool leak = m.find("Evil") != std::string::npos ||
                        m.find("I give up") != std::string::npos ||
                        m.find("resigns") != std::string::npos;
            for (const int slot : victims) {
                const std::string s = std::to_string(slot);
                leak = leak || m == "CMD_justwatching+" + s + "+1" ||
                       m.rfind("CMD_playerdisconnected+" + s + "+", 0) == 0 ||
                       m == "CMD_playasound+" + s + "+wave1+";
            }
            if (leak)
                found += m + "\n";
        }
        return found;
    }
    // The last total score the server announced for a slot ("CMD_gotit").
    int lastTotal(int slot) const
    {
        int total = 0;
        const std::string prefix = "CMD_gotit+" + std::to_string(slot) + "+";
        for (const std::string &m : messages) {
            if (m.rfind(prefix, 0) == 0)
                total = std::atoi(m.c_str() + prefix.size());
        }
        return total;
    }

    QTcpSocket socket;
    std::string buffer;
    std::vector<std::string> messages;
};

// The rows on which a computer player found the code, by round, from its
// own account ("[NAME] round 2: found the code on row 4").
std::map<int, int> solvedRows(const std::string &output)
{
    std::map<int, int> rows;
    std::size_t start = 0;
    for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        int round = 0;
        int row = 0;
        if (std::sscanf(output.substr(start, end - start).c_str(),
                        "%*[^]] ] round %d: found the code on row %d", &round, &row) == 2)
            rows[round] = row;
    }
    return rows;
}

int scoreOf(const std::map<int, int> &rows)
{
    int score = 0;
    for (const auto &[round, row] : rows)
        score += 13 - row;
    return score;
}

TEST(HostilePeers, TwoPlayersFinishTheirGameUndisturbedAndTheHostStaysWellAndSmall)
{
    ASSERT_TRUE(QFile::exists(kHostProgram));
    ASSERT_TRUE(QFile::exists(kBotProgram));
    QTemporaryDir home;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTcpServer lobby;
    ASSERT_TRUE(lobby.listen(QHostAddress::LocalHost, 0));
    const quint16 port = freePort();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KALVEX_HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("KALVEX_PORT", QString::number(port));
    env.insert("KALVEX_LOBBY_PORT", QString::number(lobby.serverPort()));
    env.insert("KALVEX_LOBBY_URL", "http://127.0.0.1:1/none");
    env.remove("KALVEX_BOT_THINK_MS");

    constexpr int kRounds = 3;
    Child host(kHostProgram, {QString::number(kRounds), "Alpha", "Beta"}, env);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return host.out().find("ready\n") != std::string::npos; }, 20000))
        << host.err();

    Observer observer(port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !observer.messages.empty(); }, 5000));
    ASSERT_EQ(observer.messages.front(), "CMD_sendlogininfo+2");
    observer.send("CMD_logininfo+2+1.0.5+Watcher\xFF\xFF");

    const auto bot = [&](const char *name, int seed) {
        return std::make_unique<Child>(kBotProgram,
                                       QStringList{name, "127.0.0.1", "--level", "expert",
                                                   "--games", "1", "--think-ms", "0", "--seed",
                                                   QString::number(seed), "--verbose"},
                                       env);
    };
    auto alpha = bot("Alpha", 11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return observer.slotOf("Alpha") != 0; }, 20000));
    auto beta = bot("Beta", 12);
    ASSERT_TRUE(QTest::qWaitFor([&] { return observer.slotOf("Beta") != 0; }, 20000));
    const int alphaSlot = observer.slotOf("Alpha");
    const int betaSlot = observer.slotOf("Beta");

    // The host starts the game; the observer only watches it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return observer.saw("CMD_startround+1+"); }, 20000))
        << host.err();
    observer.send("CMD_justwatch+2+1\xFF");
    const qint64 hostPid = host.process.processId();
    const long rssBefore = residentKb(hostPid);

    std::atomic<bool> stop{false};
    auto hostile = std::async(std::launch::async, [&] {
        return runHostileTraffic(port, {alphaSlot, betaSlot, 1}, std::chrono::seconds(40), stop);
    });
    const bool trafficDone = QTest::qWaitFor(
        [&] { return hostile.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        60000);
    stop = true;
    const HostileReport report = hostile.get();
    ASSERT_TRUE(trafficDone);
    const long rssAfter = residentKb(hostPid);

    ASSERT_TRUE(QTest::qWaitFor([&] { return observer.saw("CMD_winner+"); }, 90000))
        << "forged lines acted on:\n"
        << observer.leaks({alphaSlot, betaSlot}) << "host: " << host.err();
    ASSERT_TRUE(alpha->process.waitForFinished(15000));
    ASSERT_TRUE(beta->process.waitForFinished(15000));
    EXPECT_EQ(alpha->process.exitCode(), 0) << alpha->err();
    EXPECT_EQ(beta->process.exitCode(), 0) << beta->err();

    // The hostile traffic did happen, and the server ended what it had to.
    EXPECT_GT(report.forgerSlot, 0);
    EXPECT_GT(report.forgedLines, 100);
    // At least one burst of 200 lines; the server cuts the flood off past
    // its share of the queue, after however many bursts the timing allows.
    EXPECT_GE(report.floodLines, 200);
    EXPECT_TRUE(report.floodClosedByServer);
    EXPECT_TRUE(report.streamClosedByServer);
    EXPECT_GE(report.churned, 250);
    EXPECT_EQ(report.silentHeld, 2);
    // Nothing said to the players reaches a connection that never logged in.
    EXPECT_EQ(report.silentHeard, 0);
    EXPECT_GT(report.randomBytes, 0u);

    // Every round was played by both, and the scores on the wire are theirs.
    const auto alphaRows = solvedRows(alpha->out());
    const auto betaRows = solvedRows(beta->out());
    EXPECT_GE(static_cast<int>(alphaRows.size()), kRounds) << alpha->out();
    EXPECT_GE(static_cast<int>(betaRows.size()), kRounds) << beta->out();
    const int alphaScore = scoreOf(alphaRows);
    const int betaScore = scoreOf(betaRows);
    EXPECT_EQ(observer.lastTotal(alphaSlot), alphaScore);
    EXPECT_EQ(observer.lastTotal(betaSlot), betaScore);
    const std::string winner = *observer.find("CMD_winner+");
    EXPECT_EQ(winner,
              "CMD_winner+" + std::to_string(alphaScore > betaScore ? alphaSlot : betaSlot) + "+");
    EXPECT_NE(alphaScore, betaScore);

    // Nothing forged reached anyone.
    EXPECT_EQ(observer.count("CMD_startgame+"), 1);
    EXPECT_EQ(observer.leaks({alphaSlot, betaSlot}), "");
    EXPECT_FALSE(observer.saw("CMD_playerdisconnected+1+"));

    // The host is still running, showed no box and reported no error of its own.
    EXPECT_EQ(host.process.state(), QProcess::Running);
    const std::string hostErrors = host.err();
    EXPECT_EQ(hostErrors.find("box:"), std::string::npos) << hostErrors;
    EXPECT_EQ(hostErrors.find("error (local)"), std::string::npos) << hostErrors;

    // Memory: what the hostile traffic left behind in the host.
    ASSERT_GT(rssBefore, 0);
    std::printf("host resident memory: %ld kB before, %ld kB after the hostile traffic "
                "(%+ld kB); flood %d lines in %.2f s; stream %zu bytes; %d churned\n",
                rssBefore, rssAfter, rssAfter - rssBefore, report.floodLines, report.floodSeconds,
                report.streamBytes, report.churned);
    EXPECT_LT(rssAfter - rssBefore, 64 * 1024);
}

} // namespace
