#include "app/qt/client_link.h"
#include "app/qt/error_box.h"
#include "net/chat_limits.h"
#include "net/error_report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace kalvex;

TEST(ClientLink, EachTickHandsOnOneLineInArrivalOrderStartingWithTheInitialLine)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    ClientLink link;
    std::vector<std::string> lines;
    std::vector<int> linesPerTick;
    int pendingThisTick = 0;
    link.onLine = [&](std::string_view line) {
        lines.emplace_back(line);
        ++pendingThisTick;
    };
    link.afterTick = [&] {
        linesPerTick.push_back(pendingThisTick);
        pendingThisTick = 0;
    };
    link.open("127.0.0.1", QString::number(server.serverPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket *peer = server.nextPendingConnection();
    // Three messages in one write, the third split over two writes.
    peer->write("CMD_a+1+\xFF"
                "CMD_b+2+\xFF"
                "CMD_c+");
    peer->flush();
    QTest::qWait(50);
    peer->write("3+\xFF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() == 4; }, 5000));
    EXPECT_EQ(lines,
              (std::vector<std::string>{"receivedlist", "CMD_a+1+", "CMD_b+2+", "CMD_c+3+"}));
    for (int count : linesPerTick)
        EXPECT_LE(count, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !link.ticking(); }, 2000));
}

TEST(ClientLink, AHandlerErrorEndsOnlyItsLine)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    std::vector<std::string> reported;
    const ErrorSink previous =
        setErrorSink([&](ErrorOrigin, const std::string &text) { reported.push_back(text); });
    ClientLink link;
    std::vector<std::string> lines;
    int ticks = 0;
    link.onLine = [&](std::string_view line) {
        lines.emplace_back(line);
        if (line == "CMD_bad+")
            throw std::runtime_error("bad");
    };
    link.afterTick = [&] { ++ticks; };
    link.open("127.0.0.1", QString::number(server.serverPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    server.nextPendingConnection()->write("CMD_bad+\xFF"
                                          "CMD_good+\xFF");
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines.size() == 3; }, 5000));
    EXPECT_EQ(lines.back(), "CMD_good+");
    EXPECT_GE(ticks, 3) << "the step after the line runs even when the line failed";
    EXPECT_EQ(reported, std::vector<std::string>{"bad"});
    setErrorSink(previous);
}

TEST(ClientLink, SendingOnANeverOpenedLinkIsAnError)
{
    ClientLink link;
    EXPECT_THROW(link.send("CMD_x+\xFF"), ESockException);
}

TEST(ClientLink, AWokenTimerTakesTheFirstLineAtOnceAndThenKeepsOneLinePerTick)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    ClientLink link;
    QElapsedTimer clock;
    std::vector<qint64> handledAt;
    link.onLine = [&](std::string_view line) {
        if (line.substr(0, 4) == "CMD_")
            handledAt.push_back(clock.nsecsElapsed() / 1000);
    };
    link.open("127.0.0.1", QString::number(server.serverPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    QTcpSocket *peer = server.nextPendingConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link.ticking(); }, 2000)) << "idle link sleeps";
    QTest::qWait(30);

    clock.start();
    peer->write("CMD_a+\xFF"
                "CMD_b+\xFF"
                "CMD_c+\xFF");
    peer->flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return handledAt.size() == 3; }, 5000));
    // Three lines take three ticks: the second and third wait a tick each
    // behind the first, whichever way the first was scheduled.
    EXPECT_GE(handledAt[1] - handledAt[0], 8000);
    EXPECT_GE(handledAt[2] - handledAt[1], 8000);
    EXPECT_LT(handledAt[0], handledAt[1]);
}

namespace {

// A link connected to a peer played by the test.
struct LinkedPeer
{
    QTcpServer server;
    ClientLink link;
    QTcpSocket *peer = nullptr;
    bool connect()
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        link.open("127.0.0.1", QString::number(server.serverPort()));
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000))
            return false;
        peer = server.nextPendingConnection();
        return true;
    }
};

} // namespace

TEST(ClientLink, TheCloseIsHandledAfterTheLinesThatCameBeforeIt)
{
    LinkedPeer linked;
    std::vector<std::string> events;
    linked.link.onLine = [&](std::string_view line) { events.emplace_back(line); };
    linked.link.onClosed = [&] { events.emplace_back("closed"); };
    ASSERT_TRUE(linked.connect());
    linked.peer->write("CMD_a+\xFF"
                       "CMD_full+\xFF");
    linked.peer->flush();
    linked.peer->close();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::count(events.begin(), events.end(), "closed") == 1; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(events, (std::vector<std::string>{"receivedlist", "CMD_a+", "CMD_full+", "closed"}));
}

TEST(ClientLink, AnErrorBoxDoesNotHoldUpTheLinesBehindIt)
{
    LinkedPeer linked;
    std::vector<std::string> handled;
    linked.link.onLine = [&](std::string_view line) {
        handled.emplace_back(line);
        if (line == "CMD_bad+")
            throw std::runtime_error("'x' is not a valid integer value");
    };
    ASSERT_TRUE(linked.connect());
    const ErrorSink previous = setErrorSink({});
    ErrorBox::install();
    // While the box is open, the lines behind the bad one are handled.
    std::vector<std::string> handledWhileOpen;
    QString boxText;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        boxText = box->text();
        if (handled.size() < 4 && !QTest::qWaitFor([&] { return handled.size() >= 4; }, 2000))
            ADD_FAILURE() << "dispatch stopped while the box was open";
        handledWhileOpen = handled;
        box->accept();
    });
    watcher.start(20);
    linked.peer->write("CMD_bad+\xFF"
                       "CMD_next+\xFF"
                       "CMD_last+\xFF");
    linked.peer->flush();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !boxText.isEmpty() && handled.size() >= 4; }, 5000));
    watcher.stop();
    setErrorSink(previous);
    EXPECT_EQ(boxText, "'x' is not a valid integer value");
    EXPECT_EQ(handledWhileOpen,
              (std::vector<std::string>{"receivedlist", "CMD_bad+", "CMD_next+", "CMD_last+"}));
}

TEST(ClientLink, TakesARelayedChatLongerThanOneMessageOfTheServer)
{
    LinkedPeer linked;
    std::vector<std::string> handled;
    linked.link.onLine = [&](std::string_view line) { handled.emplace_back(line); };
    ASSERT_TRUE(linked.connect());
    // The sender's name may take most of one server message; its chat comes on top.
    const std::string relay = "CMD_chat+3+" + std::string(60000, 'N') +
                              " chats: " + std::string(kMaxChatPayloadBytes - 20, 't') + "|clBlack";
    ASSERT_GT(relay.size(), LineFramer::kDefaultMaxTail);
    ASSERT_LE(relay.size(), kMaxReceivedLineBytes);
    linked.peer->write(QByteArray::fromStdString(relay + '\xFF' + "CMD_after+\xFF"));
    linked.peer->flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled.size() >= 3; }, 5000));
    EXPECT_EQ(handled[1], relay);
    EXPECT_EQ(handled[2], "CMD_after+");
}
