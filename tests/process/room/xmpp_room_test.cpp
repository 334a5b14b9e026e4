// Two lobbies' rooms (and a bare client where a lobby would not do what is
// needed) in one room of a private prosody.
#include "lobby/qt/xmpp_game_room.h"
#include "lobby/qt/xmpp_socket_connection.h"

#include "prosody_server.h"
#include "raw_room_client.h"
#include "room_recorder.h"

#include "free_port.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

namespace kalvex::testing {
namespace {

// Anything that should have gone from the room is gone within this.
constexpr int kGoneWithinMs = 3000;

class XmppRoom : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { prosody = new ProsodyServer(); }
    static void TearDownTestSuite()
    {
        delete prosody;
        prosody = nullptr;
    }
    void SetUp() override
    {
        if (!prosody->running())
            GTEST_SKIP() << prosody->unavailableReason().toStdString();
    }

    // An account that enters this test's own room anonymously.
    RoomAccount anonymous(const QString &nickname) const
    {
        RoomAccount account;
        account.server = prosody->anonymousDomain();
        account.port = prosody->port();
        account.anonymous = true;
        account.room = roomAddress();
        account.nickname = nickname;
        return account;
    }
    QString roomAddress() const
    {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        return QString::fromLatin1(test->name()).toLower() + QLatin1Char('@') +
               prosody->mucDomain();
    }

    static GameAdvert annsGame()
    {
        GameAdvert advert;
        advert.hostName = "Ann";
        advert.address = "127.0.0.1";
        advert.port = 7772;
        advert.seated = 1;
        advert.programVersion = "1.0";
        return advert;
    }

    // Enters a room and waits until it is in.
    void enterAndWait(XmppGameRoom &room, RoomRecorder &seen, const RoomAccount &account)
    {
        room.enter(account);
        ASSERT_TRUE(RoomRecorder::waitFor([&] { return !seen.enteredAs.empty(); }))
            << seen.failureText().toStdString() << "\n"
            << prosody->log().toStdString();
    }

    // Enters with this account and expects the first failure to say
    // `words` and to be tried again after `retryInSeconds` (0: never).
    static void expectFailure(const RoomAccount &account, const char *words, int retryInSeconds)
    {
        XmppGameRoom room;
        RoomRecorder seen(room);
        room.enter(account);
        const auto failure = seen.firstFailure();
        ASSERT_TRUE(failure);
        EXPECT_TRUE(failure->reason.contains(QLatin1String(words)))
            << failure->reason.toStdString();
        EXPECT_EQ(failure->retryInSeconds, retryInSeconds);
    }

    static ProsodyServer *prosody;
};

ProsodyServer *XmppRoom::prosody = nullptr;

TEST_F(XmppRoom, TwoLobbiesSeeEachOtherAndChatBothWays)
{
    XmppGameRoom ann;
    XmppGameRoom bob;
    RoomRecorder annSees(ann);
    RoomRecorder bobSees(bob);
    enterAndWait(ann, annSees, anonymous("Ann"));
    enterAndWait(bob, bobSees, anonymous("Bob"));
    EXPECT_EQ(annSees.enteredAs.front(), "Ann");
    EXPECT_TRUE(ann.inRoom());
    EXPECT_FALSE(ann.encrypted()) << "this server offers no TLS";

    ASSERT_TRUE(RoomRecorder::waitFor([&] { return annSees.present("Bob"); }));
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.present("Ann"); }));
    EXPECT_TRUE(bobSees.present("Bob")) << "a lobby lists itself among the people";
    EXPECT_FALSE(bobSees.advertOf("Ann"));

    ann.say(QStringLiteral("hi + all"));
    bob.say(QStringLiteral("hello Ann"));
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return bobSees.heard("Ann", "hi + all"); }));
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return annSees.heard("Bob", "hello Ann"); }));
    EXPECT_TRUE(annSees.heard("Ann", "hi + all")) << "the room sends one's own line back";
    EXPECT_TRUE(annSees.failures.empty()) << annSees.failureText().toStdString();
}

