// The inbound queue serves its connections in turn, and a filter keeps lines
// out of it as they arrive.

#include "net/inbound_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace kalvex;

namespace {

const std::string T(1, '\xFF');

using Taken = std::vector<std::pair<ConnectionId, std::string>>;

Taken drain(InboundQueue &queue)
{
    Taken out;
    while (!queue.empty()) {
        InboundLine line = queue.take();
        out.emplace_back(line.connection, std::move(line.text));
    }
    return out;
}

std::string lines(const std::string &word, int n)
{
    std::string bytes;
    for (int i = 0; i < n; ++i)
        bytes += "CMD_" + word + "+" + std::to_string(i) + T;
    return bytes;
}

} // namespace

TEST(InboundTurns, ConnectionsAreServedInTurnEachInItsOwnArrivalOrder)
{
    InboundQueue queue("");
    queue.take();
    queue.receive(1, lines("a", 4));
    queue.receive(2, lines("b", 2));
    queue.receive(3, lines("c", 1));
    EXPECT_EQ(queue.busyConnections(), 3u);
    EXPECT_EQ(drain(queue), (Taken{{1, "CMD_a+0"},
                                   {2, "CMD_b+0"},
                                   {3, "CMD_c+0"},
                                   {1, "CMD_a+1"},
                                   {2, "CMD_b+1"},
                                   {1, "CMD_a+2"},
                                   {1, "CMD_a+3"}}));
    EXPECT_EQ(queue.busyConnections(), 0u);
}

TEST(InboundTurns, ALineWaitsAtMostOneTickPerOtherConnectionWithLinesWaiting)
{
    InboundQueue queue("");
    queue.take();
    for (ConnectionId busy = 1; busy <= 8; ++busy)
        queue.receive(busy, lines("busy", 200));
    std::vector<std::vector<std::string>> taken(10);
    const auto tick = [&] {
        InboundLine line = queue.take();
        taken[line.connection].push_back(line.text);
        return line.connection;
    };
    // Some ticks pass; then the honest line arrives behind 1,500 others.
    for (int i = 0; i < 37; ++i)
        tick();
    queue.receive(9, "CMD_chat+9+hi|clRed" + T);
    ASSERT_GT(queue.size(), 1500u);
    int ticks = 1;
    while (tick() != 9)
        ++ticks;
    EXPECT_LE(ticks, 9);
    while (!queue.empty())
        tick();
    // The busy ones lost nothing and kept their order.
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i)
        expected.push_back("CMD_busy+" + std::to_string(i));
    for (ConnectionId busy = 1; busy <= 8; ++busy)
        EXPECT_EQ(taken[busy], expected) << busy;
}

TEST(InboundTurns, OneConnectionAfterTheInitialLineIsAPlainQueue)
{
    // The client's use: one link, and the line "receivedlist" comes first even
    // when the first read arrives before the first tick.
    InboundQueue queue("receivedlist");
    queue.receive(42, "CMD_a+" + T + "CMD_b+" + T);
    EXPECT_EQ(queue.take().text, "receivedlist");
    EXPECT_EQ(queue.take().text, "CMD_a+");
    queue.receive(42, "CMD_c+" + T);
    EXPECT_EQ(drain(queue), (Taken{{42, "CMD_b+"}, {42, "CMD_c+"}}));
    EXPECT_EQ(queue.take().text, "");
}

TEST(InboundTurns, RefusedLinesAreNeverQueuedNorCountAgainstTheShare)
{
    InboundQueue queue("", InboundLimits{64, 2, 1000});
    queue.take();
    std::vector<std::string> seen;
    const auto onlyLogins = [&](std::string_view line) {
        seen.emplace_back(line);
        return line.starts_with("CMD_logininfo+");
    };
    // Far more refused lines than the share holds, one of them split across reads.
    EXPECT_EQ(queue.receive(5, lines("chat", 50) + "CMD_cha", onlyLogins), ReceiveResult::Ok);
    EXPECT_EQ(queue.receive(5, "t+x" + T + "CMD_logininfo+5+1.0.5+Ann" + T, onlyLogins),
              ReceiveResult::Ok);
    EXPECT_EQ(seen.size(), 52u);
    EXPECT_EQ(seen[50], "CMD_chat+x");
    EXPECT_EQ(drain(queue), (Taken{{5, "CMD_logininfo+5+1.0.5+Ann"}}));
}

TEST(InboundTurns, DiscardDropsAConnectionsLinesAndTheOthersKeepTheirTurns)
{
    InboundQueue queue("");
    queue.take();
    queue.receive(1, lines("a", 3));
    queue.receive(2, lines("b", 3) + "CMD_b+tail");
    queue.receive(3, lines("c", 1));
    queue.take();
    queue.discard(2);
    EXPECT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue.queuedFor(2), 0u);
    EXPECT_EQ(drain(queue), (Taken{{3, "CMD_c+0"}, {1, "CMD_a+1"}, {1, "CMD_a+2"}}));
    // The unterminated tail went with it.
    queue.receive(2, T);
    EXPECT_EQ(drain(queue), (Taken{{2, ""}}));
}
