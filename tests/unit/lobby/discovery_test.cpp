#include "lobby/discovery_datagram.h"
#include "lobby/found_games.h"
#include "lobby/player_name.h"
#include "lobby/rejoin_offer.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

std::string datagramFor(int port, const std::string &name)
{
    std::optional<std::string> bytes = encodeAnnouncement({port, name});
    EXPECT_TRUE(bytes);
    return bytes.value_or(std::string());
}

TEST(DiscoveryDatagram, AnnouncementsReadBackAsSent)
{
    for (const GameAnnouncement &sent :
         {GameAnnouncement{7772, "Ann"}, GameAnnouncement{1, "x"}, GameAnnouncement{65535, "Zoë"},
          GameAnnouncement{256, std::string(kMaxPlayerNameBytes, 'n')}}) {
        const std::string bytes = datagramFor(sent.port, sent.hostName);
        EXPECT_LE(bytes.size(), maxDiscoveryDatagramSize());
        EXPECT_EQ(decodeAnnouncement(bytes), sent);
    }
}

TEST(DiscoveryDatagram, TheLayoutIsFixed)
{
    EXPECT_EQ(datagramFor(7772, "Al"), std::string("KXLB\x01\x1e\x5c\x02"
                                                   "Al",
                                                   10));
}

TEST(DiscoveryDatagram, NothingAReaderWouldRefuseIsEncoded)
{
    EXPECT_FALSE(encodeAnnouncement({0, "Ann"}));
    EXPECT_FALSE(encodeAnnouncement({65536, "Ann"}));
    EXPECT_FALSE(encodeAnnouncement({7772, ""}));
    EXPECT_FALSE(encodeAnnouncement({7772, "a+b"}));
    EXPECT_FALSE(encodeAnnouncement({7772, std::string(kMaxPlayerNameBytes + 1, 'n')}));
}

TEST(DiscoveryDatagram, TruncatedOversizedAndPaddedDatagramsAreRefused)
{
    const std::string good = datagramFor(7772, "Ann");
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(decodeAnnouncement(good.substr(0, length))) << length;
    EXPECT_FALSE(decodeAnnouncement(good + "x"));
    EXPECT_FALSE(decodeAnnouncement(good + std::string(1000, 'x')));
    std::string longName = datagramFor(7772, std::string(kMaxPlayerNameBytes, 'n'));
    longName[7] = static_cast<char>(kMaxPlayerNameBytes + 1);
    longName += "n";
    EXPECT_FALSE(decodeAnnouncement(longName));
}

TEST(DiscoveryDatagram, ForeignMagicVersionPortOrNameIsRefused)
{
    const std::string good = datagramFor(7772, "Ann");
    auto changed = [&](std::size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        return bytes;
    };
    EXPECT_FALSE(decodeAnnouncement(changed(0, 'k')));
    EXPECT_FALSE(decodeAnnouncement(changed(3, 'X')));
    EXPECT_FALSE(decodeAnnouncement(changed(4, 2)));
    EXPECT_FALSE(decodeAnnouncement(changed(4, 0)));
    std::string zeroPort = changed(5, 0);
    zeroPort[6] = 0;
    EXPECT_FALSE(decodeAnnouncement(zeroPort));
    EXPECT_FALSE(decodeAnnouncement(changed(9, '+')));
    EXPECT_FALSE(decodeAnnouncement(changed(9, '\xff')));
    EXPECT_FALSE(decodeAnnouncement(changed(8, '\n')));
    EXPECT_FALSE(decodeAnnouncement(std::string("KXLB\x01\x1e\x5c\x00", 8)));
}

