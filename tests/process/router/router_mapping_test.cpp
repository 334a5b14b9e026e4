#include "free_port.h"
#include "lobby/qt/router_port_mapper.h"
#include "lobby/upnp_gateway.h"
#include "test_router.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

using test::TestRouter;

constexpr quint16 kGamePort = 7772;
constexpr int kAnswerMs = 8000;
constexpr const char *kInternetAddress = "16.1.2.3";

// The first argument of the `index`th signal caught, as text; empty when
// there was none.
std::string firstArgument(const QSignalSpy &spy, int index)
{
    return spy.value(index).value(0).toString().toStdString();
}

QString natRules()
{
    QProcess nft;
    nft.start("nft", {"list", "chain", "inet", "filter", "prerouting_miniupnpd"});
    nft.waitForFinished(5000);
    return QString::fromLocal8Bit(nft.readAllStandardOutput());
}

// A port mapper and what it answered.
struct WatchedMapper
{
    explicit WatchedMapper(std::unique_ptr<PortMapper> made)
        : mapper(std::move(made)), mapped(mapper.get(), &PortMapper::mapped),
          unavailable(mapper.get(), &PortMapper::unavailable)
    {}
    PortMapper *operator->() const { return mapper.get(); }

    std::unique_ptr<PortMapper> mapper;
    QSignalSpy mapped;
    QSignalSpy unavailable;
};

class RouterPortMapping : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString reason = TestRouter::unavailableReason();
        if (!reason.isEmpty())
            GTEST_SKIP() << "no router can run here: " << reason.toStdString();
    }

    // A router on the home network, and the lobby's mapper pointed at it.
    void startRouter(int index = 0, const QString &internetAddress = kInternetAddress)
    {
        router = std::make_unique<TestRouter>(index, internetAddress);
        ASSERT_TRUE(router->failure().isEmpty()) << router->failure().toStdString();
        probe = std::make_unique<UpnpGateway>(router->descriptionUrl().toStdString(), 0);
        ASSERT_EQ(probe->find(), RouterSearch::Connected);
        qputenv("KALVEX_UPNP_DESCRIPTION_URL", router->descriptionUrl().toUtf8());
    }

    // What the router forwards `port` to, as any program at home sees it.
    std::optional<RouterMapping> forwarding(quint16 port) { return probe->mapping(port); }

    std::unique_ptr<TestRouter> router;
    std::unique_ptr<UpnpGateway> probe;
};

TEST_F(RouterPortMapping, ForwardsTheGamePortToThisMachineUntilReleased)
{
    ASSERT_NO_FATAL_FAILURE(startRouter());
    WatchedMapper mapper(makeRouterPortMapper());

    mapper->request(kGamePort);
    ASSERT_TRUE(mapper.mapped.wait(kAnswerMs)) << firstArgument(mapper.unavailable, 0);
    EXPECT_EQ(firstArgument(mapper.mapped, 0), kInternetAddress);
    EXPECT_EQ(mapper.mapped.at(0).at(1).value<quint16>(), kGamePort);
    const auto entry = forwarding(kGamePort);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->internalClient, router->homeAddress().toStdString());
    EXPECT_GT(entry->leaseSeconds, 0u);
    EXPECT_LE(entry->leaseSeconds, RouterPortMapper::kLeaseSeconds);
    // The router really forwards: its NAT rule leads to this machine.
    EXPECT_TRUE(natRules().contains(QString("%1:%2").arg(router->homeAddress()).arg(kGamePort)))
        << natRules().toStdString();

    mapper->release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !forwarding(kGamePort); }, 5000));
    EXPECT_FALSE(natRules().contains(router->homeAddress()));
    EXPECT_EQ(mapper.mapped.size(), 1);
    EXPECT_TRUE(mapper.unavailable.isEmpty());
}

TEST_F(RouterPortMapping, FindsTheRouterBySearchingTheHomeNetwork)
{
    ASSERT_NO_FATAL_FAILURE(startRouter());
    qunsetenv("KALVEX_UPNP_DESCRIPTION_URL"); // as in the program: no address known
    WatchedMapper mapper(makeRouterPortMapper());
    mapper->request(kGamePort);
    ASSERT_TRUE(mapper.mapped.wait(kAnswerMs)) << firstArgument(mapper.unavailable, 0);
    EXPECT_EQ(firstArgument(mapper.mapped, 0), kInternetAddress);
    const auto entry = forwarding(kGamePort);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->internalClient, router->homeAddress().toStdString());
}

TEST_F(RouterPortMapping, TheForwardingGoesWithTheMapper)
{
    ASSERT_NO_FATAL_FAILURE(startRouter());
    auto mapper = std::make_unique<WatchedMapper>(makeRouterPortMapper());
    (*mapper)->request(kGamePort);
    ASSERT_TRUE(mapper->mapped.wait(kAnswerMs));
    ASSERT_TRUE(forwarding(kGamePort));
    mapper.reset(); // as at the end of the program: no event loop runs after it
    EXPECT_FALSE(forwarding(kGamePort));
}

