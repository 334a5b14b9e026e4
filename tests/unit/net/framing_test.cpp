#include "net/commands.h"
#include "net/dispatch.h"
#include "net/inbound_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvex;

namespace {

const std::string T(1, '\xFF');

std::vector<std::string> drain(InboundQueue &queue)
{
    std::vector<std::string> out;
    while (!queue.empty())
        out.push_back(queue.take().text);
    return out;
}

} // namespace

TEST(InboundQueue, StartsWithTheInitialLineWhichDispatchPassesOver)
{
    InboundQueue client("receivedlist");
    InboundQueue server("");
    ASSERT_EQ(client.size(), 1u);
    ASSERT_EQ(server.size(), 1u);
    const auto first = client.take();
    EXPECT_EQ(first.text, "receivedlist");
    EXPECT_EQ(first.connection, kNoConnection);
    int called = 0;
    dispatchLine(first.text, kClientCommands, [&](std::size_t, std::string_view) { ++called; });
    dispatchLine(server.take().text, kServerCommands,
                 [&](std::size_t, std::string_view) { ++called; });
    EXPECT_EQ(called, 0);
}

TEST(InboundQueue, EmptyQueueGivesAnEmptyLine)
{
    InboundQueue queue("x");
    queue.take();
    const auto line = queue.take();
    EXPECT_EQ(line.text, "");
    EXPECT_EQ(line.connection, kNoConnection);
}

TEST(InboundQueue, SeveralMessagesInOneReadBecomeLinesInOrder)
{
    InboundQueue queue("");
    queue.take();
    EXPECT_EQ(queue.receive(1, "CMD_a+1+" + T + "CMD_b+2+" + T + "CMD_c+x" + T), ReceiveResult::Ok);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{"CMD_a+1+", "CMD_b+2+", "CMD_c+x"}));
}

TEST(InboundQueue, LoginsTwoTerminatorsGiveTheLoginAndAnEmptyLine)
{
    InboundQueue queue("");
    queue.take();
    queue.receive(3, "CMD_logininfo+2+1.0.5+Ann" + T + T);
    const auto lines = drain(queue);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "CMD_logininfo+2+1.0.5+Ann");
    EXPECT_EQ(lines[1], "");
}

TEST(InboundQueue, MessageSplitAcrossReadsIsJoinedPerConnection)
{
    InboundQueue queue("");
    queue.take();
    queue.receive(1, "CMD_chat+1+hel");
    queue.receive(2, "CMD_chat+2+other" + T + "CMD_chat+2+sec");
    EXPECT_EQ(queue.size(), 1u);
    queue.receive(1, "lo there|clRed" + T);
    queue.receive(2, "ond" + T);
    const auto a = queue.take();
    const auto b = queue.take();
    const auto c = queue.take();
    EXPECT_EQ(a.connection, 2u);
    EXPECT_EQ(a.text, "CMD_chat+2+other");
    EXPECT_EQ(b.connection, 1u);
    EXPECT_EQ(b.text, "CMD_chat+1+hello there|clRed");
    EXPECT_EQ(c.connection, 2u);
    EXPECT_EQ(c.text, "CMD_chat+2+second");
}

TEST(InboundQueue, ReadWithoutTerminatorAddsNoLineAndForgetDropsTheTail)
{
    InboundQueue queue("");
    queue.take();
    queue.receive(7, "CMD_chat+7+half");
    EXPECT_TRUE(queue.empty());
    queue.forget(7);
    queue.receive(7, "CMD_chat+7+new" + T);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{"CMD_chat+7+new"}));
}

TEST(InboundQueue, LongChatLineStaysOneLine)
{
    InboundQueue queue("");
    queue.take();
    const std::string text = "CMD_chat+1+" + std::string(20000, 'w') + "|clRed";
    queue.receive(1, text + T);
    ASSERT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue.take().text, text);
}

TEST(InboundQueue, EveryByteSplitGivesTheSameLines)
{
    const std::string stream = "CMD_a+1+" + T + T + "CMD_b+x+y" + T + "CMD_c+" + T;
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        InboundQueue queue("");
        queue.take();
        queue.receive(1, stream.substr(0, cut));
        queue.receive(1, stream.substr(cut));
        EXPECT_EQ(drain(queue), (std::vector<std::string>{"CMD_a+1+", "", "CMD_b+x+y", "CMD_c+"}))
            << "cut at " << cut;
    }
}

TEST(InboundLimits, UnterminatedTailPastTheCapIsDroppedWithTheRestOfItsMessage)
{
    InboundQueue queue("", InboundLimits{16, 100, 1000});
    queue.take();
    EXPECT_EQ(queue.receive(1, "CMD_chat+1+0123"), ReceiveResult::Ok);
    EXPECT_EQ(queue.receive(1, "456789abcdef"), ReceiveResult::Overflow);
    // The end of the oversized message must not surface as a line.
    EXPECT_EQ(queue.receive(1, "CMD_chat+1+tail of it" + T + "CMD_ok+" + T), ReceiveResult::Ok);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{"CMD_ok+"}));
}

