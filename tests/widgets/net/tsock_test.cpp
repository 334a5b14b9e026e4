#include "net/error_report.h"
#include "net/message.h"
#include "net/qt/host_lookup.h"
#include "net/qt/tsock.h"

#include "raw_peer.h"

#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace kalvex;

namespace {

const char *name(TSocketInfo category)
{
    static const char *names[] = {"Lookup",  "Connect", "Close",  "Listen",
                                  "Receive", "Send",    "Accept", "Error"};
    return names[static_cast<int>(category)];
}

// Records every event of the endpoints it is attached to, in order.
struct Journal
{
    std::vector<std::string> events;

    void attach(TSock &sock, const std::string &who)
    {
        sock.OnRead = [this, who](TSock &, int count) {
            events.push_back(who + " read " + std::to_string(count));
        };
        sock.OnDisconnect = [this, who](TSock &) { events.push_back(who + " disconnect"); };
        sock.OnInfo = [this, who](TSock &, TSocketInfo category, const QString &text) {
            events.push_back(who + " " + name(category) + ": " + text.toStdString());
        };
    }
    int count(const std::string &event) const
    {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    std::ptrdiff_t position(const std::string &event) const
    {
        return std::find(events.begin(), events.end(), event) - events.begin();
    }
};

// A listener on a free loopback port that accepts every connection.
struct Listener
{
    TSock sock;
    std::vector<TSock *> accepted;

    Listener()
    {
        sock.setPortName("0");
        sock.OnAccept = [this](TSock &listener) {
            TSock *endpoint = nullptr;
            if (listener.Accept(endpoint))
                accepted.push_back(endpoint);
        };
        sock.setListen(true);
    }
    QString port() const { return QString::number(sock.boundPort()); }
};

std::unique_ptr<TSock> clientFor(const Listener &listener)
{
    auto client = std::make_unique<TSock>();
    client->setHostName("127.0.0.1");
    client->setPortName(listener.port());
    return client;
}

template <typename Exception, typename Function> std::string thrownText(Function &&function)
{
    try {
        function();
    } catch (const Exception &e) {
        return e.what();
    }
    return "(nothing thrown)";
}

struct RecordErrors
{
    std::vector<std::string> reported;
    ErrorSink previous;
    RecordErrors()
    {
        previous = setErrorSink(
            [this](ErrorOrigin, const std::string &text) { reported.push_back(text); });
    }
    ~RecordErrors() { setErrorSink(previous); }
};

} // namespace

TEST(TSockConnection, BytesSentBeforeTheConnectionCompletesArriveInOrder)
{
    Listener listener;
    std::string received;
    listener.sock.OnRead = [&](TSock &sender, int) { received += sender.ReceiveText(); };
    auto client = clientFor(listener);
    EXPECT_FALSE(client->Open());
    client->Send(std::string("CMD_a+1+\xFF"));
    client->Send(std::string("CMD_b+2+\xFF"));
    EXPECT_GT(client->pendingSend(), 0u) << "nothing is taken before the connection is made";
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 18; }, 5000));
    EXPECT_EQ(received, "CMD_a+1+\xFF"
                        "CMD_b+2+\xFF");
    EXPECT_TRUE(client->Connected());
    EXPECT_EQ(client->pendingSend(), 0u);
}

TEST(TSockConnection, AcceptedEndpointInheritsHandlersPortAndPeerAddress)
{
    Listener listener;
    Journal journal;
    journal.attach(listener.sock, "server");
    listener.sock.Tag = 77;
    auto client = clientFor(listener);
    client->Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.accepted.empty(); }, 5000));
    TSock &endpoint = *listener.accepted.front();
    EXPECT_EQ(endpoint.HostName(), "127.0.0.1");
    EXPECT_EQ(endpoint.PortName(), "0");
    EXPECT_TRUE(endpoint.Connected());
    EXPECT_FALSE(endpoint.Listen());
    EXPECT_NE(endpoint.id(), listener.sock.id());
    EXPECT_EQ(endpoint.parent(), &listener.sock);
    EXPECT_EQ(journal.count("server Accept: Created New TSock Structure"), 1);
    client->Send(std::string("hello"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return journal.count("server read 5") == 1; }, 5000));
    EXPECT_EQ(endpoint.ReceiveText(), "hello");
}