TEST_F(RouterPortMapping, AnAnswerToAReleasedRequestIsNotPassedOn)
{
    ASSERT_NO_FATAL_FAILURE(startRouter());
    WatchedMapper mapper(makeRouterPortMapper());
    mapper->request(kGamePort);
    // The router answers meanwhile; no events run here, so its answer waits
    // in the event queue.
    for (int tries = 0; tries < 100 && !forwarding(kGamePort); ++tries)
        QThread::msleep(50);
    ASSERT_TRUE(forwarding(kGamePort));
    QThread::msleep(200);
    mapper->release();
    mapper->request(kGamePort + 1);
    ASSERT_TRUE(mapper.mapped.wait(kAnswerMs));
    QTest::qWait(300);
    ASSERT_EQ(mapper.mapped.size(), 1); // only the request still wanted is answered
    EXPECT_EQ(mapper.mapped.at(0).at(1).value<quint16>(), kGamePort + 1);
    EXPECT_FALSE(forwarding(kGamePort));
    EXPECT_TRUE(forwarding(kGamePort + 1));
    EXPECT_TRUE(mapper.unavailable.isEmpty());
}

TEST_F(RouterPortMapping, RenewsTheForwardingBeforeItsLeaseRunsOut)
{
    ASSERT_NO_FATAL_FAILURE(startRouter());
    constexpr std::uint32_t kShortLease = 3;
    WatchedMapper mapper(
        std::make_unique<RouterPortMapper>(RouterPortMapper::sessionFromEnvironment(kShortLease)));
    mapper->request(kGamePort);
    ASSERT_TRUE(mapper.mapped.wait(kAnswerMs));

    // Twice the lease: the router drops a forwarding whose lease ran out.
    QTest::qWait(2 * kShortLease * 1000 + 500);
    const auto entry = forwarding(kGamePort);
    ASSERT_TRUE(entry) << "the forwarding expired";
    EXPECT_LE(entry->leaseSeconds, kShortLease);
    EXPECT_EQ(mapper.mapped.size(), 1) << "renewals are not news to the lobby";
    EXPECT_TRUE(mapper.unavailable.isEmpty());
}

TEST_F(RouterPortMapping, ForwardsAgainWhenTheRouterComesBack)
{
    ASSERT_NO_FATAL_FAILURE(startRouter());
    constexpr std::uint32_t kShortLease = 2;
    WatchedMapper mapper(
        std::make_unique<RouterPortMapper>(RouterPortMapper::sessionFromEnvironment(kShortLease)));
    mapper->request(kGamePort);
    ASSERT_TRUE(mapper.mapped.wait(kAnswerMs));

    router.reset(); // switched off: the renewal finds no router
    ASSERT_TRUE(mapper.unavailable.wait(kAnswerMs));
    EXPECT_EQ(firstArgument(mapper.unavailable, 0),
              "No router answered (UPnP is off or not supported)");

    ASSERT_NO_FATAL_FAILURE(startRouter());
    ASSERT_TRUE(mapper.mapped.wait(kAnswerMs));
    EXPECT_EQ(firstArgument(mapper.mapped, 1), kInternetAddress);
    EXPECT_TRUE(forwarding(kGamePort));
}

TEST_F(RouterPortMapping, ARefusalSaysWhy)
{
    ASSERT_NO_FATAL_FAILURE(startRouter());
    // Another machine at home already has the port.
    ASSERT_EQ(probe->addMapping(kGamePort, "192.168.77.20", 0), 0);
    WatchedMapper mapper(makeRouterPortMapper());
    mapper->request(kGamePort);
    ASSERT_TRUE(mapper.unavailable.wait(kAnswerMs));
    EXPECT_EQ(firstArgument(mapper.unavailable, 0),
              "The router refused to forward TCP port 7772: it already forwards that port to "
              "another machine (conflict with another mapping)");
    EXPECT_EQ(forwarding(kGamePort)->internalClient, "192.168.77.20");

    // A port the router's rules keep closed.
    mapper->request(80);
    ASSERT_TRUE(mapper.unavailable.wait(kAnswerMs));
    EXPECT_EQ(firstArgument(mapper.unavailable, 1),
              "The router refused to forward TCP port 80: it does not let this machine open that "
              "port (action not authorized)");
}

TEST_F(RouterPortMapping, ARouterBehindAnotherNatIsOfNoUse)
{
    ASSERT_NO_FATAL_FAILURE(startRouter(1, "100.64.3.4"));
    WatchedMapper mapper(makeRouterPortMapper());
    mapper->request(kGamePort);
    ASSERT_TRUE(mapper.unavailable.wait(kAnswerMs));
    // miniupnpd keeps its private address to itself; other routers tell it.
    EXPECT_EQ(firstArgument(mapper.unavailable, 0),
              "The router has no public internet address (it may sit behind another router), so "
              "players outside cannot reach this game");
    EXPECT_FALSE(forwarding(kGamePort));
}

TEST_F(RouterPortMapping, NoRouterAnswering)
{
    qputenv("KALVEX_UPNP_DESCRIPTION_URL",
            QString("http://127.0.0.1:%1/rootDesc.xml").arg(test::freePort()).toUtf8());
    WatchedMapper mapper(makeRouterPortMapper());
    mapper->request(kGamePort);
    ASSERT_TRUE(mapper.unavailable.wait(3000));
    EXPECT_EQ(firstArgument(mapper.unavailable, 0),
              "No router answered (UPnP is off or not supported)");
    mapper->release(); // nothing to remove, and nothing goes wrong
}

} // namespace
} // namespace kalvex