TEST_F(XmppRoom, ChatLinesFollowTheGameChatRules)
{
    XmppGameRoom ann;
    XmppGameRoom bob;
    RoomRecorder annSees(ann);
    RoomRecorder bobSees(bob);
    enterAndWait(ann, annSees, anonymous("Ann"));
    ann.say(QStringLiteral("before Bob came"));
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return annSees.heard("Ann", "before Bob came"); }));
    enterAndWait(bob, bobSees, anonymous("Bob"));

    ann.say(QStringLiteral("one\ntwo\tthree"));
    ann.say(QStringLiteral("  "));
    ann.say(QStringLiteral("end"));
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.heard("Ann", "end"); }));
    ASSERT_EQ(bobSees.lines.size(), 2u) << "no past chat, and no blank line";
    EXPECT_EQ(bobSees.lines[0].text, "one two three");
}

TEST_F(XmppRoom, AnAdvertIsSeenAndGoesWithinThreeSeconds)
{
    XmppGameRoom ann;
    XmppGameRoom bob;
    RoomRecorder annSees(ann);
    RoomRecorder bobSees(bob);
    ann.advertise(annsGame());
    enterAndWait(ann, annSees, anonymous("Ann"));
    enterAndWait(bob, bobSees, anonymous("Bob"));
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.advertOf("Ann") == annsGame(); }));

    ann.advertise(std::nullopt);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(RoomRecorder::waitFor(
        [&] { return bobSees.present("Ann") && !bobSees.advertOf("Ann"); }, kGoneWithinMs));

    GameAdvert running = annsGame();
    running.running = true;
    running.seated = 2;
    running.address.clear();
    ann.advertise(running);
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.advertOf("Ann") == running; }));
    EXPECT_EQ(annSees.advertOf("Ann"), running) << "the room shows a lobby its own advert";

    ann.leave();
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return !bobSees.present("Ann"); }, kGoneWithinMs));
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return annSees.leftCount == 1; }));
    EXPECT_FALSE(ann.inRoom());
}

TEST_F(XmppRoom, AnAdvertGoesWhenTheLobbyEnds)
{
    XmppGameRoom bob;
    RoomRecorder bobSees(bob);
    {
        XmppGameRoom ann;
        RoomRecorder annSees(ann);
        enterAndWait(ann, annSees, anonymous("Ann"));
        ann.advertise(annsGame());
        enterAndWait(bob, bobSees, anonymous("Bob"));
        ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.advertOf("Ann").has_value(); }));
    }
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return !bobSees.present("Ann"); }, kGoneWithinMs));
}

TEST_F(XmppRoom, AdvertsThatBreakTheRulesAreNeverShown)
{
    XmppGameRoom bob;
    RoomRecorder bobSees(bob);
    enterAndWait(bob, bobSees, anonymous("Bob"));
    RawRoomClient raw(prosody->anonymousDomain(), prosody->port());
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return raw.connected; }));
    raw.join(roomAddress() + QStringLiteral("/Eve"), false);
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.present("Eve"); }));

    const std::string eve = (roomAddress() + QStringLiteral("/Eve")).toStdString();
    auto advertTag = [](const std::string &version, const std::string &port) {
        auto *game = new gloox::Tag("game");
        game->setXmlns("urn:x-kalvex:game");
        game->addAttribute("v", version);
        game->addAttribute("host", "Eve");
        game->addAttribute("port", port);
        game->addAttribute("seated", "1");
        game->addAttribute("state", "waiting");
        game->addAttribute("program", "1.0");
        return game;
    };
    // A good one first, so that the bad ones are seen replacing it.
    raw.sendPresenceWith(eve, advertTag("1", "7772"));
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.advertOf("Eve").has_value(); }));
    for (auto *bad : {advertTag("2", "7772"), advertTag("1", "70000"), advertTag("1", "x")}) {
        const int before = bobSees.occupantChanges;
        raw.sendPresenceWith(eve, bad);
        ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.occupantChanges > before; }));
        EXPECT_FALSE(bobSees.advertOf("Eve"));
        raw.sendPresenceWith(eve, advertTag("1", "7772"));
        ASSERT_TRUE(RoomRecorder::waitFor([&] { return bobSees.advertOf("Eve").has_value(); }));
    }
}

