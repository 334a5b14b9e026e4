// Which of the player's languages the program speaks.

#include "app/qt/translations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(Translations, TheFirstWantedLanguageWithATranslationIsChosen)
{
    EXPECT_EQ(chosenLanguage({"de"}, "kalvex"), "de");
    EXPECT_EQ(chosenLanguage({"de-AT"}, "kalvex"), "de") << "a region falls back to its language";
    EXPECT_EQ(chosenLanguage({"de_CH"}, "kalvex"), "de");
    EXPECT_EQ(chosenLanguage({"xx", "de-DE"}, "kalvex"), "de")
        << "one without a translation is passed";
}

TEST(Translations, EnglishWantedFirstOrNothingAvailableKeepsEnglish)
{
    EXPECT_EQ(chosenLanguage({"en-US", "de"}, "kalvex"), "");
    EXPECT_EQ(chosenLanguage({"C"}, "kalvex"), "");
    EXPECT_EQ(chosenLanguage({"xx", "yy-ZZ"}, "kalvex"), "");
    EXPECT_EQ(chosenLanguage({}, "kalvex"), "");
    EXPECT_EQ(chosenLanguage({"de"}, "nosuchcatalogue"), "");
}

TEST(Translations, TheGermanTranslationIsStoredInTheProgram)
{
    QTranslator german;
    ASSERT_TRUE(german.load("kalvex_de", QString::fromLatin1(kTranslationsPath)));
    EXPECT_EQ(german.language(), "de_DE");
    EXPECT_EQ(german.translate("kalvex::MainWindow", "&File"), "&Datei");
    EXPECT_EQ(german.translate("ClientSession", "%1 has Won the Game!"),
              "%1 hat das Spiel gewonnen!");
}

} // namespace
} // namespace kalvex
