#include "fake_language.h"
#include "net/shown_text.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(ShownText, IsTheEnglishTextUntilATranslatorIsInstalled)
{
    EXPECT_EQ(translate("Ctx", "Round has started."), "Round has started.");
    {
        test::BracketLanguage other;
        EXPECT_EQ(translate("Ctx", "Round has started."), "[Round has started.]");
    }
    EXPECT_EQ(translate("Ctx", "Round has started."), "Round has started.");
}

TEST(ShownText, ArgumentsFillTheirPlaceholdersInOnePass)
{
    EXPECT_EQ(withArgs("%1 has Won the Game!", {"Ann"}), "Ann has Won the Game!");
    // A translation may put them in another order.
    EXPECT_EQ(withArgs("%2 von %1", {"a", "b"}), "b von a");
    EXPECT_EQ(withArgs("%1/%1", {"x"}), "x/x");
    // A name that looks like a placeholder is not filled in again.
    EXPECT_EQ(withArgs("%1 and %2", {"%2", "Bob"}), "%2 and Bob");
}

TEST(ShownText, PlaceholdersWithoutAnArgumentAndLonePercentsStay)
{
    EXPECT_EQ(withArgs("%1 %2", {"a"}), "a %2");
    EXPECT_EQ(withArgs("100% %0 %", {"a"}), "100% %0 %");
    EXPECT_EQ(withArgs("", {"a"}), "");
}

} // namespace
} // namespace kalvex
