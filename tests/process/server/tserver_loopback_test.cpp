// The server host over real loopback connections: the bytes each peer sees.

#include "net/socket_errors.h"
#include "ones_only.h"
#include "server/qt/tserver.h"
#include "wire_peer.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace kalvex;
using namespace kalvex::test;

namespace {

class Loopback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server = std::make_unique<TServer>(std::make_unique<OnesOnly>());
        server->startListening(0);
        port = server->listeningPort();
        ASSERT_NE(port, 0);
        host = join("Host");
        ASSERT_EQ(hostSlot, 1);
    }

    std::unique_ptr<WirePeer> join(const std::string &name, int *slot = nullptr)
    {
        auto peer = std::make_unique<WirePeer>(port);
        const int given = peer->login(name);
        (slot ? *slot : hostSlot) = given;
        return peer;
    }

    // Joins a player and reads away the roster messages the others receive.
    std::unique_ptr<WirePeer> seat(const std::string &name, std::vector<WirePeer *> present,
                                   int expectedSlot)
    {
        int slot = 0;
        auto peer = join(name, &slot);
        EXPECT_EQ(slot, expectedSlot);
        const std::string entry = wire("CMD_newplayerinfo+" + std::to_string(slot) + "+" + name);
        for (WirePeer *other : present)
            EXPECT_EQ(other->next(), entry);
        EXPECT_EQ(peer->next(), entry);
        for (std::size_t i = 0; i < present.size(); ++i)
            peer->next();
        return peer;
    }

    std::unique_ptr<TServer> server;
    quint16 port = 0;
    int hostSlot = 0;
    std::unique_ptr<WirePeer> host;
};

} // namespace

TEST_F(Loopback, LoginAndRosterBytes)
{
    EXPECT_EQ(host->next(), wire("CMD_newplayerinfo+1+Host"));
    WirePeer ann(port);
    EXPECT_EQ(ann.next(), wire("CMD_sendlogininfo+2"));
    ann.send("CMD_logininfo+2+1.0.5+Ann\xFF\xFF");
    EXPECT_EQ(host->next(), wire("CMD_newplayerinfo+2+Ann"));
    EXPECT_EQ(ann.next(), wire("CMD_newplayerinfo+2+Ann"));
    EXPECT_EQ(ann.next(), wire("CMD_existingplayers+1+Host"));
    EXPECT_EQ(ann.drain(), "");
    EXPECT_EQ(host->drain(0), "");
}

TEST_F(Loopback, VersionMismatchIsAnnouncedToHostAndJoiner)
{
    host->next();
    WirePeer old(port);
    old.login("Old", "1.0.4");
    EXPECT_EQ(host->next(), wire("CMD_newplayerinfo+2+Old"));
    EXPECT_EQ(host->next(), wire("CMD_havewrongversion+Old"));
    EXPECT_EQ(old.next(), wire("CMD_newplayerinfo+2+Old"));
    EXPECT_EQ(old.next(), wire("CMD_existingplayers+1+Host"));
    EXPECT_EQ(old.next(), wire("CMD_wrongversion+"));
    EXPECT_TRUE(old.isOpen());
}

TEST_F(Loopback, EleventhConnectionIsToldTheGameIsFullAndClosed)
{
    std::vector<std::unique_ptr<WirePeer>> peers;
    for (int slot = 2; slot <= 10; ++slot) {
        peers.push_back(std::make_unique<WirePeer>(port));
        EXPECT_EQ(peers.back()->next(), wire("CMD_sendlogininfo+" + std::to_string(slot)));
    }
    WirePeer eleventh(port);
    EXPECT_EQ(eleventh.next(), wire("CMD_full+"));
    EXPECT_TRUE(eleventh.waitClosed());
    for (auto &peer : peers)
        EXPECT_TRUE(peer->isOpen());

    peers[3]->leave(); // slot 5
    ASSERT_TRUE(peers[3]->waitClosed());
    QTest::qWait(100);
    WirePeer again(port);
    EXPECT_EQ(again.next(), wire("CMD_sendlogininfo+5"));
}