TEST_F(XmppRoom, ATakenNameIsReportedWithASuggestionAndNotRetried)
{
    XmppGameRoom ann;
    XmppGameRoom second;
    RoomRecorder annSees(ann);
    RoomRecorder secondSees(second);
    enterAndWait(ann, annSees, anonymous("Ann"));
    second.enter(anonymous("Ann"));
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return !secondSees.suggestions.empty(); }))
        << secondSees.failureText().toStdString();
    EXPECT_EQ(secondSees.suggestions.front(), "Ann_2");
    QTest::qWait(2500);
    EXPECT_TRUE(secondSees.enteredAs.empty());
    EXPECT_TRUE(secondSees.failures.empty()) << secondSees.failureText().toStdString();
    EXPECT_EQ(secondSees.suggestions.size(), 1u);
    EXPECT_FALSE(second.inRoom());

    second.enter(anonymous("Ann_2"));
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return !secondSees.enteredAs.empty(); }));
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return annSees.present("Ann_2"); }));
}

TEST_F(XmppRoom, ARoomStillBeingCreatedIsEnteredOnceItOpens)
{
    RawRoomClient creator(prosody->anonymousDomain(), prosody->port());
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return creator.connected; }));
    creator.join(roomAddress() + QStringLiteral("/Creator"), true);
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return creator.created; }));

    XmppGameRoom ann;
    RoomRecorder annSees(ann);
    ann.enter(anonymous("Ann"));
    QTest::qWait(1500);
    EXPECT_TRUE(annSees.enteredAs.empty()) << "the room is still locked";
    creator.unlock();
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return !annSees.enteredAs.empty(); }))
        << annSees.failureText().toStdString();
    EXPECT_TRUE(annSees.failures.empty()) << annSees.failureText().toStdString();
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return annSees.present("Creator"); }));
}

TEST_F(XmppRoom, AnAccountLogsInWithItsPasswordAndABadOneIsNotRetried)
{
    ASSERT_TRUE(prosody->addUser(QStringLiteral("ann"), QStringLiteral("right")));
    RoomAccount account = anonymous("Ann");
    account.anonymous = false;
    account.server = prosody->host();
    account.jid = QStringLiteral("ann@") + prosody->userDomain();

    account.password = QStringLiteral("wrong");
    XmppGameRoom refused;
    RoomRecorder refusedSees(refused);
    refused.enter(account);
    const auto failure = refusedSees.firstFailure();
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->reason.contains("bad password")) << failure->reason.toStdString();
    EXPECT_EQ(failure->retryInSeconds, 0);
    QTest::qWait(2500);
    EXPECT_EQ(refusedSees.failures.size(), 1u) << "no second attempt";
    EXPECT_TRUE(refusedSees.enteredAs.empty());

    account.password = QStringLiteral("right");
    XmppGameRoom ann;
    RoomRecorder annSees(ann);
    enterAndWait(ann, annSees, account);
    EXPECT_EQ(annSees.enteredAs.front(), "Ann");
}

TEST_F(XmppRoom, AnUnreachableServerIsRetriedWithAGrowingPause)
{
    RoomAccount account = anonymous("Ann");
    account.server = QStringLiteral("127.0.0.1");
    account.port = test::freePort();
    XmppGameRoom ann;
    RoomRecorder annSees(ann);
    ann.enter(account);
    const auto failure = annSees.firstFailure();
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->reason.contains("Cannot reach the server 127.0.0.1"))
        << failure->reason.toStdString();
    EXPECT_EQ(failure->retryInSeconds, 2);
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return annSees.failures.size() == 2; }, 4000));
    EXPECT_EQ(annSees.failures[1].retryInSeconds, 4);

    ann.leave();
    QTest::qWait(4500);
    EXPECT_EQ(annSees.failures.size(), 2u) << "leaving stops the retries";
    EXPECT_EQ(annSees.leftCount, 1);
}

TEST_F(XmppRoom, ADomainTheServerDoesNotServeIsReportedAndNotRetried)
{
    RoomAccount account = anonymous("Ann");
    account.server = QStringLiteral("127.0.0.1"); // reached, but it serves "localhost"
    expectFailure(account, "does not serve \"127.0.0.1\"", 0);
}

TEST_F(XmppRoom, AServerWithoutAnonymousLoginSaysSoAndIsNotRetried)
{
    ProsodyOptions accountsOnly;
    accountsOnly.anonymousLogin = false;
    ProsodyServer server(accountsOnly);
    ASSERT_TRUE(server.running()) << server.unavailableReason().toStdString();
    RoomAccount account = anonymous("Ann");
    account.port = server.port();
    expectFailure(account, "does not allow anonymous login", 0);
}

