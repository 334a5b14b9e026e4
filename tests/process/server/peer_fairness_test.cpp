// What other connections may cost an honest player, over real loopback
// connections: lines before a login, busy queues, the size of a chat, and
// what a connection hears before it logs in.

#include "hostile_peers.h"
#include "net/chat_limits.h"
#include "ones_only.h"
#include "server/qt/tserver.h"
#include "tick_watch.h"
#include "wire_peer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace kalvex;
using namespace kalvex::test;

namespace {

std::string chatLines(const std::string &slot, int n)
{
    std::string bytes;
    for (int i = 0; i < n; ++i)
        bytes += wire("CMD_chat+" + slot + "+line " + std::to_string(i) + "|clRed");
    return bytes;
}

class PeerFairness : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server = std::make_unique<TServer>(std::make_unique<OnesOnly>());
        server->startListening(0);
        port = server->listeningPort();
        host = std::make_unique<WirePeer>(port);
        ASSERT_EQ(host->login("Host"), 1);
        ASSERT_EQ(host->next(), wire("CMD_newplayerinfo+1+Host"));
        dispatch = server->findChild<QTimer *>(QStringLiteral("socktimer"));
        ASSERT_NE(dispatch, nullptr);
    }

    // A player who logs in; the roster messages it gets are read away.
    std::unique_ptr<WirePeer> player(const std::string &name, int &slot)
    {
        auto peer = std::make_unique<WirePeer>(port);
        slot = peer->login(name);
        EXPECT_EQ(peer->nextStartingWith("CMD_newplayerinfo+" + std::to_string(slot) + "+"),
                  wire("CMD_newplayerinfo+" + std::to_string(slot) + "+" + name));
        return peer;
    }

    std::unique_ptr<TServer> server;
    quint16 port = 0;
    std::unique_ptr<WirePeer> host;
    QTimer *dispatch = nullptr;
};

TEST_F(PeerFairness, ChattyConnectionsThatNeverLogInDoNotDelayAnHonestLine)
{
    std::atomic<bool> burstsSent{false};
    std::atomic<bool> stop{false};
    std::atomic<int> offered{0};
    // Eight connections from another thread: each takes its slot, writes 200
    // lines at once (within its share of the queue) and then keeps chatting,
    // about 4 kB/s each, but never logs in.
    std::thread chatter([&] {
        std::vector<std::unique_ptr<hostile::RawConnection>> connections;
        std::vector<std::string> offeredSlots;
        for (int i = 0; i < 8; ++i) {
            connections.push_back(std::make_unique<hostile::RawConnection>(port));
            const std::string offer = connections.back()->nextMessage(5000);
            offeredSlots.push_back(offer.substr(offer.find('+') + 1));
            offered += offer.rfind("CMD_sendlogininfo+", 0) == 0;
        }
        for (std::size_t i = 0; i < connections.size(); ++i)
            connections[i]->send(chatLines(offeredSlots[i], 200));
        burstsSent = true;
        while (!stop) {
            for (std::size_t i = 0; i < connections.size(); ++i)
                connections[i]->send(chatLines(offeredSlots[i], 4));
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
    });
    struct Join
    {
        std::thread &thread;
        std::atomic<bool> &stop;
        ~Join()
        {
            stop = true;
            thread.join();
        }
    } join{chatter, stop};

    ASSERT_TRUE(QTest::qWaitFor([&] { return burstsSent.load(); }, 20000));
    ASSERT_EQ(offered, 8);
    // The server reads every burst meanwhile.
    QTest::qWait(300);
    EXPECT_EQ(server->queuedLines(), 0u) << "lines of connections that never logged in wait";

    TickWatch watch(*dispatch);
    host->send(wire("CMD_chat+1+honest|clRed"));
    EXPECT_EQ(host->next(), wire("CMD_chat+1+Host chats: honest|clRed"));
    EXPECT_LE(watch.ticks(), 2u);
    // Nothing they sent reached anyone.
    EXPECT_EQ(host->drain(100), "");
}

TEST_F(PeerFairness, BusyPlayersDelayAnHonestLineByOneTickEachAtMost)
{
    std::vector<std::unique_ptr<WirePeer>> busy;
    for (int i = 0; i < 8; ++i) {
        int slot = 0;
        busy.push_back(player("Busy" + std::to_string(i + 1), slot));
        ASSERT_EQ(slot, i + 2);
    }
    for (std::size_t i = 0; i < busy.size(); ++i)
        busy[i]->send(chatLines(std::to_string(i + 2), 150));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->queuedLines() > 1000; }, 5000))
        << server->queuedLines();

    TickWatch watch(*dispatch);
    host->send(wire("CMD_chat+1+honest|clRed"));
    EXPECT_EQ(host->nextStartingWith("CMD_chat+1+"), wire("CMD_chat+1+Host chats: honest|clRed"));
    // One turn of each busy connection, the honest line's own tick, and a
    // tick or two while the relay travels back to the host.
    EXPECT_LE(watch.ticks(), 8u + 1u + 2u);
    EXPECT_GT(server->queuedLines(), 900u) << "the busy lines were not kept";
    for (auto &peer : busy)
        EXPECT_TRUE(peer->isOpen());
}