TEST(TSockConnection, TwoMessagesInOneReadComeTogetherAndLargeDataInSeveralReads)
{
    Listener listener;
    std::vector<int> counts;
    std::string received;
    listener.sock.OnRead = [&](TSock &sender, int count) {
        counts.push_back(count);
        received += sender.ReceiveText();
    };
    auto client = clientFor(listener);
    client->Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->Connected(); }, 5000));
    client->Send(std::string("one\xFFtwo\xFF"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 8; }, 5000));
    EXPECT_EQ(counts, std::vector<int>{8});

    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>('a' + i % 26);
    received.clear();
    counts.clear();
    client->Send(big);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == big.size(); }, 10000));
    EXPECT_EQ(received, big);
    EXPECT_GE(counts.size(), 2u);
    for (int count : counts)
        EXPECT_LE(count, 32768) << "one receive call takes at most 32768 bytes";
}

TEST(TSockConnection, ClientEventsAndInfosComeInOrder)
{
    Listener listener;
    Journal journal;
    auto client = clientFor(listener);
    journal.attach(*client, "c");
    int connects = 0;
    client->OnConnect = [&](TSock &) { ++connects; };
    client->Open();
    client->Send(std::string("x"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return connects == 1; }, 5000));
    QTest::qWait(50);
    const std::vector<std::string> start(journal.events.begin(), journal.events.begin() + 5);
    EXPECT_EQ(start, (std::vector<std::string>{
                         "c Lookup: Lookup Of Port " + listener.port().toStdString(),
                         "c Lookup: Lookup Of Host 127.0.0.1",
                         "c Send: Non-Blocking Outgoing Data",
                         "c Connect: Non-Blocking Socket Connected",
                         "c Send: Non-Blocking Outgoing Data",
                     }));
    client->setHostName("10.0.0.1");
    EXPECT_EQ(client->HostName(), "10.0.0.1");
    EXPECT_EQ(journal.count("c Lookup: Setting HostName While Connected Has No Effect"), 1);
    client->setPortName("1");
    EXPECT_EQ(journal.count("c Lookup: Setting PortName While Connected Has No Effect"), 1);
}

TEST(TSockClose, PeerCloseGivesDisconnectThenSocketClosed)
{
    Listener listener;
    Journal journal;
    auto client = clientFor(listener);
    journal.attach(*client, "c");
    client->Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.accepted.empty(); }, 5000));
    listener.accepted.front()->Send(std::string("bye\xFF"));
    listener.accepted.front()->Close();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return journal.count("c Close: Socket Closed") == 1; }, 5000));
    const auto read = journal.position("c read 4");
    const auto disconnect = journal.position("c disconnect");
    const auto closed = journal.position("c Close: Socket Closed");
    EXPECT_LT(read, disconnect) << "data sent before the close is delivered first";
    EXPECT_LT(disconnect, closed);
    EXPECT_FALSE(client->Connected());
    EXPECT_EQ(client->ReceiveText(), "bye\xFF");
    EXPECT_EQ(thrownText<ESockException>([&] { client->ReceiveText(); }),
              "Receive - Socket Not Connected");
}

TEST(TSockClose, ClosingInTheDisconnectHandlerGivesSocketClosedTwice)
{
    Listener listener;
    Journal journal;
    auto client = clientFor(listener);
    journal.attach(*client, "c");
    client->OnDisconnect = [&](TSock &sender) {
        journal.events.push_back("c disconnect");
        sender.Close();
    };
    client->Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.accepted.empty(); }, 5000));
    listener.accepted.front()->Close();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return journal.count("c Close: Socket Closed") == 2; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(journal.count("c Close: Socket Closed"), 2);
    EXPECT_EQ(journal.count("c disconnect"), 1);
}

TEST(TSockClose, ServerSideSeesTheClientLeave)
{
    Listener listener;
    Journal journal;
    journal.attach(listener.sock, "s");
    auto client = clientFor(listener);
    client->Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.accepted.empty(); }, 5000));
    client.reset();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return journal.count("s Close: Socket Closed") == 1; }, 5000));
    EXPECT_LT(journal.position("s disconnect"), journal.position("s Close: Socket Closed"));
}