TEST(FoundGames, RepeatedAnnouncementsRefreshInPlaceAndKeepTheOrder)
{
    FoundGames games;
    EXPECT_TRUE(games.heard("10.0.0.2", 7772, "Ann", 0));
    EXPECT_TRUE(games.heard("10.0.0.3", 7772, "Bob", 100));
    EXPECT_TRUE(games.heard("10.0.0.2", 7000, "Cy", 200));
    EXPECT_FALSE(games.heard("10.0.0.3", 7772, "Bob", 3000));
    EXPECT_FALSE(games.heard("10.0.0.2", 7772, "Ann", 3100));
    ASSERT_EQ(games.games().size(), 3u);
    EXPECT_EQ(games.games()[0].hostName, "Ann");
    EXPECT_EQ(games.games()[1].hostName, "Bob");
    EXPECT_EQ(games.games()[2].hostName, "Cy");
    EXPECT_EQ(games.games()[0].lastHeardMs, 3100);
    EXPECT_TRUE(games.heard("10.0.0.3", 7772, "Bobby", 3200));
    EXPECT_EQ(games.games()[1].hostName, "Bobby");
}

TEST(FoundGames, AGameNotHeardForSixSecondsGoes)
{
    FoundGames games;
    games.heard("10.0.0.2", 7772, "Ann", 0);
    games.heard("10.0.0.3", 7772, "Bob", 2000);
    EXPECT_FALSE(games.forgetOld(5999));
    EXPECT_EQ(games.games().size(), 2u);
    EXPECT_TRUE(games.forgetOld(6000));
    ASSERT_EQ(games.games().size(), 1u);
    EXPECT_EQ(games.games()[0].hostName, "Bob");
    EXPECT_EQ(games.find("10.0.0.2", 7772), nullptr);
    EXPECT_NE(games.find("10.0.0.3", 7772), nullptr);
    EXPECT_TRUE(games.forgetOld(8000));
    EXPECT_TRUE(games.games().empty());
}

TEST(FoundGames, AFloodOfSendersCannotGrowTheListWithoutBound)
{
    FoundGames games;
    for (int i = 0; i < 1000; ++i)
        games.heard("10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250), 7772, "x",
                    0);
    EXPECT_EQ(games.games().size(), FoundGames::kMaxGames);
}

TEST(FoundGames, HowLongAgoReadsNaturally)
{
    EXPECT_EQ(heardAgoText(1000, 1500), "now");
    EXPECT_EQ(heardAgoText(1000, 4200), "3 s ago");
    EXPECT_EQ(heardAgoText(0, 125000), "2 min ago");
    EXPECT_EQ(heardAgoText(5000, 1000), "now");
}

TEST(RejoinOffer, AJoinedGameThatEndsIsOfferedWhileItsHostIsListed)
{
    FoundGames listed;
    listed.heard("10.0.0.2", 7772, "Ann", 0);
    RejoinOffer offer;
    const RejoinTarget target{"Bob", {"10.0.0.2", 7772}, true};
    offer.joinStarted(target);
    EXPECT_FALSE(offer.offer(listed)) << "nothing is offered while the game runs";
    offer.gameEnded();
    EXPECT_EQ(offer.offer(listed), target);
    listed.forgetOld(6000);
    EXPECT_FALSE(offer.offer(listed));
}

TEST(RejoinOffer, ATypedAddressStaysOfferedUntilAnotherGameStarts)
{
    const FoundGames nothingListed;
    RejoinOffer offer;
    offer.joinStarted({"Bob", {"example.org", 7001}, false});
    offer.gameEnded();
    ASSERT_TRUE(offer.offer(nothingListed));
    EXPECT_EQ(offer.offer(nothingListed)->address.port, 7001);
    offer.otherGameStarted();
    EXPECT_FALSE(offer.offer(nothingListed));
}

TEST(RejoinOffer, HostingOrSoloGamesAreNeverOffered)
{
    FoundGames listed;
    listed.heard("10.0.0.2", 7772, "Ann", 0);
    RejoinOffer offer;
    offer.joinStarted({"Bob", {"10.0.0.2", 7772}, true});
    offer.otherGameStarted();
    offer.gameEnded();
    EXPECT_FALSE(offer.offer(listed));
}

} // namespace
} // namespace kalvex
