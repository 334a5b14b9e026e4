#include "lobby/qt/xmpp_room_rules.h"

#include "lobby/player_name.h"
#include "net/chat_limits.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(RoomRules, ChatLinesShowAsTheGameShowsThem)
{
    EXPECT_EQ(roomChatText("a+b"), "a+b");
    EXPECT_EQ(roomChatText("one\r\ntwo\nthree"), "one two three");
    EXPECT_EQ(roomChatText("tab\there\x01\x7f!"), "tab here  !");
    EXPECT_EQ(roomChatText("no\xff"
                           "ff"),
              "noff");
    EXPECT_EQ(roomChatText("line\xe2\x80\xa8sep"), "line sep") << "Unicode line separator";
    EXPECT_EQ(roomChatText("Zo\xc3\xab"), "Zo\xc3\xab");
}

TEST(RoomRules, LongLinesAreCutBetweenCharacters)
{
    const std::string line = std::string(kMaxChatTextBytes - 1, 'x') + "\xc3\xab" + "tail";
    const std::string shown = roomChatText(line);
    EXPECT_EQ(shown, std::string(kMaxChatTextBytes - 1, 'x'));
}

TEST(RoomRules, NicknamesLoseControlCharactersAndExcessLength)
{
    EXPECT_EQ(roomNicknameText("Ann\nB"), "Ann B");
    EXPECT_EQ(roomNicknameText("A+B"), "A+B");
    EXPECT_LE(roomNicknameText(std::string(1000, 'n')).size(), 4 * kMaxPlayerNameBytes);
}

TEST(RoomRules, ATakenNameGetsTheNextNumber)
{
    EXPECT_EQ(suggestedNickname("Ann"), "Ann_2");
    EXPECT_EQ(suggestedNickname("Ann_2"), "Ann_3");
    EXPECT_EQ(suggestedNickname("Ann_9"), "Ann_10");
    EXPECT_EQ(suggestedNickname("Ann_"), "Ann__2");
    EXPECT_EQ(suggestedNickname("Ann_02"), "Ann_02_2");
    EXPECT_EQ(suggestedNickname("_2"), "_2_2");
    const std::string longest(kMaxPlayerNameBytes, 'n');
    const std::string suggestion = suggestedNickname(longest);
    EXPECT_EQ(suggestion.size(), kMaxPlayerNameBytes);
    EXPECT_FALSE(playerNameProblem(suggestion));
    EXPECT_EQ(suggestion.substr(suggestion.size() - 2), "_2");
    // Cut between characters, and no blank left before the number.
    const std::string accented = std::string(kMaxPlayerNameBytes - 3, 'n') + "\xc3\xab";
    EXPECT_EQ(suggestedNickname(accented), std::string(kMaxPlayerNameBytes - 3, 'n') + "_2");
    EXPECT_EQ(suggestedNickname(std::string(kMaxPlayerNameBytes - 2, 'n') + " x"),
              std::string(kMaxPlayerNameBytes - 2, 'n') + "_2");
}

TEST(RoomRules, RetriesWaitLongerEachTimeUpToAMinute)
{
    EXPECT_EQ(retryDelaySeconds(1), 2);
    EXPECT_EQ(retryDelaySeconds(2), 4);
    EXPECT_EQ(retryDelaySeconds(3), 8);
    EXPECT_EQ(retryDelaySeconds(5), 32);
    EXPECT_EQ(retryDelaySeconds(6), 60);
    EXPECT_EQ(retryDelaySeconds(1000), 60);
}

TEST(RoomRules, OnlyLoopbackServersGoWithoutEncryption)
{
    for (const char *local : {"localhost", "LocalHost", "127.0.0.1", "127.3.2.1", "::1", "[::1]"})
        EXPECT_TRUE(isLoopbackServer(QString::fromLatin1(local))) << local;
    for (const char *remote : {"example.org", "localhost.example.org", "128.0.0.1", "10.0.0.1",
                               "192.168.1.2", "::2", "", "localhost2"})
        EXPECT_FALSE(isLoopbackServer(QString::fromLatin1(remote))) << remote;
}

} // namespace
} // namespace kalvex
