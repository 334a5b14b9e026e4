#include "net/text_case.h"
#include "tally/tally_model.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(NameCase, LettersOfEveryCasedScriptMatchTheirOtherCase)
{
    // Latin with accents, Greek (both small sigmas), Cyrillic, Armenian,
    // full-width Latin, Cherokee and Deseret (four-byte letters).
    const std::pair<const char *, const char *> sameNames[] = {
        {"\xC3\x89mile", "\xC3\xA9mile"},   // Émile
        {"\xC5\x81UKASZ", "\xC5\x82ukasz"}, // Łukasz
        {"\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91", "\xCF\x83\xCE\xBF\xCF\x86\xCE\xB9\xCE\xB1"},
        {"\xCF\x82", "\xCE\xA3"},                                                 // final sigma
        {"\xD0\x98\xD0\x92\xD0\x90\xD0\x9D", "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD"}, // Иван
        {"\xD0\x81", "\xD1\x91"},                                                 // Ё
        {"\xD4\xB1\xD5\x80\xD4\xB1", "\xD5\xA1\xD5\xB0\xD5\xA1"},                 // Armenian
        {"\xEF\xBC\xA1\xEF\xBD\x8E\xEF\xBD\x8E", "\xEF\xBD\x81\xEF\xBC\xAE\xEF\xBC\xAE"},
        {"\xE1\x8E\xA0", "\xEA\xAD\xB0"},         // Cherokee
        {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8"}, // Deseret
        {"\xE1\xBA\x9E", "\xC3\x9F"},             // capital and small sharp s
    };
    for (const auto &[a, b] : sameNames) {
        EXPECT_TRUE(equalsIgnoringCase(a, b)) << a << " / " << b;
        EXPECT_TRUE(equalsIgnoringCase(b, a)) << b << " / " << a;
    }
    EXPECT_TRUE(equalsIgnoringCase("ANN lee", "ann LEE"));
}

TEST(NameCase, DifferentLettersAndLengthsStayDifferent)
{
    EXPECT_FALSE(equalsIgnoringCase("\xC3\x89mile", "Emile")); // É is not E
    EXPECT_FALSE(equalsIgnoringCase("\xC3\x9F", "ss"));        // no full folding
    EXPECT_FALSE(equalsIgnoringCase("Ann", "Anna"));
    EXPECT_FALSE(equalsIgnoringCase("Anna", "Ann"));
    EXPECT_FALSE(equalsIgnoringCase("", "a"));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
    EXPECT_FALSE(equalsIgnoringCase("\xD0\x98", "\xD0\x99")); // И and Й
    // The Kelvin sign folds to k, three bytes matching one.
    EXPECT_TRUE(equalsIgnoringCase("\xE2\x84\xAA"
                                   "arl",
                                   "karl"));
    EXPECT_EQ(prefixLengthIgnoringCase("\xE2\x84\xAA"
                                       "arl!",
                                       "KARL"),
              6u);
    EXPECT_EQ(prefixLengthIgnoringCase("kar", "karl"), std::string_view::npos);
}

TEST(NameCase, BytesOutsideUtf8CompareAsThemselves)
{
    // Windows-1252 "Émile" and "émile": two bytes that are not UTF-8.
    EXPECT_TRUE(equalsIgnoringCase("\xC9mile", "\xC9MILE"));
    EXPECT_FALSE(equalsIgnoringCase("\xC9mile", "\xE9mile"));
    // A raw byte never equals the code point of the same number.
    EXPECT_FALSE(equalsIgnoringCase("\xE9", "\xC3\xA9"));
    // Overlong, surrogate, cut-short and out-of-range sequences stay bytes.
    EXPECT_FALSE(equalsIgnoringCase("\xC1\x81", "A"));
    EXPECT_FALSE(equalsIgnoringCase("\xC1\x81", "a"));
    EXPECT_TRUE(equalsIgnoringCase("\xED\xA0\x80", "\xED\xA0\x80"));
    EXPECT_FALSE(equalsIgnoringCase("\xC3", "\xC3\xA9"));
    EXPECT_TRUE(equalsIgnoringCase("a\xC3", "A\xC3"));
    EXPECT_TRUE(equalsIgnoringCase("\xF4\x90\x80\x80", "\xF4\x90\x80\x80"));
    EXPECT_EQ(foldCase(0x110000), 0x110000u);
}

TEST(NameCase, FoldingIsStableAndKeepsUncasedCharacters)
{
    for (char32_t c = 0; c < 0x30000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        ASSERT_EQ(foldCase(foldCase(c)), foldCase(c)) << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(foldCase(U'7'), U'7');
    EXPECT_EQ(foldCase(U'\u4E2D'), U'\u4E2D'); // 中
    EXPECT_EQ(foldCase(U'\u0130'), U'\u0130'); // İ has no simple folding
}

TEST(NameCase, TheTallyFindsANameInAnyCaseOfItsScript)
{
    TallyModel t;
    ASSERT_TRUE(t.addOpponent("\xC3\x89mile"));
    EXPECT_FALSE(t.addOpponent("\xC3\xA9mile")) << "émile is Émile";
    EXPECT_FALSE(t.addOpponent("\xC3\x89MILE"));
    ASSERT_TRUE(t.addOpponent("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD")); // Иван
    EXPECT_EQ(t.findOpponent("\xD0\x98\xD0\x92\xD0\x90\xD0\x9D"), 1);
    EXPECT_EQ(t.opponentCount(), 2);

    t.addgame("\xC3\x89mile", {"\xC3\xA9mile", "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD"});
    // Both seated under another spelling are counted; the winner's name is
    // compared exactly, so "Émile" is the winner only as written in its row.
    EXPECT_EQ(t.cell(1, 1), "1");
    EXPECT_EQ(t.cell(2, 1), "1");
    EXPECT_EQ(t.cell(1, 2), "1");
    EXPECT_EQ(t.cell(4, 2), "1");
}

} // namespace
} // namespace kalvex