TEST_F(PeerFairness, AConnectionThatNeverLogsInHearsNoJoinChatOrResult)
{
    WirePeer lurker(port);
    ASSERT_EQ(lurker.next(), wire("CMD_sendlogininfo+2"));

    int annSlot = 0;
    auto ann = player("Ann", annSlot);
    ASSERT_EQ(annSlot, 3);
    EXPECT_EQ(ann->next(), wire("CMD_existingplayers+1+Host"));
    EXPECT_EQ(host->next(), wire("CMD_newplayerinfo+3+Ann"));

    ann->send(wire("CMD_chat+3+the plan|clRed"));
    EXPECT_EQ(host->next(), wire("CMD_chat+3+Ann chats: the plan|clRed"));
    host->send(wire("CMD_startgame+Host+1+60+0+0+"));
    ann->send(wire("CMD_checkit+3+1+1+1+1+"));
    EXPECT_EQ(host->nextStartingWith("CMD_gotit+"), wire("CMD_gotit+3+12+12+1+1+1+1+1+"));
    ann->leave();
    EXPECT_EQ(host->nextStartingWith("CMD_playerdisconnected+"),
              wire("CMD_playerdisconnected+3+Ann"));

    EXPECT_EQ(lurker.drain(200), "");
    ASSERT_TRUE(lurker.isOpen());
    // Once it logs in it learns what it needs: the roster and the game.
    lurker.send("CMD_logininfo+2+1.0.5+Late\xFF\xFF");
    EXPECT_EQ(lurker.next(), wire("CMD_newplayerinfo+2+Late"));
    EXPECT_EQ(lurker.next(), wire("CMD_existingplayers+1+Host"));
    EXPECT_EQ(lurker.nextStartingWith("CMD_loadgame+2+1+1+60+").substr(0, 22),
              "CMD_loadgame+2+1+1+60+");
    EXPECT_EQ(lurker.next(), wire("CMD_setbonus+0+0+"));
}

TEST_F(PeerFairness, OversizedChatIsNotRelayedAndItsSenderCarriesOn)
{
    int slot = 0;
    auto ann = player("Ann", slot);
    host->nextStartingWith("CMD_newplayerinfo+2+");
    ann->send(wire("CMD_chat+2+" + std::string(kMaxChatPayloadBytes + 1, 'x')));
    ann->send(wire("CMD_chat+2+short|clRed"));
    const std::string relayed = host->next();
    EXPECT_EQ(relayed, wire("CMD_chat+2+Ann chats: short|clRed"))
        << relayed.size() << " bytes: " << relayed.substr(0, 40);
    EXPECT_TRUE(ann->isOpen());
}

} // namespace
