// The real program on a real X desktop (Xvfb with the openbox window
// manager): what only shows with a window manager's frame, focus and key
// grabs, and with a peer in another process whose data and close arrive
// together.

#include "kalvex_instance.h"
#include "x_display.h"

#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace kalvex::testing;

namespace {

struct WindowGeometry
{
    QRect client;
    // The window manager's frame around it (_NET_FRAME_EXTENTS); the client
    // area alone while the window has no frame.
    QRect frame;
};

class Desktop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        x = std::make_unique<XDisplay>(screenSize());
        if (!x->running())
            GTEST_SKIP() << x->unavailableReason().toStdString();
        gamePort = freePort();
        lobbyPort = freePort();
    }
    virtual QSize screenSize() const { return {1024, 768}; }

    // The visible windows of a process, once there are at least `count`.
    QStringList waitForWindows(const QProcess &process, int count, int timeoutMs = 15000)
    {
        QStringList ids;
        (void)QTest::qWaitFor(
            [&] {
                ids = x->windowsOf(process.processId());
                return ids.size() >= count || process.state() == QProcess::NotRunning;
            },
            timeoutMs);
        return ids;
    }

    // The process's one window once the window manager has framed it; empty
    // when that does not happen.
    QString waitForFramedWindow(const QProcess &process)
    {
        const QStringList windows = waitForWindows(process, 1);
        if (windows.size() != 1)
            return {};
        const bool framed = QTest::qWaitFor(
            [&] {
                const WindowGeometry now = geometry(windows[0]);
                return now.frame.height() > now.client.height();
            },
            5000);
        return framed ? windows[0] : QString();
    }

    WindowGeometry geometry(const QString &id)
    {
        const QString info = x->tool("xwininfo", {"-id", id}).value_or(QString());
        auto number = [&](const char *label) {
            const QRegularExpression pattern(QString::fromLatin1(label) + ":\\s+(-?\\d+)");
            return pattern.match(info).captured(1).toInt();
        };
        WindowGeometry found;
        found.client = QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"),
                             number("Width"), number("Height"));
        const QString extents =
            x->tool("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}).value_or(QString());
        const auto sides = QRegularExpression("= (\\d+), (\\d+), (\\d+), (\\d+)").match(extents);
        found.frame = found.client;
        if (sides.hasMatch()) {
            const int left = sides.captured(1).toInt();
            const int right = sides.captured(2).toInt();
            const int top = sides.captured(3).toInt();
            const int bottom = sides.captured(4).toInt();
            found.frame = found.client.adjusted(-left, -top, right, bottom);
        }
        return found;
    }

    // The narrowest of the windows: a message box beside the main window.
    QString boxAmong(const QStringList &ids)
    {
        QString box;
        int narrowest = 1 << 30;
        for (const QString &id : ids) {
            const int width = geometry(id).client.width();
            if (width > 0 && width < narrowest) {
                narrowest = width;
                box = id;
            }
        }
        return box;
    }

    bool key(const QString &window, const QString &keys)
    {
        return x->tool("xdotool", {"windowactivate", "--sync", window}).has_value() &&
               x->tool("xdotool", {"key", "--clearmodifiers", keys}).has_value();
    }

    // Closes a window as the user does with the window manager's Alt+F4,
    // again should the manager not have taken the keys yet; true once the
    // program has ended.
    bool closeByWindowManager(const QString &window, QProcess &process)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!key(window, "alt+F4"))
                return false;
            if (process.waitForFinished(5000))
                return true;
        }
        return false;
    }

    // Expects the "Game is full" box of a joiner whose host refused it: the
    // program stays until the box is dismissed, then ends cleanly.
    void expectFullBoxThenEnd(Instance &joiner, int attempt)
    {
        const QStringList windows = waitForWindows(joiner.process, 2);
        ASSERT_EQ(windows.size(), 2) << "attempt " << attempt << ": the main window and its box";
        ASSERT_EQ(joiner.process.state(), QProcess::Running) << "attempt " << attempt;
        const QString box = boxAmong(windows);
        EXPECT_EQ(x->tool("xdotool", {"getwindowname", box}).value_or(QString()).trimmed(),
                  "Kalvex");
        QTest::qWait(300);
        EXPECT_EQ(joiner.process.state(), QProcess::Running)
            << "attempt " << attempt << ": the box stays until dismissed";
        ASSERT_TRUE(key(box, "Return"));
        ASSERT_TRUE(joiner.process.waitForFinished(10000)) << "attempt " << attempt;
        EXPECT_EQ(joiner.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(joiner.process.exitCode(), 0);
    }

    std::unique_ptr<XDisplay> x;
    quint16 gamePort = 0;
    quint16 lobbyPort = 0;
};

// A screen smaller than the window's smallest client area (628 by 408).
class SmallDesktop : public Desktop
{
protected:
    QSize screenSize() const override { return {600, 400}; }
};

