#include "net/colour_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

using namespace kalvex;

namespace {

const std::vector<std::pair<std::string, ColourValue>> kTable = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
};

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

TEST(ColourText, EveryNamedValueIsWrittenAsItsNameAndReadBackInAnyCase)
{
    for (const auto &[name, value] : kTable) {
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
