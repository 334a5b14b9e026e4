// The server's dispatch timer: asleep while nothing waits, it takes the first
// line after a sleep at once and then keeps its pace of one line per tick.

#include "server/qt/tserver.h"
#include "tick_watch.h"
#include "wire_peer.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace kalvex;
using namespace kalvex::test;

namespace {

TEST(DispatchPace, FirstLineAfterASleepIsTakenAtOnceAndABurstKeepsOneLinePerTick)
{
    TServer server;
    server.startListening(0);
    WirePeer host(server.listeningPort());
    ASSERT_EQ(host.login("Host"), 1);
    EXPECT_EQ(host.next(), wire("CMD_newplayerinfo+1+Host"));

    auto *socktimer = server.findChild<QTimer *>(QStringLiteral("socktimer"));
    ASSERT_NE(socktimer, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !socktimer->isActive(); }, 5000))
        << "the dispatch keeps ticking with nothing to do";
    // Asleep for longer than a tick.
    QTest::qWait(3 * TServer::kDispatchMs);

    TickWatch watch(*socktimer);
    host.send("CMD_chat+1+one|clRed\xFF"
              "CMD_chat+1+two|clRed\xFF"
              "CMD_chat+1+three|clRed\xFF");
    EXPECT_EQ(host.next(), wire("CMD_chat+1+Host chats: one|clRed"));
    EXPECT_EQ(host.next(), wire("CMD_chat+1+Host chats: two|clRed"));
    EXPECT_EQ(host.next(), wire("CMD_chat+1+Host chats: three|clRed"));

    ASSERT_EQ(watch.intervals.size(), 3u);
    EXPECT_EQ(watch.intervals[0], 0);
    EXPECT_EQ(watch.intervals[1], TServer::kDispatchMs);
    EXPECT_EQ(watch.intervals[2], TServer::kDispatchMs);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !socktimer->isActive(); }, 5000));
}

} // namespace
