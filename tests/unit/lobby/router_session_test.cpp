#include "lobby/router_session.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace kalvex {
namespace {

// A router that answers from a script and remembers what it was asked.
struct ScriptedRouter
{
    std::deque<RouterSearch> searches;
    std::string external = "16.1.2.3";
    std::deque<int> addResults; // 0 once they run out
    std::map<std::uint16_t, RouterMapping> table;
    std::vector<std::uint32_t> leasesAsked;
    int finds = 0;
    int deletes = 0;
};

class ScriptedGateway final : public RouterGateway
{
public:
    explicit ScriptedGateway(ScriptedRouter &router) : router(router) {}

    RouterSearch find() override
    {
        ++router.finds;
        if (router.searches.empty())
            return RouterSearch::Connected;
        const RouterSearch next = router.searches.front();
        router.searches.pop_front();
        return next;
    }
    std::string lanAddress() const override { return "192.168.1.20"; }
    int externalAddress(std::string &address) override
    {
        address = router.external;
        return 0;
    }
    int addMapping(std::uint16_t port, const std::string &client, std::uint32_t lease) override
    {
        router.leasesAsked.push_back(lease);
        int result = 0;
        if (!router.addResults.empty()) {
            result = router.addResults.front();
            router.addResults.pop_front();
        }
        if (result == 0)
            router.table[port] = RouterMapping{client, lease};
        return result;
    }
    int deleteMapping(std::uint16_t port) override
    {
        ++router.deletes;
        return router.table.erase(port) == 1 ? 0 : 714;
    }
    std::optional<RouterMapping> mapping(std::uint16_t port) override
    {
        const auto found = router.table.find(port);
        if (found == router.table.end())
            return std::nullopt;
        return found->second;
    }

private:
    ScriptedRouter &router;
};

RouterSession sessionOn(ScriptedRouter &router, std::uint32_t lease = 3600)
{
    return RouterSession(std::make_unique<ScriptedGateway>(router), lease);
}

TEST(RouterSession, ForwardsTheSamePortToThisMachineAndRemovesItAgain)
{
    ScriptedRouter router;
    RouterSession session = sessionOn(router);
    const MappingOutcome outcome = session.map(7772);
    ASSERT_TRUE(outcome.mapped) << outcome.reason;
    EXPECT_EQ(outcome.externalAddress, "16.1.2.3");
    EXPECT_EQ(outcome.port, 7772);
    ASSERT_EQ(router.table.count(7772), 1u);
    EXPECT_EQ(router.table[7772].internalClient, "192.168.1.20");
    EXPECT_EQ(router.table[7772].leaseSeconds, 3600u);
    session.unmap();
    EXPECT_TRUE(router.table.empty());
    EXPECT_FALSE(session.mappedPort());
}

TEST(RouterSession, FallsBackToAPermanentForwardingWhereLeasesAreRefused)
{
    ScriptedRouter router;
    router.addResults = {kRouterOnlyPermanentLeases};
    RouterSession session = sessionOn(router);
    ASSERT_TRUE(session.map(7772).mapped);
    EXPECT_EQ(router.leasesAsked, (std::vector<std::uint32_t>{3600, 0}));
    EXPECT_EQ(session.grantedLease(), 0u);
    // Permanent on the router, so it must be deleted, never left to expire.
    session.unmap();
    EXPECT_TRUE(router.table.empty());
}

TEST(RouterSession, ReplacesItsOwnLeftOverForwardingButNotAnotherMachines)
{
    ScriptedRouter own;
    own.table[7772] = RouterMapping{"192.168.1.20", 0};
    own.addResults = {kRouterConflictInMappingEntry};
    RouterSession first = sessionOn(own);
    EXPECT_TRUE(first.map(7772).mapped);
    EXPECT_EQ(own.deletes, 1);

    ScriptedRouter other;
    other.table[7772] = RouterMapping{"192.168.1.99", 0};
    other.addResults = {kRouterConflictInMappingEntry};
    RouterSession second = sessionOn(other);
    const MappingOutcome outcome = second.map(7772);
    EXPECT_FALSE(outcome.mapped);
    EXPECT_EQ(outcome.reason, "The router refused to forward TCP port 7772: it already forwards "
                              "that port to another machine (conflict with another mapping)");
    EXPECT_EQ(other.deletes, 0);
    EXPECT_EQ(other.table[7772].internalClient, "192.168.1.99");
}

TEST(RouterSession, SaysWhyThereIsNoForwarding)
{
    ScriptedRouter none;
    none.searches = {RouterSearch::NoneAnswered};
    EXPECT_EQ(sessionOn(none).map(7772).reason, kNoRouterText);

    ScriptedRouter offline;
    offline.searches = {RouterSearch::NotConnected};
    EXPECT_NE(sessionOn(offline).map(7772).reason.find("not connected to the internet"),
              std::string::npos);

    ScriptedRouter refusing;
    refusing.addResults = {kRouterNotAuthorized};
    EXPECT_NE(sessionOn(refusing).map(7772).reason.find("action not authorized"),
              std::string::npos);

    ScriptedRouter unknownCode;
    unknownCode.addResults = {899};
    EXPECT_EQ(sessionOn(unknownCode).map(80).reason,
              "The router refused to forward TCP port 80: error 899");

    ScriptedRouter silent;
    silent.addResults = {-3};
    EXPECT_EQ(sessionOn(silent).map(7772).reason, "The router stopped answering (UPnP)");
}

TEST(RouterSession, MakesNoForwardingBehindASecondNat)
{
    for (const char *external : {"100.72.1.9", "10.0.0.138", "192.168.0.1", "0.0.0.0", ""}) {
        ScriptedRouter router;
        router.external = external;
        const MappingOutcome outcome = sessionOn(router).map(7772);
        EXPECT_FALSE(outcome.mapped) << external;
        EXPECT_NE(outcome.reason.find("players outside cannot reach this game"), std::string::npos)
            << outcome.reason;
        EXPECT_TRUE(router.leasesAsked.empty()) << external;
    }
}

TEST(RouterSession, RenewalFindsARouterThatRestartedAndForgotTheForwarding)
{
    ScriptedRouter router;
    RouterSession session = sessionOn(router, 60);
    ASSERT_TRUE(session.map(7772).mapped);
    ASSERT_TRUE(session.renew().mapped);
    EXPECT_EQ(router.finds, 1);
    EXPECT_EQ(router.leasesAsked.size(), 2u);

    router.table.clear();
    router.addResults = {-3}; // the old control address no longer answers
    const MappingOutcome renewed = session.renew();
    EXPECT_TRUE(renewed.mapped) << renewed.reason;
    EXPECT_EQ(router.finds, 2);
    EXPECT_EQ(router.table.count(7772), 1u);
}

TEST(RouterSession, AskingAgainForTheSamePortKeepsItForwarded)
{
    ScriptedRouter router;
    RouterSession session = sessionOn(router);
    ASSERT_TRUE(session.map(7772).mapped);
    EXPECT_TRUE(session.map(7772).mapped);
    EXPECT_EQ(router.deletes, 0);
    EXPECT_EQ(router.leasesAsked.size(), 2u);
    EXPECT_TRUE(session.map(7773).mapped);
    EXPECT_EQ(router.deletes, 1);
    EXPECT_EQ(router.table.count(7772), 0u);
    EXPECT_EQ(router.table.count(7773), 1u);
}

TEST(RouterSession, NextRequestLooksForTheRouterAgainAfterAFailure)
{
    ScriptedRouter router;
    router.searches = {RouterSearch::NoneAnswered, RouterSearch::Connected};
    RouterSession session = sessionOn(router);
    EXPECT_FALSE(session.map(7772).mapped);
    EXPECT_TRUE(session.map(7772).mapped);
    EXPECT_EQ(router.finds, 2);
}

TEST(PublicAddress, OnlyAddressesTheInternetRoutesCount)
{
    for (const char *reachable : {"16.1.2.3", "8.8.8.8", "100.63.255.1", "100.128.0.1",
                                  "172.15.0.1", "172.32.0.1", "192.169.0.1", "223.255.255.254"})
        EXPECT_TRUE(isPublicIPv4(reachable)) << reachable;
    for (const char *unreachable : {"10.1.2.3",    "100.64.0.1", "100.127.255.255", "127.0.0.1",
                                    "169.254.3.4", "172.16.0.1", "172.31.255.255",  "192.168.1.1",
                                    "0.0.0.0",     "224.0.0.1",  "255.255.255.255", "203.0.113.5",
                                    "198.18.0.1",  "",           "1.2.3",           "1.2.3.4.5",
                                    "1.2.3.256",   "a.b.c.d",    "1.2.3.4 ",        " 1.2.3.4",
                                    "1.+2.3.4",    "::1"})
        EXPECT_FALSE(isPublicIPv4(unreachable)) << unreachable;
}

} // namespace
} // namespace kalvex