void writeSettings(const QString &path, const QByteArray &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(Desktop, AFullAnswerThatArrivesWithTheCloseIsShownBeforeTheProgramEnds)
{
    for (int attempt = 1; attempt <= 3; ++attempt) {
        QTcpServer host;
        ASSERT_TRUE(host.listen(QHostAddress::LocalHost, gamePort));
        // The answer and the close leave at once, as a refusing server sends them.
        QObject::connect(&host, &QTcpServer::newConnection, [&host] {
            while (QTcpSocket *peer = host.nextPendingConnection()) {
                peer->write("CMD_full+" + T);
                peer->flush();
                peer->close();
            }
        });
        Instance joiner(gamePort, lobbyPort, x.get());
        joiner.start({"Ann", "127.0.0.1", "join"});
        ASSERT_NO_FATAL_FAILURE(expectFullBoxThenEnd(joiner, attempt));
    }
}

TEST_F(Desktop, TheEleventhJoinerOfAHostIsToldTheGameIsFullEveryTime)
{
    Instance host(gamePort, lobbyPort);
    host.start({"Host", "127.0.0.1", "true"});
    // Nine players fill slots 2 to 10 beside the host's own client.
    std::vector<std::unique_ptr<QTcpSocket>> players;
    for (int slot = 2; slot <= 10; ++slot) {
        auto peer = std::make_unique<QTcpSocket>();
        ASSERT_TRUE(connectWhenListening(*peer, gamePort));
        const QByteArray request = "CMD_sendlogininfo+" + QByteArray::number(slot) + T;
        ASSERT_TRUE(readUntil(*peer, request).contains(request)) << "slot " << slot;
        peer->write("CMD_logininfo+" + QByteArray::number(slot) + "+1.0.5+P" +
                    QByteArray::number(slot) + T + T);
        peer->flush();
        players.push_back(std::move(peer));
    }
    for (int attempt = 1; attempt <= 10; ++attempt) {
        Instance joiner(gamePort, freePort(), x.get());
        joiner.start({"Eleven", "127.0.0.1", "join"});
        ASSERT_NO_FATAL_FAILURE(expectFullBoxThenEnd(joiner, attempt));
    }
    EXPECT_EQ(host.process.state(), QProcess::Running);
}

TEST_F(Desktop, ClosingBeforeTheLoginLeavesTheStoredPlacementAlone)
{
    Instance idle(gamePort, lobbyPort, x.get());
    const QByteArray stored = "[kalvex]\r\nTop=120\r\nLeft=140\r\nWidth=700\r\nHeight=500\r\n";
    writeSettings(idle.settingsPath(), stored);
    // Two arguments: the program waits unconnected, its settings not applied.
    idle.start({"Ann", "127.0.0.1"});
    const QString window = waitForFramedWindow(idle.process);
    ASSERT_FALSE(window.isEmpty());
    QTest::qWait(300);
    ASSERT_TRUE(closeByWindowManager(window, idle.process));
    EXPECT_EQ(readFile(idle.settingsPath()), stored);
}

TEST_F(SmallDesktop, AWindowMovedWhileLargerThanTheWorkAreaIsStoredFifteenPixelsSmaller)
{
    Instance idle(gamePort, lobbyPort, x.get());
    idle.start({"Ann", "127.0.0.1"});
    const QString window = waitForFramedWindow(idle.process);
    ASSERT_FALSE(window.isEmpty());
    // The user moves it.
    ASSERT_TRUE(x->tool("xdotool", {"windowmove", "--sync", window, "30", "20"}));
    QTest::qWait(300);
    const QRect frame = geometry(window).frame;
    ASSERT_GT(frame.width(), 600);
    ASSERT_GT(frame.height(), 400);
    ASSERT_TRUE(closeByWindowManager(window, idle.process));
    const QByteArray text = readFile(idle.settingsPath());
    EXPECT_TRUE(text.contains("Width=" + QByteArray::number(frame.width() - 15) + "\r\n"))
        << text.toStdString() << " for a frame of " << frame.width();
    EXPECT_TRUE(text.contains("Height=" + QByteArray::number(frame.height() - 15) + "\r\n"))
        << text.toStdString() << " for a frame of " << frame.height();
    EXPECT_TRUE(text.contains("Left=" + QByteArray::number(frame.left()) + "\r\n"))
        << text.toStdString();
}

TEST_F(Desktop, AltFOpensTheFileMenuAndTypesNothingIntoTheChat)
{
    QTcpServer host;
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, gamePort));
    Instance joiner(gamePort, lobbyPort, x.get());
    joiner.start({"Ann", "127.0.0.1", "join"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.hasPendingConnections(); }, 15000));
    QTcpSocket *link = host.nextPendingConnection();
    link->write("CMD_sendlogininfo+2" + T + "CMD_newplayerinfo+2+Ann" + T);
    ASSERT_TRUE(readUntil(*link, "Ann" + T + T).endsWith(T + T));

    const QString window = waitForFramedWindow(joiner.process);
    ASSERT_FALSE(window.isEmpty());
    QTest::qWait(300);
    ASSERT_TRUE(key(window, "alt+f"));
    const QStringList withMenu = waitForWindows(joiner.process, 2, 5000);
    EXPECT_EQ(withMenu.size(), 2) << "the File menu opened";
    ASSERT_TRUE(x->tool("xdotool", {"key", "Escape", "Escape"}));
    QTest::qWait(200);
    EXPECT_EQ(x->windowsOf(joiner.process.processId()).size(), 1) << "the menu closed";
    ASSERT_TRUE(x->tool("xdotool", {"type", "hi"}));
    ASSERT_TRUE(x->tool("xdotool", {"key", "Return"}));
    const QByteArray chat = readUntil(*link, "|");
    EXPECT_TRUE(chat.startsWith("CMD_chat+2+hi|")) << chat.toStdString();
}
