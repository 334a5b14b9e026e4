#include "windows/spy_roster.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(SpyRoster, EntriesReadSlotColonBlankName)
{
    SpyRoster roster;
    roster.add(12, "Ann", 1);
    roster.add(11, "A: B", 1);
    EXPECT_EQ(roster.entries(), (std::vector<std::string>{"12: Ann", "11: A: B"}));
}

TEST(SpyRoster, TheSameNameTwiceIsRemovedOneAtATime)
{
    SpyRoster roster;
    roster.add(12, "Ann", 1);
    roster.add(12, "Ann", 1);
    EXPECT_TRUE(roster.remove(12, "Ann"));
    EXPECT_EQ(roster.entries().size(), 1u);
    EXPECT_TRUE(roster.remove(12, "Ann"));
    EXPECT_FALSE(roster.remove(12, "Ann"));
}

TEST(SpyRoster, SlotIsReadFromTheTextBeforeTheFirstColon)
{
    EXPECT_EQ(SpyRoster::slotOfEntry("12: Ann"), 12);
    EXPECT_EQ(SpyRoster::slotOfEntry("11: A: B"), 11);
    EXPECT_EQ(SpyRoster::slotOfEntry("x: Ann"), std::nullopt);
    EXPECT_EQ(SpyRoster::slotOfEntry(": Ann"), std::nullopt);
    EXPECT_EQ(SpyRoster::slotOfEntry("99999999999: Ann"), std::nullopt);
}

} // namespace
} // namespace kalvex
