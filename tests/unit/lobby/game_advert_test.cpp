#include "lobby/game_advert.h"
#include "lobby/player_name.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

GameAdvert annsGame()
{
    GameAdvert advert;
    advert.hostName = "Ann";
    advert.address = "203.0.113.7";
    advert.port = 7772;
    advert.seated = 3;
    advert.running = false;
    advert.programVersion = "1.0";
    return advert;
}

XmlAttributes annsAttributes()
{
    return {{"v", "1"},      {"host", "Ann"},      {"address", "203.0.113.7"}, {"port", "7772"},
            {"seated", "3"}, {"state", "waiting"}, {"program", "1.0"}};
}

std::optional<GameAdvert> read(const XmlAttributes &attributes)
{
    return readAdvert(kAdvertElement, kAdvertNamespace, attributes);
}

// The attributes with one of them given another value (or removed, when
// the value is nothing).
XmlAttributes with(const std::string &key, const std::optional<std::string> &value)
{
    XmlAttributes changed;
    for (auto attribute : annsAttributes()) {
        if (attribute.first != key)
            changed.push_back(attribute);
        else if (value)
            changed.emplace_back(key, *value);
    }
    return changed;
}

TEST(GameAdvertForm, WritesTheDocumentedAttributesInOrder)
{
    EXPECT_EQ(advertAttributes(annsGame()), annsAttributes());
    GameAdvert running = annsGame();
    running.running = true;
    running.address.clear();
    const XmlAttributes written = advertAttributes(running).value();
    EXPECT_EQ(written, (XmlAttributes{{"v", "1"},
                                      {"host", "Ann"},
                                      {"port", "7772"},
                                      {"seated", "3"},
                                      {"state", "running"},
                                      {"program", "1.0"}}));
}

TEST(GameAdvertForm, WhatIsWrittenReadsBackEqual)
{
    GameAdvert unreachable = annsGame();
    unreachable.address.clear();
    GameAdvert extremes = annsGame();
    extremes.hostName = std::string(kMaxPlayerNameBytes, 'n');
    extremes.address = "2001:db8::1";
    extremes.port = 65535;
    extremes.seated = 10;
    extremes.running = true;
    extremes.programVersion = std::string(kMaxAdvertProgramBytes, 'v');
    GameAdvert named = annsGame();
    named.hostName = "Zoë the 2nd";
    named.address = "games.example.org";
    named.port = 1;
    named.seated = 0;
    named.programVersion = "2";
    for (const GameAdvert &sent : {annsGame(), unreachable, extremes, named})
        EXPECT_EQ(read(advertAttributes(sent).value()), sent) << sent.hostName;
}

TEST(GameAdvertForm, AnEmptyAddressMeansNotReachable)
{
    const std::optional<GameAdvert> advert = read(with("address", ""));
    ASSERT_TRUE(advert);
    EXPECT_FALSE(advert->reachable());
    EXPECT_EQ(read(with("address", std::nullopt)), advert);
}

TEST(GameAdvertForm, OnlyOurElementOfVersionOneIsAGame)
{
    EXPECT_FALSE(readAdvert("game", "urn:x-other:game", annsAttributes()));
    EXPECT_FALSE(readAdvert("x", kAdvertNamespace, annsAttributes()));
    EXPECT_FALSE(readAdvert("game", "", annsAttributes()));
    EXPECT_FALSE(read(with("v", "2")));
    EXPECT_FALSE(read(with("v", "1.0")));
    EXPECT_FALSE(read(with("v", "")));
    EXPECT_FALSE(read(with("v", std::nullopt)));
}

TEST(GameAdvertForm, UnknownAttributesAreIgnoredButDuplicatesAreNot)
{
    XmlAttributes extended = annsAttributes();
    extended.emplace_back("xmlns", std::string(kAdvertNamespace));
    extended.emplace_back("map", "large");
    EXPECT_EQ(read(extended), annsGame());

    XmlAttributes twice = annsAttributes();
    twice.emplace_back("port", "7773");
    EXPECT_FALSE(read(twice));
}

