// The server draws every code colour from its random source.

#include "server/random_source.h"

#include <gtest/gtest.h>

#include <map>

using namespace kalvex;

TEST(SeededRandomColours, StayInRangeAndReachEveryColour)
{
    SeededRandom random(12345);
    for (int colours : {5, 6}) {
        std::map<int, int> seen;
        for (int i = 0; i < 6000; ++i)
            ++seen[random.colour(colours)];
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(colours));
        EXPECT_EQ(seen.begin()->first, 1);
        EXPECT_EQ(seen.rbegin()->first, colours);
        for (const auto &[colour, count] : seen)
            EXPECT_GT(count, 6000 / colours / 2) << colour;
    }
}