TEST(TSockClose, ListenerCloseGivesNoSocketClosed)
{
    Listener listener;
    Journal journal;
    journal.attach(listener.sock, "l");
    EXPECT_TRUE(listener.sock.Close());
    EXPECT_FALSE(listener.sock.Listen());
    EXPECT_EQ(journal.count("l Close: Socket Closed"), 0);

    Listener other;
    journal.attach(other.sock, "o");
    other.sock.setListen(false);
    // Stopping clears the listening state first, so the close is reported.
    EXPECT_EQ(journal.events,
              (std::vector<std::string>{"o Close: Socket Closed", "o Listen: Listening Stopped"}));
}

TEST(TSockErrors, RefusedConnectionIsAnErrorInfoWithItsSocketCode)
{
    quint16 freePort = 0;
    {
        Listener probe;
        freePort = probe.sock.boundPort();
    }
    TSock client;
    Journal journal;
    journal.attach(client, "c");
    client.setHostName("127.0.0.1");
    client.setPortName(QString::number(freePort));
    client.Open();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return journal.count("c Error: Error #10061 (WSAECONNREFUSED)") == 1; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(journal.count("c disconnect"), 0);
    EXPECT_EQ(journal.count("c Close: Socket Closed"), 0);
    EXPECT_FALSE(client.Connected());
}

TEST(TSockErrors, MisuseRaisesTheFixedTexts)
{
    TSock fresh;
    EXPECT_EQ(thrownText<ESockException>([&] { fresh.Send(std::string("x")); }),
              "Send - Socket Not Connected");
    EXPECT_EQ(thrownText<ESockException>([&] { fresh.ReceiveText(); }),
              "Receive - Socket Not Connected");
    TSock *none = nullptr;
    EXPECT_EQ(thrownText<ESockException>([&] { fresh.Accept(none); }),
              "Accept - Socket Not In Listening Mode");

    Listener listener;
    EXPECT_EQ(thrownText<ESockException>([&] { listener.sock.Send(std::string("x")); }),
              "Send - Cannot Send On A Listener Socket");
    EXPECT_EQ(thrownText<ESockException>([&] { listener.sock.ReceiveText(); }),
              "Receive - Cannot Receive On A Listener Socket");

    TSock second;
    second.setPortName(listener.port());
    EXPECT_EQ(thrownText<ESockException>([&] { second.setListen(true); }),
              "Listen - Error Binding Socket");
    EXPECT_FALSE(second.Listen());
    EXPECT_FALSE(second.hasSocket());

    auto client = clientFor(listener);
    client->Open();
    EXPECT_EQ(thrownText<ESockException>([&] { client->setListen(true); }),
              "Listen - Socket Already In Use");
    EXPECT_FALSE(client->Open()) << "opening again does nothing";
}

TEST(TSockErrors, ListeningTwiceIsOnlyAnInfo)
{
    Listener listener;
    Journal journal;
    journal.attach(listener.sock, "l");
    listener.sock.setListen(true);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"l Listen: Listening Already Running"}));
    EXPECT_TRUE(listener.sock.Listen());
}

TEST(TSockErrors, LookupFailuresRaiseAndLeaveNoSocket)
{
    TSock sock;
    sock.setHostName("127.0.0.1");
    sock.setPortName("no-such-service-kalvex");
    EXPECT_EQ(thrownText<ESockException>([&] { sock.Open(); }),
              "Port Lookup - Could Not Find Service Entry");
    sock.setPortName("70000");
    EXPECT_EQ(thrownText<ESockException>([&] { sock.Open(); }),
              "Port Lookup - Could Not Find Service Entry");
    sock.setPortName("1");
    sock.setHostName("999.1.2.3");
    EXPECT_EQ(thrownText<ESockException>([&] { sock.Open(); }),
              "Host Lookup - Could Not Find Host Entry");
    EXPECT_FALSE(sock.hasSocket());
    EXPECT_EQ(lookupPort("http"), 80);
    EXPECT_EQ(lookupPort("7772"), 7772);
    EXPECT_EQ(lookupHost("localhost").toString(), "127.0.0.1");
    EXPECT_EQ(lookupHost("").toString(), "0.0.0.0");
}

TEST(TSockErrors, AThrowingInfoHandlerBecomesErrorHere)
{
    TSock sock;
    sock.setPortName("0");
    sock.OnInfo = [](TSock &, TSocketInfo, const QString &) { throw std::runtime_error("boom"); };
    EXPECT_EQ(thrownText<ESockException>([&] { sock.setListen(true); }), "Error here");
}