TEST_F(XmppRoom, ALoopbackServerThatOffersTlsIsTalkedToEncrypted)
{
    // The test authority's certificate, for another name: on this machine
    // the server need not prove who it is.
    const QString tls = QStringLiteral(KALVEX_SOURCE_DIR "/tests/process/windows/tls/");
    ProsodyOptions encrypting;
    encrypting.certificate = tls + QStringLiteral("server.pem");
    encrypting.key = tls + QStringLiteral("server.key");
    ProsodyServer server(encrypting);
    ASSERT_TRUE(server.running()) << server.unavailableReason().toStdString();

    RoomAccount account = anonymous("Ann");
    account.port = server.port();
    XmppGameRoom ann;
    XmppGameRoom bob;
    RoomRecorder annSees(ann);
    RoomRecorder bobSees(bob);
    enterAndWait(ann, annSees, account);
    EXPECT_TRUE(ann.encrypted());
    account.nickname = QStringLiteral("Bob");
    enterAndWait(bob, bobSees, account);
    ann.say(QStringLiteral("secret"));
    EXPECT_TRUE(RoomRecorder::waitFor([&] { return bobSees.heard("Ann", "secret"); }));
}

TEST_F(XmppRoom, AMissingRoomServiceIsReportedInWords)
{
    RoomAccount account = anonymous("Ann");
    account.room = QStringLiteral("kalvex@nowhere.localhost");
    expectFailure(account, "The room kalvex@nowhere.localhost does not exist", 2);
}

TEST_F(XmppRoom, AServerThatStopsAnsweringIsLeftAndEnteredAgain)
{
    XmppGameRoom ann;
    ann.setKeepAliveInterval(300);
    RoomRecorder annSees(ann);
    enterAndWait(ann, annSees, anonymous("Ann"));

    prosody->pause();
    const bool noticed = RoomRecorder::waitFor([&] { return !annSees.failures.empty(); }, 3000);
    prosody->resume();
    ASSERT_TRUE(noticed) << "a silent server is noticed within a few pings";
    EXPECT_TRUE(annSees.failures.front().reason.contains(QLatin1String("does not answer")))
        << annSees.failureText().toStdString();
    EXPECT_EQ(annSees.failures.front().retryInSeconds, 2);
    EXPECT_FALSE(ann.inRoom());

    // Back under the same name, once the server has let the old one go.
    ASSERT_TRUE(RoomRecorder::waitFor([&] { return annSees.enteredAs.size() == 2; }, 30000))
        << annSees.failureText().toStdString();
    EXPECT_EQ(annSees.enteredAs.back(), "Ann");
    EXPECT_TRUE(annSees.suggestions.empty());
}

// A server that opens a stream and then sends one stanza that never ends.
TEST(XmppRoomFlood, AServerThatSendsEndlesslyIsLeft)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QByteArray chunk(64 * 1024, 'x');
    qint64 sent = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket *peer = server.nextPendingConnection();
        peer->write("<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                    "xmlns:stream='http://etherx.jabber.org/streams' version='1.0' "
                    "from='localhost' id='1'><message><body>");
        auto more = [peer, &chunk, &sent] {
            // Never more than a few chunks queued; up to twice the bound.
            while (peer->bytesToWrite() < 4 * chunk.size() &&
                   sent < 2 * XmppSocketConnection::kMaxBytesPerMinute) {
                peer->write(chunk);
                sent += chunk.size();
            }
        };
        QObject::connect(peer, &QTcpSocket::bytesWritten, peer, more);
        more();
    });

    RoomAccount account;
    account.server = QStringLiteral("127.0.0.1");
    account.port = server.serverPort();
    account.room = QStringLiteral("kalvex@conference.localhost");
    account.nickname = QStringLiteral("Ann");
    XmppGameRoom ann;
    RoomRecorder annSees(ann);
    ann.enter(account);
    const auto failure = annSees.firstFailure(30000);
    ASSERT_TRUE(failure) << "sent " << sent;
    EXPECT_TRUE(failure->reason.contains(QLatin1String("far more than a room needs")))
        << failure->reason.toStdString();
    EXPECT_GT(failure->retryInSeconds, 0);
    EXPECT_LT(sent, 2 * XmppSocketConnection::kMaxBytesPerMinute);
    ann.leave();
}

} // namespace
} // namespace kalvex::testing
