#include "free_port.h"
#include "lobby/qt/router_port_mapper.h"
#include "lobby/upnp_gateway.h"
#include "test_router.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

using test::TestRouter;

constexpr quint16 kGamePort = 7772;
constexpr int kAnswerMs = 8000;

// The first argument of the `index`th signal caught, as text; empty when
// there was none.
std::string firstArgument(const QSignalSpy &spy, int index)
{
    return spy.value(index).value(0).toString().toStdString();
}

// The router as any other program on this machine sees it.
class RouterProbe
{
public:
    explicit RouterProbe(const TestRouter &router)
        : gateway(router.descriptionUrl().toStdString(), 0)
    {
        EXPECT_EQ(gateway.find(), RouterSearch::Connected);
    }
    std::optional<RouterMapping> mapping(quint16 port) { return gateway.mapping(port); }
    bool waitUntilGone(quint16 port)
    {
        return QTest::qWaitFor([&] { return !mapping(port); }, 5000);
    }
    RouterGateway &router() { return gateway; }

private:
    UpnpGateway gateway;
};

QString natRules()
{
    QProcess nft;
    nft.start("nft", {"list", "chain", "inet", "filter", "prerouting_miniupnpd"});
    nft.waitForFinished(5000);
    return QString::fromLocal8Bit(nft.readAllStandardOutput());
}

class RouterPortMapping : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString reason = TestRouter::unavailableReason();
        if (!reason.isEmpty())
            GTEST_SKIP() << "no router can run here: " << reason.toStdString();
    }

    // The mapper the lobby makes, pointed at `router`.
    static std::unique_ptr<PortMapper> mapperFor(const TestRouter &router)
    {
        qputenv("KALVEX_UPNP_DESCRIPTION_URL", router.descriptionUrl().toUtf8());
        return makeRouterPortMapper();
    }
};

TEST_F(RouterPortMapping, ForwardsTheGamePortToThisMachineUntilReleased)
{
    TestRouter router(0, "16.1.2.3");
    ASSERT_TRUE(router.failure().isEmpty()) << router.failure().toStdString();
    RouterProbe probe(router);
    const auto mapper = mapperFor(router);
    QSignalSpy mapped(mapper.get(), &PortMapper::mapped);
    QSignalSpy unavailable(mapper.get(), &PortMapper::unavailable);

    mapper->request(kGamePort);
    ASSERT_TRUE(mapped.wait(kAnswerMs)) << firstArgument(unavailable, 0);
    EXPECT_EQ(firstArgument(mapped, 0), "16.1.2.3");
    EXPECT_EQ(mapped.at(0).at(1).value<quint16>(), kGamePort);
    const auto entry = probe.mapping(kGamePort);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->internalClient, router.homeAddress().toStdString());
    EXPECT_GT(entry->leaseSeconds, 0u);
    EXPECT_LE(entry->leaseSeconds, RouterPortMapper::kLeaseSeconds);
    // The router really forwards: its NAT rule leads to this machine.
    EXPECT_TRUE(natRules().contains(QString("%1:%2").arg(router.homeAddress()).arg(kGamePort)))
        << natRules().toStdString();

    mapper->release();
    EXPECT_TRUE(probe.waitUntilGone(kGamePort));
    EXPECT_FALSE(natRules().contains(router.homeAddress()));
    EXPECT_EQ(mapped.size(), 1);
    EXPECT_TRUE(unavailable.isEmpty());
}

TEST_F(RouterPortMapping, FindsTheRouterBySearchingTheHomeNetwork)
{
    TestRouter router(0, "16.1.2.3");
    ASSERT_TRUE(router.failure().isEmpty()) << router.failure().toStdString();
    RouterProbe probe(router);
    qunsetenv("KALVEX_UPNP_DESCRIPTION_URL"); // as in the program: no address known
    const auto mapper = makeRouterPortMapper();
    QSignalSpy mapped(mapper.get(), &PortMapper::mapped);
    QSignalSpy unavailable(mapper.get(), &PortMapper::unavailable);
    mapper->request(kGamePort);
    ASSERT_TRUE(mapped.wait(kAnswerMs)) << firstArgument(unavailable, 0);
    EXPECT_EQ(firstArgument(mapped, 0), "16.1.2.3");
    const auto entry = probe.mapping(kGamePort);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->internalClient, router.homeAddress().toStdString());
}

TEST_F(RouterPortMapping, TheForwardingGoesWithTheMapper)
{
    TestRouter router(0, "16.1.2.3");
    ASSERT_TRUE(router.failure().isEmpty()) << router.failure().toStdString();
    RouterProbe probe(router);
    auto mapper = mapperFor(router);
    QSignalSpy mapped(mapper.get(), &PortMapper::mapped);
    mapper->request(kGamePort);
    ASSERT_TRUE(mapped.wait(kAnswerMs));
    ASSERT_TRUE(probe.mapping(kGamePort));
    mapper.reset(); // as at the end of the program: no event loop runs after it
    EXPECT_FALSE(probe.mapping(kGamePort));
}

