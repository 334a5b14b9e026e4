#pragma once
// The real program started as a child with its own home, runtime directory
// and ports (offscreen unless given a display), ended by the destructor.

#include "free_port.h"
#include "x_display.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace kalvex::testing {

inline const QByteArray T(1, '\xFF');

using test::freePort;

class Instance
{
public:
    Instance(quint16 gamePort, quint16 lobbyPort, const XDisplay *display = nullptr)
        : Instance(QString(), gamePort, lobbyPort, display)
    {}
    // runtimeDir: the directory of the single-instance guard; empty gives the
    // instance one of its own.
    Instance(const QString &runtimeDir, quint16 gamePort, quint16 lobbyPort,
             const XDisplay *display = nullptr)
    {
        QFile::setPermissions(ownRuntime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (display != nullptr)
            env = display->environment(env);
        else
            env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("KALVEX_HOME", home.path());
        env.insert("XDG_RUNTIME_DIR", runtimeDir.isEmpty() ? ownRuntime.path() : runtimeDir);
        env.insert("KALVEX_PORT", QString::number(gamePort));
        env.insert("KALVEX_LOBBY_PORT", QString::number(lobbyPort));
        env.insert("KALVEX_LOBBY_URL", "http://127.0.0.1:1/none");
        process.setProcessEnvironment(env);
        process.setProgram(KALVEX_BINARY_DIR "/src/app/kalvex");
    }
    ~Instance()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    void start(const QStringList &arguments)
    {
        process.setArguments(arguments);
        process.start();
        ASSERT_TRUE(process.waitForStarted(5000));
    }
    QString settingsPath() const { return home.filePath("orbolobby.ini"); }

    QProcess process;
    QTemporaryDir home;

private:
    QTemporaryDir ownRuntime;
};

// A listening place the program may connect to: the lobby, or a remote host.
struct Listener
{
    QTcpServer server;
    std::vector<QTcpSocket *> peers;
    explicit Listener(quint16 port)
    {
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost, port));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *peer = server.nextPendingConnection())
                peers.push_back(peer);
        });
    }
};

inline QByteArray readUntil(QTcpSocket &socket, const QByteArray &wanted, int timeoutMs = 10000)
{
    QByteArray got;
    (void)QTest::qWaitFor(
        [&] {
            got += socket.readAll();
            return got.contains(wanted);
        },
        timeoutMs);
    return got;
}

// Connects to the game port, trying again until the program listens there.
inline bool connectWhenListening(QTcpSocket &peer, quint16 port)
{
    return QTest::qWaitFor(
        [&] {
            if (peer.state() == QAbstractSocket::ConnectedState)
                return true;
            peer.abort();
            peer.connectToHost(QHostAddress::LocalHost, port);
            return peer.waitForConnected(200);
        },
        10000);
}

} // namespace kalvex::testing
