#include "net/colour_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

using namespace kalvex;

namespace {

std::string upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

TEST(ColourText, TheNamesAreTheClassicColourSet)
{
    // The values other programs write in these files and on the wire.
    const std::span<const NamedColour> table = namedColours();
    ASSERT_EQ(table.size(), 42u);
    EXPECT_EQ(table.front().name, "clBlack");
    EXPECT_EQ(table.back().name, "clNone");
    EXPECT_EQ(textToColour("clRed"), 0x0000FFu);
    EXPECT_EQ(textToColour("clYellow"), 0x00FFFFu);
    EXPECT_EQ(textToColour("clNavy"), 0x800000u);
    EXPECT_EQ(textToColour("clSilver"), 0xC0C0C0u);
    EXPECT_EQ(textToColour("clScrollBar"), 0x80000000u);
    EXPECT_EQ(textToColour("clInfoBk"), 0x80000018u);
    EXPECT_EQ(textToColour("clNone"), 0x1FFFFFFFu);
    // System colours run 0x80000000 upwards without a gap, in table order.
    ColourValue system = 0x80000000u;
    for (const NamedColour &named : table) {
        if (named.value >= 0x80000000u) {
            EXPECT_EQ(named.value, system++) << named.name;
        }
    }
    EXPECT_EQ(system, 0x80000019u);
}

TEST(ColourText, EveryNamedValueIsWrittenAsItsNameAndReadBackInAnyCase)
{
    for (const auto &[view, value] : namedColours()) {
        const std::string name(view);
        for (const auto &other : namedColours()) {
            if (other.name != view) {
                EXPECT_NE(other.value, value) << name << " shares its value with " << other.name;
            }
        }
        EXPECT_EQ(colourToText(value), name);
        EXPECT_EQ(textToColour(name), value) << name;
        EXPECT_EQ(textToColour(lower(name)), value) << name;
        EXPECT_EQ(textToColour(upper(name)), value) << name;
    }
}

TEST(ColourText, UnnamedValuesAreDollarAndEightUpperCaseHexDigits)
{
    EXPECT_EQ(colourToText(0x00C0FFEE), "$00C0FFEE");
    EXPECT_EQ(colourToText(0x000001), "$00000001");
    EXPECT_EQ(colourToText(0xFFFFFFFF), "$FFFFFFFF");
    EXPECT_EQ(colourToText(0x80000019), "$80000019");
}

TEST(ColourText, NumbersReadAsDecimalOrDollarHexInEitherCase)
{
    EXPECT_EQ(textToColour("255"), 0xFFu);
    EXPECT_EQ(textToColour("0"), 0u);
    EXPECT_EQ(textToColour("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(textToColour("$00c0ffee"), 0x00C0FFEEu);
    EXPECT_EQ(textToColour("$00C0FFEE"), 0x00C0FFEEu);
    EXPECT_EQ(textToColour("$ff"), 0xFFu);
}

TEST(ColourText, AnythingElseCannotBeRead)
{
    for (const char *bad : {"", "$", "clReddish", "cl", "red", "12a", "-1", " 255", "$1G",
                            "4294967296", "$100000000", "0x10", "clRed "}) {
        EXPECT_FALSE(textToColour(bad).has_value()) << bad;
    }
}

TEST(ColourText, EveryValueRoundTrips)
{
    for (ColourValue value :
         {0x000000u, 0x123456u, 0x00FF0000u, 0x1FFFFFFFu, 0x80000018u, 0xDEADBEEFu, 0x7FFFFFFFu}) {
        EXPECT_EQ(textToColour(colourToText(value)), value);
    }
}
