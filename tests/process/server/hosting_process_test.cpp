// The real program hosting offscreen, with real TCP peers joining it: the
// bytes its server puts on the wire.

#include "free_port.h"
#include "wire_peer.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace kalvex::test;

namespace {

const QString kProgram = QStringLiteral(KALVEX_BINARY_DIR "/src/app/kalvex");

// Sockets of the given TCP state whose local port is the given one, as the
// kernel lists them (state 0A listening, 01 established).
int socketsOnPort(quint16 port, const char *state)
{
    const QByteArray portHex = QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    int count = 0;
    for (const char *table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &row : file.readAll().split('\n')) {
            const QList<QByteArray> fields = row.simplified().split(' ');
            if (fields.size() > 3 && fields[1].endsWith(":" + portHex) && fields[3] == state)
                ++count;
        }
    }
    return count;
}

class Hosting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(kProgram))
            GTEST_SKIP() << "the program is not built: " << kProgram.toStdString();
        ASSERT_TRUE(home.isValid() && runtime.isValid());
        port = freePort();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KALVEX_HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("KALVEX_PORT"), QString::number(port));
        env.insert(QStringLiteral("KALVEX_LOBBY_PORT"), QString::number(freePort()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(kProgram, {QStringLiteral("Host"), QStringLiteral("127.0.0.1"),
                                 QStringLiteral("true")});
        ASSERT_TRUE(program.waitForStarted(10000));
        // Listening, and the host's own client connected as slot 1.
        const auto running = [this] { return program.state() == QProcess::Running; };
        (void)QTest::qWaitFor([&] { return !running() || socketsOnPort(port, "0A") > 0; }, 20000);
        ASSERT_TRUE(running()) << "the program ended with " << program.exitCode()
                               << (program.exitStatus() == QProcess::CrashExit ? " (crashed)" : "");
        ASSERT_GT(socketsOnPort(port, "0A"), 0) << "the program never listened on " << port;
        ASSERT_TRUE(QTest::qWaitFor([this] { return socketsOnPort(port, "01") > 0; }, 10000))
            << "the host's own client never connected";
        QTest::qWait(200);
    }

    void TearDown() override
    {
        peers.clear();
        if (program.state() != QProcess::NotRunning) {
            program.terminate();
            if (!program.waitForFinished(5000)) {
                program.kill();
                program.waitForFinished(5000);
            }
        }
    }

    // A peer that logs in; its roster messages are checked and read away.
    WirePeer &join(const std::string &name, int expectedSlot)
    {
        peers.push_back(std::make_unique<WirePeer>(port));
        WirePeer &peer = *peers.back();
        EXPECT_EQ(peer.login(name), expectedSlot);
        EXPECT_EQ(peer.next(),
                  wire("CMD_newplayerinfo+" + std::to_string(expectedSlot) + "+" + name));
        for (int other = 1; other < expectedSlot; ++other)
            peer.next();
        return peer;
    }

    QTemporaryDir home;
    QTemporaryDir runtime;
    quint16 port = 0;
    QProcess program;
    std::vector<std::unique_ptr<WirePeer>> peers;
};

} // namespace

TEST_F(Hosting, JoinerIsGivenSlotTwoAndTheRoster)
{
    WirePeer ann(port);
    EXPECT_EQ(ann.next(), wire("CMD_sendlogininfo+2"));
    ann.send("CMD_logininfo+2+1.0.5+Ann\xFF\xFF");
    EXPECT_EQ(ann.next(), wire("CMD_newplayerinfo+2+Ann"));
    EXPECT_EQ(ann.next(), wire("CMD_existingplayers+1+Host"));
    EXPECT_EQ(ann.drain(), "");

    WirePeer cid(port);
    EXPECT_EQ(cid.login("Cid"), 3);
    EXPECT_EQ(ann.next(), wire("CMD_newplayerinfo+3+Cid"));
    EXPECT_EQ(cid.next(), wire("CMD_newplayerinfo+3+Cid"));
    EXPECT_EQ(cid.next(), wire("CMD_existingplayers+1+Host"));
    EXPECT_EQ(cid.next(), wire("CMD_existingplayers+2+Ann"));
}

TEST_F(Hosting, JoinerWithAnotherVersionIsToldSoAndStays)
{
    WirePeer old(port);
    EXPECT_EQ(old.login("Old", "1.0.4"), 2);
    EXPECT_EQ(old.next(), wire("CMD_newplayerinfo+2+Old"));
    EXPECT_EQ(old.next(), wire("CMD_existingplayers+1+Host"));
    EXPECT_EQ(old.next(), wire("CMD_wrongversion+"));
    EXPECT_TRUE(old.isOpen());
    old.send(wire("CMD_chat+2+still here|clRed"));
    EXPECT_EQ(old.next(), wire("CMD_chat+2+Old chats: still here|clRed"));
}

TEST_F(Hosting, EleventhConnectionIsRefusedAsFull)
{
    std::vector<std::unique_ptr<WirePeer>> nine;
    for (int slot = 2; slot <= 10; ++slot) {
        nine.push_back(std::make_unique<WirePeer>(port));
        EXPECT_EQ(nine.back()->next(), wire("CMD_sendlogininfo+" + std::to_string(slot)));
    }
    WirePeer eleventh(port);
    EXPECT_EQ(eleventh.next(), wire("CMD_full+"));
    EXPECT_TRUE(eleventh.waitClosed());
    EXPECT_EQ(eleventh.drain(0), "");
    for (auto &peer : nine)
        EXPECT_TRUE(peer->isOpen());
}

TEST_F(Hosting, ChatIsRelayedToEveryone)
{
    WirePeer &ann = join("Ann", 2);
    WirePeer &cid = join("Cid", 3);
    ann.next(); // Cid's arrival
    ann.send(wire("CMD_chat+2+hello, a+b|clRed"));
    EXPECT_EQ(ann.next(), wire("CMD_chat+2+Ann chats: hello, a+b|clRed"));
    EXPECT_EQ(cid.next(), wire("CMD_chat+2+Ann chats: hello, a+b|clRed"));
    cid.send(wire("CMD_action+3+waves|clBlue"));
    EXPECT_EQ(ann.next(), wire("CMD_action+3+Cid waves|clBlue"));
    EXPECT_EQ(cid.next(), wire("CMD_action+3+Cid waves|clBlue"));
}

TEST_F(Hosting, RemovalIsHonouredOnlyFromTheHost)
{
    WirePeer &ann = join("Ann", 2);
    WirePeer &cid = join("Cid", 3);
    ann.next();
    // Ann forges the host's removal request: nothing happens to Cid.
    ann.send(wire("CMD_kickhim+1+3+") + wire("CMD_kickhim+2+3+") + wire("CMD_chat+2+done|clRed"));
    EXPECT_EQ(cid.next(), wire("CMD_chat+2+Ann chats: done|clRed"));
    EXPECT_TRUE(cid.isOpen());
    EXPECT_EQ(cid.drain(), "");
}

TEST_F(Hosting, DepartureIsAnnouncedOnce)
{
    WirePeer &ann = join("Ann", 2);
    WirePeer &cid = join("Cid", 3);
    ann.next();
    cid.leave();
    EXPECT_EQ(ann.next(), wire("CMD_playerdisconnected+3+Cid"));
    EXPECT_EQ(ann.drain(500), "");

    WirePeer dee(port);
    EXPECT_EQ(dee.login("Dee"), 3);
}