TEST_F(Loopback, ChatIsRelayedToAllWhateverHowItIsCutIntoReads)
{
    host->next();
    auto ann = seat("Ann", {host.get()}, 2);
    ann->send("CMD_chat+2+hello +");
    QTest::qWait(50);
    ann->send("world|clRed\xFF"
              "CMD_action+2+waves|clBlue\xFF");
    for (WirePeer *peer : {host.get(), ann.get()}) {
        EXPECT_EQ(peer->next(), wire("CMD_chat+2+Ann chats: hello +world|clRed"));
        EXPECT_EQ(peer->next(), wire("CMD_action+2+Ann waves|clBlue"));
    }
    ann->send(wire("CMD_playasound+2+wave12+"));
    EXPECT_EQ(host->next(), wire("CMD_playasound+2+wave12+"));
}

TEST_F(Loopback, HostRemovesAPlayerAndTheOthersHearOnce)
{
    host->next();
    auto ann = seat("Ann", {host.get()}, 2);
    auto cid = seat("Cid", {host.get(), ann.get()}, 3);
    host->send(wire("CMD_kickhim+1+3+"));
    EXPECT_TRUE(cid->waitClosed());
    EXPECT_EQ(host->next(), wire("CMD_playerdisconnected+3+Cid"));
    EXPECT_EQ(ann->next(), wire("CMD_playerdisconnected+3+Cid"));
    EXPECT_EQ(ann->drain(), "");
    EXPECT_EQ(host->drain(0), "");
}

TEST_F(Loopback, PlayerWhoLeavesIsAnnouncedOnce)
{
    host->next();
    auto ann = seat("Ann", {host.get()}, 2);
    auto cid = seat("Cid", {host.get(), ann.get()}, 3);
    ann->leave();
    EXPECT_EQ(host->next(), wire("CMD_playerdisconnected+2+Ann"));
    EXPECT_EQ(cid->next(), wire("CMD_playerdisconnected+2+Ann"));
    EXPECT_EQ(cid->drain(), "");
    EXPECT_EQ(host->drain(0), "");
}

TEST_F(Loopback, ForgedLinesAreDroppedAndTheConnectionCarriesOn)
{
    host->next();
    auto ann = seat("Ann", {host.get()}, 2);
    auto cid = seat("Cid", {host.get(), ann.get()}, 3);
    ann->send(wire("CMD_kickhim+1+3+") + wire("CMD_chat+1+I quit|clRed") +
              wire("CMD_startgame+Ann+5+120+0+0+") + wire("CMD_chat+2+x|clRed"));
    EXPECT_EQ(host->next(), wire("CMD_chat+2+Ann chats: x|clRed"));
    EXPECT_TRUE(cid->isOpen());
    EXPECT_FALSE(server->rules().gameOn());
}

TEST_F(Loopback, OversizedMessageClosesItsConnectionOnly)
{
    host->next();
    auto ann = seat("Ann", {host.get()}, 2);
    ann->send(std::string(200 * 1024, 'a'));
    EXPECT_TRUE(ann->waitClosed());
    EXPECT_EQ(host->next(), wire("CMD_playerdisconnected+2+Ann"));
    host->send(wire("CMD_chat+1+still here|clRed"));
    EXPECT_EQ(host->next(), wire("CMD_chat+1+Host chats: still here|clRed"));
}

TEST_F(Loopback, FloodingConnectionIsClosedAndItsLinesPassedOver)
{
    host->next();
    auto ann = seat("Ann", {host.get()}, 2);
    std::string flood;
    for (int i = 0; i < 300; ++i)
        flood += wire("CMD_chat+2+spam|clRed");
    ann->send(flood);
    EXPECT_TRUE(ann->waitClosed());
    host->send(wire("CMD_chat+1+after|clRed"));
    // Whatever of the flood was relayed before the close, the host's own
    // line follows soon, not after hundreds of ticks.
    std::string got;
    int relayed = 0;
    while ((got = host->next(2000)) == wire("CMD_chat+2+Ann chats: spam|clRed"))
        ++relayed;
    EXPECT_LT(relayed, 256);
    EXPECT_EQ(got, wire("CMD_playerdisconnected+2+Ann"));
    EXPECT_EQ(host->next(), wire("CMD_chat+1+Host chats: after|clRed"));
}

