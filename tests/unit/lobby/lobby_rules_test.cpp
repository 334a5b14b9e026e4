#include "lobby/game_address.h"
#include "lobby/game_command.h"
#include "lobby/player_name.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(PlayerName, OrdinaryNamesPass)
{
    EXPECT_FALSE(playerNameProblem("Ann"));
    EXPECT_FALSE(playerNameProblem("Jörg the 2nd"));
    EXPECT_FALSE(playerNameProblem(std::string(kMaxPlayerNameBytes, 'x')));
}

TEST(PlayerName, WhatTheWireCannotCarryIsRefusedWithAReason)
{
    for (const std::string &name :
         {std::string(), std::string("a+b"), std::string("a\xff"), std::string("tab\there"),
          std::string("line\n"), std::string("nul\0x", 5), std::string("del\x7f"),
          std::string(" lead"), std::string("trail "), std::string(kMaxPlayerNameBytes + 1, 'x')}) {
        const std::optional<std::string> problem = playerNameProblem(name);
        ASSERT_TRUE(problem) << "accepted: " << name;
        EXPECT_FALSE(problem->empty());
    }
    EXPECT_NE(playerNameProblem("a+b")->find('+'), std::string::npos);
}

TEST(GameAddress, HostAloneTakesTheDefaultPort)
{
    EXPECT_EQ(parseGameAddress("example.org"), (GameAddress{"example.org", 7772}));
    EXPECT_EQ(parseGameAddress(" 192.168.1.20 "), (GameAddress{"192.168.1.20", 7772}));
    EXPECT_EQ(parseGameAddress("::1"), (GameAddress{"::1", 7772}));
    EXPECT_EQ(parseGameAddress("[fe80::1%eth0]"), (GameAddress{"fe80::1%eth0", 7772}));
}

TEST(GameAddress, APortAfterTheHostOrTheBracketsCounts)
{
    EXPECT_EQ(parseGameAddress("host-1:7000"), (GameAddress{"host-1", 7000}));
    EXPECT_EQ(parseGameAddress("10.0.0.5:65535"), (GameAddress{"10.0.0.5", 65535}));
    EXPECT_EQ(parseGameAddress("[2001:db8::7]:8000"), (GameAddress{"2001:db8::7", 8000}));
}

TEST(GameAddress, MalformedTextIsNoAddress)
{
    for (const char *text : {"", "  ", "host:", "host:0", "host:65536", "host:12a", "host:-1",
                             "ho st", "a+b", "[::1", "[::1]x", "[::1]:", "[nothex::1]:7000",
                             "[]:7000", "-host", "host:123456", ":7000", "1::2::zz"}) {
        EXPECT_FALSE(parseGameAddress(text)) << text;
    }
}

TEST(GameAddress, WhatIsShownReadsBackTheSame)
{
    for (const GameAddress &address :
         {GameAddress{"h", 7772}, GameAddress{"h", 9}, GameAddress{"::1", 7772},
          GameAddress{"2001:db8::7", 8000}}) {
        EXPECT_EQ(parseGameAddress(displayAddress(address)), address) << displayAddress(address);
    }
    EXPECT_EQ(displayAddress({"h", 7772}), "h");
    EXPECT_EQ(displayAddress({"::1", 9}), "[::1]:9");
}

TEST(GameCommand, EachModeGivesTheGameItsCommandLine)
{
    const GameCommand host = hostCommand("Ann", 7772);
    EXPECT_EQ(host.arguments, (std::vector<std::string>{"Ann", "127.0.0.1", "true"}));
    EXPECT_EQ(host.port, 7772);

    const GameCommand join = joinCommand("Bob", {"10.1.2.3", 7001});
    EXPECT_EQ(join.arguments, (std::vector<std::string>{"Bob", "10.1.2.3", "join"}));
    EXPECT_EQ(join.port, 7001);
    EXPECT_EQ(joinCommand("Bob", {"::1", 7772}).arguments[1], "::1");

    const GameCommand solo = soloCommand();
    EXPECT_TRUE(solo.arguments.empty());
    EXPECT_FALSE(solo.port);
}

} // namespace
} // namespace kalvex