TEST_F(RouterPortMapping, AReleaseOvertakesAnUnansweredRequest)
{
    TestRouter router(0, "16.1.2.3");
    ASSERT_TRUE(router.failure().isEmpty()) << router.failure().toStdString();
    RouterProbe probe(router);
    const auto mapper = mapperFor(router);
    QSignalSpy mapped(mapper.get(), &PortMapper::mapped);
    QSignalSpy unavailable(mapper.get(), &PortMapper::unavailable);
    mapper->request(kGamePort);
    mapper->release();
    mapper->request(kGamePort + 1);
    ASSERT_TRUE(mapped.wait(kAnswerMs));
    QTest::qWait(300);
    ASSERT_EQ(mapped.size(), 1); // only the request still wanted is answered
    EXPECT_EQ(mapped.at(0).at(1).value<quint16>(), kGamePort + 1);
    EXPECT_FALSE(probe.mapping(kGamePort));
    EXPECT_TRUE(probe.mapping(kGamePort + 1));
    EXPECT_TRUE(unavailable.isEmpty());
}

TEST_F(RouterPortMapping, RenewsTheForwardingBeforeItsLeaseRunsOut)
{
    TestRouter router(0, "16.1.2.3");
    ASSERT_TRUE(router.failure().isEmpty()) << router.failure().toStdString();
    RouterProbe probe(router);
    constexpr std::uint32_t kShortLease = 3;
    qputenv("KALVEX_UPNP_DESCRIPTION_URL", router.descriptionUrl().toUtf8());
    RouterPortMapper mapper(RouterPortMapper::sessionFromEnvironment(kShortLease));
    QSignalSpy mapped(&mapper, &PortMapper::mapped);
    QSignalSpy unavailable(&mapper, &PortMapper::unavailable);
    mapper.request(kGamePort);
    ASSERT_TRUE(mapped.wait(kAnswerMs));

    // Twice the lease: the router drops a forwarding whose lease ran out.
    QTest::qWait(2 * kShortLease * 1000 + 500);
    const auto entry = probe.mapping(kGamePort);
    ASSERT_TRUE(entry) << "the forwarding expired";
    EXPECT_LE(entry->leaseSeconds, kShortLease);
    EXPECT_EQ(mapped.size(), 1) << "renewals are not news to the lobby";
    EXPECT_TRUE(unavailable.isEmpty());
}

TEST_F(RouterPortMapping, ARefusalSaysWhy)
{
    TestRouter router(0, "16.1.2.3");
    ASSERT_TRUE(router.failure().isEmpty()) << router.failure().toStdString();
    RouterProbe probe(router);
    // Another machine at home already has the port.
    ASSERT_EQ(probe.router().addMapping(kGamePort, "192.168.77.20", 0), 0);
    const auto mapper = mapperFor(router);
    QSignalSpy unavailable(mapper.get(), &PortMapper::unavailable);
    mapper->request(kGamePort);
    ASSERT_TRUE(unavailable.wait(kAnswerMs));
    EXPECT_EQ(firstArgument(unavailable, 0),
              "The router refused to forward TCP port 7772: it already forwards that port to "
              "another machine (conflict with another mapping)");
    EXPECT_EQ(probe.mapping(kGamePort)->internalClient, "192.168.77.20");

    // A port the router's rules keep closed.
    mapper->request(80);
    ASSERT_TRUE(unavailable.wait(kAnswerMs));
    EXPECT_EQ(firstArgument(unavailable, 1),
              "The router refused to forward TCP port 80: it does not let this machine open that "
              "port (action not authorized)");
}

TEST_F(RouterPortMapping, ARouterBehindAnotherNatIsOfNoUse)
{
    TestRouter router(1, "100.64.3.4");
    ASSERT_TRUE(router.failure().isEmpty()) << router.failure().toStdString();
    RouterProbe probe(router);
    const auto mapper = mapperFor(router);
    QSignalSpy unavailable(mapper.get(), &PortMapper::unavailable);
    mapper->request(kGamePort);
    ASSERT_TRUE(unavailable.wait(kAnswerMs));
    // miniupnpd keeps its private address to itself; other routers tell it.
    EXPECT_EQ(firstArgument(unavailable, 0),
              "The router has no public internet address (it may sit behind another router), so "
              "players outside cannot reach this game");
    EXPECT_FALSE(probe.mapping(kGamePort));
}

TEST_F(RouterPortMapping, NoRouterAnswering)
{
    qputenv("KALVEX_UPNP_DESCRIPTION_URL",
            QString("http://127.0.0.1:%1/rootDesc.xml").arg(test::freePort()).toUtf8());
    const auto mapper = makeRouterPortMapper();
    QSignalSpy unavailable(mapper.get(), &PortMapper::unavailable);
    mapper->request(kGamePort);
    ASSERT_TRUE(unavailable.wait(3000));
    EXPECT_EQ(firstArgument(unavailable, 0), "No router answered (UPnP is off or not supported)");
    mapper->release(); // nothing to remove, and nothing goes wrong
}

} // namespace
} // namespace kalvex