TEST(InboundLimits, CompleteMessageLongerThanTheCapIsDropped)
{
    InboundQueue queue("", InboundLimits{8, 100, 1000});
    queue.take();
    EXPECT_EQ(queue.receive(1, "CMD_far_too_long+" + T + "CMD_a+" + T), ReceiveResult::Overflow);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{"CMD_a+"}));
}

TEST(InboundLimits, LinesPastTheConnectionsShareAreDroppedOthersKeepTheirs)
{
    InboundQueue queue("", InboundLimits{1024, 3, 1000});
    queue.take();
    std::string burst;
    for (int i = 0; i < 5; ++i)
        burst += "CMD_x+" + std::to_string(i) + T;
    EXPECT_EQ(queue.receive(1, burst), ReceiveResult::Overflow);
    EXPECT_EQ(queue.queuedFor(1), 3u);
    EXPECT_EQ(queue.receive(2, "CMD_y+" + T), ReceiveResult::Ok);
    // Taking lines frees the share again.
    queue.take();
    EXPECT_EQ(queue.queuedFor(1), 2u);
    EXPECT_EQ(queue.receive(1, "CMD_x+9" + T), ReceiveResult::Ok);
    // Connection 2 had its turn waiting behind connection 1's first line.
    EXPECT_EQ(drain(queue), (std::vector<std::string>{"CMD_y+", "CMD_x+1", "CMD_x+2", "CMD_x+9"}));
}

TEST(InboundLimits, QueuedBytesPerConnectionAreCapped)
{
    InboundQueue queue("", InboundLimits{1024, 100, 20});
    queue.take();
    EXPECT_EQ(queue.receive(1, std::string(15, 'a') + T + std::string(15, 'b') + T),
              ReceiveResult::Overflow);
    EXPECT_EQ(queue.size(), 1u);
}

TEST(Dispatch, EveryMatchingNameIsCalledInCatalogueOrder)
{
    const std::array<std::string_view, 4> catalogue = {"CMD_a", "CMD_b", "CMD_a", "CMD_c"};
    std::vector<std::size_t> calls;
    std::vector<std::string> remainders;
    const int n = dispatchLine("CMD_a+1+x+y", catalogue, [&](std::size_t i, std::string_view rest) {
        calls.push_back(i);
        remainders.emplace_back(rest);
    });
    EXPECT_EQ(n, 2);
    EXPECT_EQ(calls, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(remainders, (std::vector<std::string>{"1+x+y", "1+x+y"}));
}

TEST(Dispatch, ComparisonIsExactAndCaseSensitive)
{
    int called = 0;
    auto count = [&](std::size_t, std::string_view) { ++called; };
    dispatchLine("cmd_chat+1+hi", kClientCommands, count);
    dispatchLine("CMD_chat +1+hi", kClientCommands, count);
    dispatchLine("CMD_cha+1+hi", kClientCommands, count);
    dispatchLine("CMD_chat", kClientCommands, count);
    dispatchLine("+CMD_chat+", kClientCommands, count);
    EXPECT_EQ(called, 0);
    dispatchLine("CMD_chat+1+hi", kClientCommands, count);
    EXPECT_EQ(called, 1);
}

TEST(Dispatch, CatalogueIndexesFollowTheFixedOrder)
{
    static_assert(clientCommand("CMD_sendlogininfo") == 0);
    static_assert(clientCommand("CMD_playasound") == 24);
    static_assert(serverCommand("CMD_logininfo") == 0);
    static_assert(serverCommand("CMD_playasound") == 7);
    EXPECT_EQ(commandIndex(kClientCommands, "CMD_gotit"), 15u);
    // A word outside the catalogue has no index (and names no case label).
    EXPECT_THROW(commandIndex(kServerCommands, "CMD_nothing"), std::invalid_argument);
    EXPECT_THROW(commandIndex(kServerCommands, "CMD_gotit"), std::invalid_argument);
}

TEST(InboundQueue, LineBreaksInsideAMessageNeverMakeASecondCommand)
{
    // A relayed chat line carrying "\r\nCMD_full+" must stay one chat line, or
    // any player could make every client act on a command of his choosing.
    InboundQueue queue("");
    queue.take();
    queue.receive(1, "CMD_chat+2+Bob chats: hi\r\nCMD_full+\nCMD_winner+2+|clRed" + T);
    ASSERT_EQ(queue.size(), 1u);
    int full = 0;
    dispatchLine(queue.take().text, kClientCommands, [&](std::size_t i, std::string_view) {
        if (kClientCommands[i] == "CMD_full")
            ++full;
    });
    EXPECT_EQ(full, 0);
}
