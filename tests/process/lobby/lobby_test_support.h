#pragma once
// What the lobby's tests share: the check that discovery stays on this
// machine, free ports, a lobby window with its own places, and an X server
// with a window manager for tests that type into a real game window.

#include "lobby/qt/game_launcher.h"
#include "lobby/qt/game_room.h"
#include "lobby/qt/lobby_window.h"
#include "lobby/qt/password_store.h"
#include "lobby/qt/port_mapper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace kalvex::test {

// Why discovery would leave this machine, or nothing: it stays when
// KALVEX_DISCOVERY_BROADCAST names a 127.x address, or when the test runs
// in a network namespace of its own (unshare -n).
inline std::optional<std::string> discoveryLeavesThisMachine()
{
    const QString target = qEnvironmentVariable("KALVEX_DISCOVERY_BROADCAST");
    if (!target.isEmpty()) {
        const QHostAddress address(target);
        if (!address.isNull() && address.protocol() == QAbstractSocket::IPv4Protocol &&
            (address.toIPv4Address() >> 24) == 127)
            return std::nullopt;
        return "KALVEX_DISCOVERY_BROADCAST=" + target.toStdString() + " is not a loop-back address";
    }
    const QString own = QFile::symLinkTarget(QStringLiteral("/proc/self/ns/net"));
    const QString first = QFile::symLinkTarget(QStringLiteral("/proc/1/ns/net"));
    if (!own.isEmpty() && !first.isEmpty() && own != first)
        return std::nullopt;
    return "set KALVEX_DISCOVERY_BROADCAST=127.255.255.255 or run in a network namespace of "
           "the test's own (unshare -n): the lobby would broadcast to the network";
}

// Throws (failing the test) when discovery would leave this machine.
inline void refuseUnlessDiscoveryStaysLocal()
{
    if (const std::optional<std::string> reason = discoveryLeavesThisMachine())
        throw std::runtime_error("lobby test refused to start: " + *reason);
}

inline quint16 freeTcpPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

inline quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    return probe.localPort();
}

// The directory of the real game program in this build.
inline QString gameProgramDirectory()
{
    return QStringLiteral(KALVEX_BINARY_DIR "/src/app");
}

// Lets the lobby find the game program on the PATH, first.
inline void putGameOnPath()
{
    const QByteArray path = qgetenv("PATH");
    if (!path.startsWith(gameProgramDirectory().toLocal8Bit()))
        qputenv("PATH", gameProgramDirectory().toLocal8Bit() + ':' + path);
}

// The room, router and password store the program itself uses.
inline InternetServices realInternet()
{
    return {makeXmppGameRoom(), makeRouterPortMapper(), makeDesktopPasswordStore()};
}

// A "kalvex" that runs but never listens nor links: first on the PATH, and
// there to be run, while this object lives.
class SleepingGame
{
public:
    SleepingGame() : path(qgetenv("PATH"))
    {
        QFile game(bin.filePath(QStringLiteral("kalvex")));
        if (game.open(QIODevice::WriteOnly))
            game.write("#!/bin/sh\nexec sleep 60\n");
        game.close();
        game.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
    }
    ~SleepingGame() { qputenv("PATH", path); }
    SleepingGame(const SleepingGame &) = delete;
    SleepingGame &operator=(const SleepingGame &) = delete;

private:
    QTemporaryDir bin;
    QByteArray path;
};

// Waits until a peer at a game's table hears `name` come in; `heard` keeps
// what it heard meanwhile.
template <typename Peer>
bool hearsPlayer(Peer &watcher, const std::string &name, std::string &heard, int ms = 15000)
{
    return QTest::qWaitFor(
        [&] {
            heard += watcher.drain(100);
            return heard.find("+" + name) != std::string::npos;
        },
        ms);
}

// A lobby window of this process whose games run with their own runtime
// directory (so that each game is a first instance) and settings place.
class TestLobby
{
public:
    TestLobby(quint16 discoveryPort, InternetServices internet,
              const QProcessEnvironment &gameEnvironment = {})
    {
        refuseUnlessDiscoveryStaysLocal();
        LobbyWindow::Ports ports;
        ports.link = freeTcpPort();
        ports.discovery = discoveryPort;
        ports.game = freeTcpPort();
        window = std::make_unique<LobbyWindow>(ports, std::move(internet));
        QProcessEnvironment environment =
            gameEnvironment.isEmpty() ? QProcessEnvironment::systemEnvironment() : gameEnvironment;
        environment.insert(QStringLiteral("KALVEX_HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        window->launcher().setEnvironment(environment);
        gamePort = ports.game;
        linkPort = ports.link;
    }
    ~TestLobby()
    {
        // Every game this test started ends with it.
        if (window && window->launcher().running()) {
            const qint64 pid = window->launcher().processId();
            QProcess::execute(QStringLiteral("kill"),
                              {QStringLiteral("-KILL"), QString::number(pid)});
            (void)QTest::qWaitFor([this] { return !window->launcher().running(); }, 5000);
        }
    }

    QTemporaryDir home;
    QTemporaryDir runtime;
    std::unique_ptr<LobbyWindow> window;
    quint16 gamePort = 0;
    quint16 linkPort = 0;
};

// Xvfb with openbox on one display, for as long as the object lives.
class XDisplay
{
public:
    explicit XDisplay(int number) : name(QStringLiteral(":%1").arg(number))
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || openbox.isEmpty() || tool.isEmpty()) {
            missing = "Xvfb, openbox and xdotool are needed (scripts/install-deps.sh installs "
                      "them)";
            return;
        }
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        server.start(xvfb, {name, QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp")});
        if (!server.waitForStarted(5000) ||
            !QTest::qWaitFor([&] { return QFileInfo::exists(socket); }, 10000)) {
            missing = "Xvfb did not start on " + name.toStdString();
            return;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), name);
        manager.setProcessEnvironment(environment);
        manager.start(openbox, {});
        manager.waitForStarted(5000);
        QTest::qWait(500);
    }
    ~XDisplay()
    {
        for (QProcess *process : {&manager, &server}) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(3000))
                    process->kill();
                process->waitForFinished(3000);
            }
        }
    }

    // Runs xdotool on this display; its standard output.
    QString xdotool(const QStringList &arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), name);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        // The event loop runs meanwhile: a game in this process goes on.
        (void)QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 10000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    QString name;
    std::string missing;

private:
    QProcess server;
    QProcess manager;
};

} // namespace kalvex::test
