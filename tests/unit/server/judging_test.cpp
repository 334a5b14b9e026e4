// Clues for a guess: greens first, then yellows, each peg used once.

#include "server/judge.h"
#include "server/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace kalvex;

namespace {

struct Example
{
    CodeRow code;
    CodeRow guess;
    Clue clue;
};

} // namespace

namespace kalvex {
void PrintTo(const Clue &clue, std::ostream *os)
{
    *os << clue.greens << " greens, " << clue.yellows << " yellows, " << clue.empties << " empties";
}
} // namespace kalvex

TEST(Judging, WorkedExamples)
{
    const Example examples[] = {
        {{1, 2, 3, 4}, {1, 2, 3, 4}, {4, 0, 0}}, {{1, 1, 2, 2}, {1, 2, 1, 1}, {1, 2, 1}},
        {{3, 3, 3, 3}, {3, 1, 1, 1}, {1, 0, 3}}, {{1, 2, 3, 4}, {4, 3, 2, 1}, {0, 4, 0}},
        {{5, 5, 1, 1}, {1, 1, 5, 5}, {0, 4, 0}}, {{2, 2, 1, 1}, {2, 1, 3, 3}, {1, 1, 2}},
    };
    for (const Example &e : examples) {
        EXPECT_EQ(judge(e.code, e.guess), e.clue)
            << "guess " << e.guess[0] << e.guess[1] << e.guess[2] << e.guess[3];
    }
}

TEST(Judging, RepeatedColoursCountEachPegOnce)
{
    EXPECT_EQ(judge({1, 2, 2, 3}, {2, 2, 2, 2}), (Clue{2, 0, 2}));
    EXPECT_EQ(judge({2, 1, 1, 1}, {3, 2, 2, 2}), (Clue{0, 1, 3}));
    EXPECT_EQ(judge({6, 6, 1, 2}, {1, 6, 6, 6}), (Clue{1, 2, 1}));
}

TEST(Judging, ColoursOutsideTheGameNeverMatch)
{
    EXPECT_EQ(judge({1, 2, 3, 4}, {0, 0, 0, 0}), (Clue{0, 0, 4}));
    EXPECT_EQ(judge({1, 2, 3, 4}, {7, -1, 1000, 3}), (Clue{0, 1, 3}));
    EXPECT_EQ(judge({1, 2, 3, 4}, {7, -1, 3, 1000}), (Clue{1, 0, 3}));
}

TEST(Judging, CountsAlwaysAddUpToFour)
{
    for (int code = 0; code < 6 * 6 * 6 * 6; code += 7) {
        const CodeRow c{code % 6 + 1, code / 6 % 6 + 1, code / 36 % 6 + 1, code / 216 + 1};
        for (int guess = 0; guess < 6 * 6 * 6 * 6; guess += 5) {
            const CodeRow g{guess % 6 + 1, guess / 6 % 6 + 1, guess / 36 % 6 + 1, guess / 216 + 1};
            const Clue clue = judge(c, g);
            ASSERT_EQ(clue.greens + clue.yellows + clue.empties, 4);
            ASSERT_EQ(clue.greens == 4, c == g);
            // Yellows and greens together count the colours the two share.
            int shared = 0;
            for (int colour = 1; colour <= 6; ++colour)
                shared += std::min(std::count(c.begin(), c.end(), colour),
                                   std::count(g.begin(), g.end(), colour));
            ASSERT_EQ(clue.greens + clue.yellows, shared);
        }
    }
}

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