TEST(TSockErrors, AHandlerErrorInAnEventIsReportedAndTheEndpointGoesOn)
{
    RecordErrors errors;
    Listener listener;
    int reads = 0;
    listener.sock.OnRead = [&](TSock &sender, int) {
        ++reads;
        sender.ReceiveText();
        throw ConvertError("x");
    };
    auto client = clientFor(listener);
    client->Open();
    client->Send(std::string("a"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reads == 1; }, 5000));
    client->Send(std::string("b"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return reads == 2; }, 5000));
    EXPECT_EQ(errors.reported, (std::vector<std::string>{"'x' is not a valid integer value",
                                                         "'x' is not a valid integer value"}));
}

TEST(TSockClose, APeerThatStopsReadingIsCutOffPastTheSendLimit)
{
    Listener listener;
    Journal journal;
    journal.attach(listener.sock, "s");
    QTcpSocket silent;
    silent.setReadBufferSize(1);
    silent.connectToHost(QHostAddress::LocalHost, listener.sock.boundPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.accepted.empty(); }, 5000));
    TSock &endpoint = *listener.accepted.front();
    endpoint.setSendLimit(256 * 1024);
    const std::string chunk(64 * 1024, 'z');
    for (int i = 0; i < 512 && journal.count("s disconnect") == 0; ++i) {
        endpoint.Send(chunk);
        QTest::qWait(1);
    }
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return journal.count("s Close: Socket Closed") == 1; }, 5000));
    EXPECT_EQ(journal.count("s Error: Error #10055 (WSAENOBUFS)"), 1);
    EXPECT_LT(journal.position("s Error: Error #10055 (WSAENOBUFS)"),
              journal.position("s disconnect"));
    EXPECT_LT(journal.position("s disconnect"), journal.position("s Close: Socket Closed"));
}

TEST(TSockListen, ABurstOfJoinersWaitsInTheBacklogWithoutRetrying)
{
    TSock listener;
    listener.setPortName("0");
    listener.setListen(true);
    const quint16 port = listener.boundPort();
    ASSERT_NE(port, 0);
    // No event runs meanwhile, so nothing is accepted: every connection the
    // system completes waits in the listening socket's backlog. A connection
    // past the backlog gets no answer until its SYN is retried a second later.
    constexpr int kBurst = 40;
    std::vector<int> peers;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < kBurst; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ASSERT_GE(fd, 0);
        peers.push_back(fd);
        ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    }
    int established = 0;
    for (const int fd : peers) {
        pollfd wanted{fd, POLLOUT, 0};
        int error = -1;
        socklen_t size = sizeof error;
        if (::poll(&wanted, 1, 300) == 1 &&
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
            ++established;
    }
    for (const int fd : peers)
        ::close(fd);
    EXPECT_EQ(established, kBurst);
}

namespace {

using test::RawPeer;

std::unique_ptr<TSock> connectedTo(RawPeer &raw)
{
    auto client = std::make_unique<TSock>();
    client->setHostName("127.0.0.1");
    client->setPortName(QString::number(raw.port));
    client->Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return client->Connected(); }, 5000));
    raw.accept();
    return client;
}

} // namespace

TEST(TSockSend, AMessageIsOnTheWireWhenSendReturns)
{
    RawPeer raw;
    auto client = connectedTo(raw);
    // No turn of the event loop between the call and the look.
    client->Send(std::string("CMD_checkit+2+1+2+3+4+\xFF"));
    EXPECT_EQ(raw.arrived(), "CMD_checkit+2+1+2+3+4+\xFF");
    client->Send(std::string("a\xFF"));
    client->Send(std::string("b\xFF"));
    EXPECT_EQ(raw.arrived(), "a\xFF"
                             "b\xFF");
}

TEST(TSockSend, AWriteThatFailsIsReportedFromTheEventLoopNotInsideSend)
{
    RawPeer raw;
    auto client = connectedTo(raw);
    Journal journal;
    journal.attach(*client, "c");
    raw.reset();
    ::usleep(50000);
    journal.events.clear();
    client->Send(std::string("late\xFF"));
    EXPECT_EQ(journal.count("c Close: Socket Closed"), 0)
        << "nothing runs inside the sender's call";
    EXPECT_EQ(journal.count("c disconnect"), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return journal.count("c Close: Socket Closed") == 1; }, 5000));
    EXPECT_LT(journal.position("c disconnect"), journal.position("c Close: Socket Closed"));
    EXPECT_FALSE(client->Connected());
}
