// The kalvex-lobby program itself: one lobby per user, and its place in an
// installation beside the game.

#include "lobby_test_support.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

const QString kLobbyProgram = QStringLiteral(KALVEX_BINARY_DIR "/src/app/kalvex-lobby");

QProcessEnvironment lobbyEnvironment(const QTemporaryDir &home, quint16 linkPort)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KALVEX_HOME", home.path());
    environment.insert("XDG_RUNTIME_DIR", home.path());
    environment.insert("KALVEX_LOBBY_PORT", QString::number(linkPort));
    environment.insert("KALVEX_DISCOVERY_PORT", QString::number(test::freeUdpPort()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

bool listening(quint16 port)
{
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    const bool connected = probe.waitForConnected(500);
    probe.abort();
    return connected;
}

TEST(LobbyProgram, ASecondStartEndsAndLeavesTheFirstRunning)
{
    test::refuseUnlessDiscoveryStaysLocal();
    QTemporaryDir home;
    const quint16 linkPort = test::freeTcpPort();
    QProcess first;
    first.setProcessEnvironment(lobbyEnvironment(home, linkPort));
    first.start(kLobbyProgram, {});
    ASSERT_TRUE(first.waitForStarted(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return listening(linkPort); }, 15000));

    QProcess second;
    second.setProcessEnvironment(lobbyEnvironment(home, test::freeTcpPort()));
    second.start(kLobbyProgram, {});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(listening(linkPort));

    first.terminate();
    if (!first.waitForFinished(5000))
        first.kill();
    first.waitForFinished(5000);
}

TEST(LobbyProgram, IsInstalledBesideTheGameAndTheMenuEntryOpensIt)
{
    QTemporaryDir prefix;
    QProcess install;
    install.start("cmake", {"--install", KALVEX_BINARY_DIR, "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QDir bin(prefix.filePath("bin"));
    EXPECT_TRUE(QFileInfo(bin.filePath("kalvex")).isExecutable());
    ASSERT_TRUE(QFileInfo(bin.filePath("kalvex-lobby")).isExecutable());

    QProcess version;
    version.start(bin.filePath("kalvex-lobby"), {"--version"});
    ASSERT_TRUE(version.waitForFinished(10000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_TRUE(version.readAllStandardOutput().startsWith("kalvex-lobby "));

    QFile entry(prefix.filePath("share/applications/kalvex.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    const qsizetype action = text.indexOf("\n[Desktop Action solo]\n");
    ASSERT_GT(action, 0);
    EXPECT_TRUE(text.left(action).contains("\nName=Kalvex\n"));
    EXPECT_TRUE(text.left(action).contains("\nExec=kalvex-lobby\n"));
    EXPECT_TRUE(text.left(action).contains("\nActions=solo;\n"));
    EXPECT_TRUE(text.mid(action).contains("\nName=Solo Game\n"));
    EXPECT_TRUE(text.mid(action).contains("\nExec=kalvex\n"));
}

} // namespace
} // namespace kalvex
