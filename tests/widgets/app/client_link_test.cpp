#include "app/qt/client_link.h"
#include "net/error_report.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

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