TEST_F(Loopback, ARoundIsPlayedOverTheWire)
{
    host->next();
    auto ann = seat("Ann", {host.get()}, 2);
    host->send(wire("CMD_startgame+Host+1+60+0+0+"));
    for (WirePeer *peer : {host.get(), ann.get()}) {
        EXPECT_EQ(peer->next(), wire("CMD_startgame+Host+1+60+0+0+"));
        EXPECT_EQ(peer->next(), wire("CMD_startround+1+"));
    }
    EXPECT_EQ(host->next(), wire("CMD_nextplayer+1+1+"));
    EXPECT_EQ(ann->next(), wire("CMD_nextplayer+2+1+"));
    ann->send(wire("CMD_checkit+2+1+2+1+3+"));
    EXPECT_EQ(ann->next(), wire("CMD_yourresult+2+1+2+0+2+"));
    EXPECT_EQ(ann->next(), wire("CMD_nextplayer+2+2+"));
    auto *clock = server->findChild<QTimer *>(QStringLiteral("timer1"));
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(clock->isActive());
    host->send(wire("CMD_checkit+1+1+1+1+1+"));
    ann->send(wire("CMD_checkit+2+1+1+1+1+"));
    for (WirePeer *peer : {host.get(), ann.get()}) {
        EXPECT_EQ(peer->next(), wire("CMD_gotit+1+12+12+1+1+1+1+1+"));
        EXPECT_EQ(peer->next(), wire("CMD_gotit+2+11+11+2+1+1+1+1+"));
        EXPECT_EQ(peer->next(), wire("CMD_endround+"));
    }
    // The pause runs on the same clock, which went on ticking.
    EXPECT_TRUE(clock->isActive());
    EXPECT_EQ(server->rules().clockPurpose(), ClockPurpose::StartRound);
}

TEST_F(Loopback, SilentConnectionIsGivenThirtySecondsToLogIn)
{
    auto *deadline = server->findChild<QTimer *>(QStringLiteral("loginTimer"));
    ASSERT_NE(deadline, nullptr);
    host->next();
    QTest::qWait(50);
    EXPECT_FALSE(deadline->isActive());
    WirePeer silent(port);
    EXPECT_EQ(silent.next(), wire("CMD_sendlogininfo+2"));
    ASSERT_TRUE(deadline->isActive());
    EXPECT_GT(deadline->remainingTime(), 25000);
    EXPECT_LE(deadline->remainingTime(), 31500); // a coarse timer may run 5% late
    silent.send("CMD_logininfo+2+1.0.5+Late\xFF\xFF");
    EXPECT_EQ(silent.next(), wire("CMD_newplayerinfo+2+Late"));
    EXPECT_FALSE(deadline->isActive());
}

TEST_F(Loopback, DispatchSleepsWhileNothingWaits)
{
    auto *dispatch = server->findChild<QTimer *>(QStringLiteral("socktimer"));
    ASSERT_NE(dispatch, nullptr);
    EXPECT_EQ(dispatch->interval(), 10);
    host->next();
    QTest::qWait(50);
    EXPECT_FALSE(dispatch->isActive());
    EXPECT_EQ(server->queuedLines(), 0u);
    host->send(wire("CMD_chat+1+a|clRed") + wire("CMD_chat+1+b|clRed"));
    EXPECT_EQ(host->next(), wire("CMD_chat+1+Host chats: a|clRed"));
    EXPECT_EQ(host->next(), wire("CMD_chat+1+Host chats: b|clRed"));
}

TEST(LoopbackListening, BusyPortIsReportedAsAnError)
{
    TServer first;
    first.startListening(0);
    TServer second;
    try {
        second.startListening(first.listeningPort());
        FAIL() << "listening twice on one port succeeded";
    } catch (const ESockException &error) {
        EXPECT_STREQ(error.what(), "Listen - Error Binding Socket");
    }
    EXPECT_FALSE(second.isListening());
}
