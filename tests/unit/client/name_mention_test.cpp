#include "client/name_mention.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(NameMentionScripts, ANameInAnotherCaseOfItsScriptIsMentioned)
{
    EXPECT_TRUE(mentionsName("Bob chats: salut \xC3\x89MILE !", "Bob", "\xC3\xA9mile"));
    EXPECT_TRUE(mentionsName("Bob chats: \xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD?", "Bob",
                             "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD")); // иван / Иван
    EXPECT_TRUE(mentionsName("Bob chats: \xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91, hi", "Bob",
                             "\xCF\x83\xCE\xBF\xCF\x86\xCE\xB9\xCE\xB1")); // ΣΟΦΙΑ / σοφια
    // A letter folding to fewer bytes: the word still ends where it ends.
    EXPECT_TRUE(mentionsName("Bob chats: \xE2\x84\xAA"
                             "arl, look",
                             "Bob", "Karl"));
    EXPECT_FALSE(mentionsName("Bob chats: \xE2\x84\xAA"
                              "arla",
                              "Bob", "Karl"));
    EXPECT_FALSE(mentionsName("Bob chats: Emile", "Bob", "\xC3\x89mile"));
    EXPECT_FALSE(mentionsName("Bob chats: \xC3\xA9miles", "Bob", "\xC3\x89mile"));
}

} // namespace
} // namespace kalvex
