#include "chat/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kalvex {
namespace {

TEST(Utf8Prefix, CutsBetweenCharactersNeverInsideOne)
{
    const std::string text = "a\xD0\x96\xE6\xBC\xA2\xF0\x9F\x98\x80z"; // 1, 2, 3, 4, 1 bytes
    const std::size_t ends[] = {0, 1, 3, 6, 10, 11};
    for (std::size_t limit = 0; limit <= text.size() + 1; ++limit) {
        // The last character end at or below the limit.
        std::size_t expected = 0;
        for (std::size_t end : ends) {
            if (end <= limit)
                expected = end;
        }
        EXPECT_EQ(utf8Prefix(text, limit), text.substr(0, expected)) << limit;
    }
}

TEST(Utf8Prefix, BytesOfAnotherCodePageCountOneEach)
{
    // Windows-1252 "café!", stray continuation bytes and a cut-off lead.
    const std::string text = "caf\xE9!\x80\x80\x80\x80\xE6\xBC";
    for (std::size_t limit = 0; limit <= text.size(); ++limit)
        EXPECT_EQ(utf8Prefix(text, limit).size(), limit) << limit;
}

TEST(Utf8Characters, LengthsOfWholeAndBrokenSequences)
{
    EXPECT_EQ(utf8BytesOfCharacters("\xE6\xBC\xA2\xD0\x96x", 2), 5u);
    EXPECT_EQ(utf8BytesOfCharacters("ab", 5), 2u);
    EXPECT_EQ(utf8CharacterLength("\xF0\x9F\x98\x80", 0), 4u);
    EXPECT_EQ(utf8CharacterLength("\xF0\x9F\x98", 0), 1u); // cut short
    EXPECT_EQ(utf8CharacterLength("\xE6x\xA2", 0), 1u);    // not a continuation
    EXPECT_EQ(utf8CharacterLength("\xC0\x80", 0), 1u);     // overlong lead
    EXPECT_EQ(utf8CharacterLength("\xF8\x80\x80\x80", 0), 1u);
}

} // namespace
} // namespace kalvex
