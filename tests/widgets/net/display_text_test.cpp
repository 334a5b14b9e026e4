#include "net/qt/display_text.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(DisplayText, ValidUtf8IsShownAsWritten)
{
    EXPECT_EQ(displayText("Zoë €5"), QString::fromUtf8("Zoë €5"));
    EXPECT_EQ(wireText(QString::fromUtf8("Zoë €5")), "Zoë €5");
}

TEST(DisplayText, SingleByteTextFallsBackToWindows1252)
{
    // "Zo\xEB \x80" from a peer on a Western code page: ë and the euro sign.
    EXPECT_EQ(displayText("Zo\xEB \x80"), QString::fromUtf8("Zoë €"));
    // 0x93/0x94 are curly quotes there, not C1 controls.
    EXPECT_EQ(displayText("\x93hi\x94"), QString::fromUtf8("“hi”"));
}

TEST(DisplayText, AnyByteSequenceGivesOneCharacterPerByteWhenNotUtf8)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    EXPECT_EQ(displayText(bytes).size(), 256);
}

} // namespace
} // namespace kalvex