TEST(GameAdvertForm, OversizedElementsAreNoGame)
{
    XmlAttributes many = annsAttributes();
    while (many.size() <= kMaxAdvertAttributes)
        many.emplace_back("extra" + std::to_string(many.size()), "x");
    EXPECT_FALSE(read(many));

    XmlAttributes longValue = annsAttributes();
    longValue.emplace_back("note", std::string(kMaxAdvertAttributeBytes + 1, 'x'));
    EXPECT_FALSE(read(longValue));

    EXPECT_FALSE(read(with("host", std::string(kMaxPlayerNameBytes + 1, 'n'))));
    EXPECT_FALSE(read(with("program", std::string(kMaxAdvertProgramBytes + 1, 'v'))));
    const std::string longLabel(63, 'a');
    const std::string longName = longLabel + "." + longLabel + "." + longLabel + "." + longLabel;
    EXPECT_FALSE(read(with("address", longName)));
    EXPECT_TRUE(read(with("address", longName.substr(0, kMaxAdvertAddressBytes))));
}

TEST(GameAdvertForm, NamesFollowThePlayerNameRule)
{
    EXPECT_FALSE(read(with("host", "")));
    EXPECT_FALSE(read(with("host", "A+B")));
    EXPECT_FALSE(read(with("host", "Ann\n")));
    EXPECT_FALSE(read(with("host", " Ann")));
    EXPECT_FALSE(read(with("host", std::nullopt)));
}

TEST(GameAdvertForm, NumbersAreCanonicalAndInRange)
{
    for (const char *bad : {"0", "65536", "99999", "007772", "07772", "+7772", "-1", " 7772",
                            "7772 ", "0x1E5C", "", "1e3"})
        EXPECT_FALSE(read(with("port", bad))) << bad;
    for (const char *bad : {"11", "-1", "01", "", "three"})
        EXPECT_FALSE(read(with("seated", bad))) << bad;
    EXPECT_EQ(read(with("seated", "10"))->seated, 10);
    EXPECT_EQ(read(with("seated", "0"))->seated, 0);
    EXPECT_FALSE(read(with("port", std::nullopt)));
    EXPECT_FALSE(read(with("seated", std::nullopt)));
}

TEST(GameAdvertForm, StateIsWaitingOrRunning)
{
    EXPECT_TRUE(read(with("state", "running"))->running);
    EXPECT_FALSE(read(with("state", "waiting"))->running);
    for (const char *bad : {"Running", "over", "", "waiting "})
        EXPECT_FALSE(read(with("state", bad))) << bad;
    EXPECT_FALSE(read(with("state", std::nullopt)));
}

TEST(GameAdvertForm, AddressesAreBareHostsOrAddresses)
{
    for (const char *good :
         {"127.0.0.1", "::1", "2001:db8::7", "host-1.example.net", "fe80::1%eth0"})
        EXPECT_TRUE(read(with("address", good))) << good;
    for (const char *bad : {"host:7772", "[::1]", "[::1]:7772", " host", "host ", "ho st", "-host",
                            "http://host", "host/path", "\xc3\xa9.example"})
        EXPECT_FALSE(read(with("address", bad))) << bad;
}

TEST(GameAdvertForm, TextsAreUtf8ThatXmlCanCarry)
{
    EXPECT_TRUE(read(with("host", "Zo\xc3\xab \xe2\x82\xac \xf0\x9f\x8e\xb2")));
    for (const char *bad : {"Ann\xfe", "Ann\xc3", "\xc0\xae", "\xed\xa0\x80", "\xef\xbf\xbe",
                            "\xf4\x90\x80\x80", "\xe2\x82"}) {
        EXPECT_FALSE(read(with("host", bad))) << bad;
        EXPECT_FALSE(read(with("program", bad))) << bad;
    }
}

TEST(GameAdvertForm, ProgramVersionsHoldNoControlCharacters)
{
    EXPECT_FALSE(read(with("program", "1.0\x01")));
    EXPECT_FALSE(read(with("program", std::string("1.0\0", 4))));
    EXPECT_FALSE(read(with("program", std::nullopt)));
    // An XML writer may leave out an empty attribute: none is ever written.
    EXPECT_FALSE(read(with("program", "")));
}

TEST(GameAdvertForm, TheWriterRefusesWhatNoReaderAccepts)
{
    GameAdvert badPort = annsGame();
    badPort.port = 0;
    GameAdvert badSeats = annsGame();
    badSeats.seated = 11;
    GameAdvert badName = annsGame();
    badName.hostName = "A+B";
    GameAdvert badAddress = annsGame();
    badAddress.address = "host:1";
    for (const GameAdvert &bad : {badPort, badSeats, badName, badAddress}) {
        EXPECT_FALSE(advertAttributes(bad));
        EXPECT_TRUE(advertProblem(bad));
    }
    EXPECT_FALSE(advertProblem(annsGame()));
}

} // namespace
} // namespace kalvex
