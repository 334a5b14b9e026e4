// The real program, started offscreen with its own home, runtime directory
// and ports, in each of its launch modes.

#include "kalvex_instance.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace kalvex::testing;

namespace {

class Launch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runtime.isValid());
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner);
        gamePort = freePort();
        lobbyPort = freePort();
    }
    QTemporaryDir runtime;
    quint16 gamePort = 0;
    quint16 lobbyPort = 0;
};

} // namespace

TEST_F(Launch, HostListensAndItsOwnClientLogsInOverLoopback)
{
    Listener lobby(lobbyPort);
    Instance host(runtime.path(), gamePort, lobbyPort);
    host.start({"Ann", "192.0.2.7", "true"});

    QTcpSocket peer;
    ASSERT_TRUE(connectWhenListening(peer, gamePort)) << "the host listens on the game port";
    // The host's own client holds slot 1, so a second connection gets 2.
    EXPECT_TRUE(readUntil(peer, "CMD_sendlogininfo+2" + T).contains("CMD_sendlogininfo+2" + T));
    peer.write("CMD_logininfo+2+1.0.5+Bob" + T + T);
    // Ann is announced as present, or as arriving if her login comes before
    // or after Bob's: read until both are there.
    QByteArray answer = readUntil(peer, "CMD_newplayerinfo+2+Bob" + T);
    if (!answer.contains("+1+Ann" + T))
        answer += readUntil(peer, "+1+Ann" + T);
    EXPECT_TRUE(answer.contains("CMD_newplayerinfo+2+Bob" + T));
    EXPECT_TRUE(answer.contains("CMD_existingplayers+1+Ann" + T) ||
                answer.contains("CMD_newplayerinfo+1+Ann" + T))
        << "the host's own client logged in as Ann over 127.0.0.1: " << answer.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return lobby.peers.size() == 1; }, 5000))
        << "the lobby link is opened after hosting";
}

TEST_F(Launch, TrueInCapitalsJoinsTheGivenHost)
{
    Listener lobby(lobbyPort);
    Listener remote(gamePort);
    Instance joiner(runtime.path(), gamePort, lobbyPort);
    joiner.start({"Ann", "127.0.0.1", "TRUE", "ignored"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return remote.peers.size() == 1; }, 10000));
    QTcpSocket &link = *remote.peers.front();
    link.write("CMD_sendlogininfo+3" + T);
    const QByteArray login = readUntil(link, "1.0.5+Ann" + T + T);
    EXPECT_EQ(login, "CMD_logininfo+3+1.0.5+Ann" + T + T);
    EXPECT_TRUE(QTest::qWaitFor([&] { return lobby.peers.size() == 1; }, 5000));

    // Losing the game link ends the program, cleanly.
    link.close();
    ASSERT_TRUE(joiner.process.waitForFinished(10000));
    EXPECT_EQ(joiner.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(joiner.process.exitCode(), 0);
}

TEST_F(Launch, TwoArgumentsStayUnconnected)
{
    Listener lobby(lobbyPort);
    Listener remote(gamePort);
    Instance idle(runtime.path(), gamePort, lobbyPort);
    idle.start({"a", "b"});
    QTest::qWait(1500);
    EXPECT_EQ(idle.process.state(), QProcess::Running);
    EXPECT_TRUE(remote.peers.empty());
    EXPECT_TRUE(lobby.peers.empty());
}

TEST_F(Launch, SoloHostsAsYouWithoutALobbyLink)
{
    Listener lobby(lobbyPort);
    Instance solo(runtime.path(), gamePort, lobbyPort);
    solo.start({});
    QTcpSocket peer;
    ASSERT_TRUE(connectWhenListening(peer, gamePort));
    readUntil(peer, "CMD_sendlogininfo+2" + T);
    peer.write("CMD_logininfo+2+1.0.5+Bob" + T + T);
    const QByteArray answer = readUntil(peer, "+1+You" + T);
    EXPECT_TRUE(answer.contains("CMD_existingplayers+1+You" + T) ||
                answer.contains("CMD_newplayerinfo+1+You" + T))
        << answer.toStdString();
    EXPECT_TRUE(lobby.peers.empty());
}

TEST_F(Launch, ASecondStartEndsAtOnceWithStatusZero)
{
    Listener remote(gamePort);
    Instance first(runtime.path(), gamePort, lobbyPort);
    first.start({"a", "b"});
    // The first instance holds the guard once it runs its event loop.
    QTest::qWait(1000);
    ASSERT_EQ(first.process.state(), QProcess::Running);

    Instance second(runtime.path(), gamePort, lobbyPort);
    second.start({});
    ASSERT_TRUE(second.process.waitForFinished(10000));
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_TRUE(remote.peers.empty()) << "the second start made no game connection";
    EXPECT_EQ(first.process.state(), QProcess::Running);

    // Another user (another runtime directory) is not affected.
    QTemporaryDir otherRuntime;
    Instance other(otherRuntime.path(), gamePort, lobbyPort);
    other.start({"a", "b"});
    QTest::qWait(1000);
    EXPECT_EQ(other.process.state(), QProcess::Running);
}

TEST_F(Launch, AStaleGuardOfADeadInstanceDoesNotBlockAStart)
{
    Instance first(runtime.path(), gamePort, lobbyPort);
    first.start({"a", "b"});
    QTest::qWait(1000);
    first.process.kill();
    first.process.waitForFinished(5000);

    Instance next(runtime.path(), gamePort, lobbyPort);
    next.start({"a", "b"});
    QTest::qWait(1500);
    EXPECT_EQ(next.process.state(), QProcess::Running);
}
