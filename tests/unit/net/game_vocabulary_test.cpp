// Clues for a guess: greens first, then yellows, each peg used once.

#include "net/game_vocabulary.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kalvex;

namespace kalvex {
void PrintTo(const Clue &clue, std::ostream *os)
{
    *os << clue.greens << " greens, " << clue.yellows << " yellows";
}
} // namespace kalvex

namespace {

struct Example
{
    Code code;
    Code guess;
    int greens, yellows, empties;
};

// Every code of a six colour game, hole 1 the most significant digit.
Code sixColourCode(int number)
{
    return {number / 216 + 1, number / 36 % 6 + 1, number / 6 % 6 + 1, number % 6 + 1};
}

} // namespace

TEST(Judging, WorkedExamples)
{
    const Example examples[] = {
        {{1, 2, 3, 4}, {1, 2, 3, 4}, 4, 0, 0}, {{1, 1, 2, 2}, {1, 2, 1, 1}, 1, 2, 1},
        {{3, 3, 3, 3}, {3, 1, 1, 1}, 1, 0, 3}, {{1, 2, 3, 4}, {4, 3, 2, 1}, 0, 4, 0},
        {{5, 5, 1, 1}, {1, 1, 5, 5}, 0, 4, 0}, {{2, 2, 1, 1}, {2, 1, 3, 3}, 1, 1, 2},
    };
    for (const Example &e : examples) {
        const Clue clue = judge(e.code, e.guess);
        EXPECT_EQ(clue, (Clue{e.greens, e.yellows}))
            << codeText(e.code) << " / " << codeText(e.guess);
        EXPECT_EQ(clue.empties(), e.empties) << codeText(e.code) << " / " << codeText(e.guess);
    }
    EXPECT_TRUE(judge({6, 5, 4, 3}, {6, 5, 4, 3}).solved());
    EXPECT_FALSE(judge({6, 5, 4, 3}, {6, 5, 3, 4}).solved());
}

TEST(Judging, RepeatedColoursCountEachPegOnce)
{
    EXPECT_EQ(judge({1, 2, 2, 3}, {2, 2, 2, 2}), (Clue{2, 0}));
    EXPECT_EQ(judge({2, 1, 1, 1}, {3, 2, 2, 2}), (Clue{0, 1}));
    EXPECT_EQ(judge({6, 6, 1, 2}, {1, 6, 6, 6}), (Clue{1, 2}));
}

TEST(Judging, ColoursOutsideTheGameNeverMatch)
{
    EXPECT_EQ(judge({1, 2, 3, 4}, {0, 0, 0, 0}), (Clue{0, 0}));
    EXPECT_EQ(judge({1, 2, 3, 4}, {0, 2, 0, 1}), (Clue{1, 1}));
    EXPECT_EQ(judge({1, 2, 3, 4}, {7, -1, 1000, 3}), (Clue{0, 1}));
    EXPECT_EQ(judge({1, 2, 3, 4}, {7, -1, 3, 1000}), (Clue{1, 0}));
}

TEST(Judging, EveryPairCountsTheColoursItSharesWhicheverSideIsTheCode)
{
    for (int code = 0; code < 6 * 6 * 6 * 6; ++code) {
        const Code c = sixColourCode(code);
        for (int guess = 0; guess < 6 * 6 * 6 * 6; guess += 7) {
            const Code g = sixColourCode(guess);
            const Clue clue = judge(c, g);
            ASSERT_EQ(clue.greens + clue.yellows + clue.empties(), kRowHoles);
            ASSERT_EQ(clue.solved(), c == g);
            int sameHole = 0;
            for (int k = 0; k < kRowHoles; ++k)
                sameHole += c[k] == g[k];
            ASSERT_EQ(clue.greens, sameHole) << codeText(c) << " / " << codeText(g);
            // Yellows and greens together count the colours the two share.
            int shared = 0;
            for (int colour = 1; colour <= kMaxColour; ++colour)
                shared += static_cast<int>(std::min(std::count(c.begin(), c.end(), colour),
                                                    std::count(g.begin(), g.end(), colour)));
            ASSERT_EQ(clue.greens + clue.yellows, shared) << codeText(c) << " / " << codeText(g);
            ASSERT_EQ(judge(g, c), clue) << codeText(c) << " / " << codeText(g);
        }
    }
}

TEST(Clues, EachClueHasItsOwnIndexAndComesBackFromIt)
{
    std::vector<bool> used(kClueIndices, false);
    for (int greens = 0; greens <= kRowHoles; ++greens) {
        for (int yellows = 0; greens + yellows <= kRowHoles; ++yellows) {
            const Clue clue{greens, yellows};
            ASSERT_GE(clue.index(), 0);
            ASSERT_LT(clue.index(), kClueIndices);
            EXPECT_FALSE(used[clue.index()]) << greens << " " << yellows;
            used[clue.index()] = true;
            EXPECT_EQ(Clue::fromIndex(clue.index()), clue);
        }
    }
    EXPECT_EQ((Clue{kRowHoles, 0}).index(), kSolvedIndex);
}

TEST(Codes, ColourCountAndTextForm)
{
    EXPECT_EQ(colourCount(false), 5);
    EXPECT_EQ(colourCount(true), 6);
    EXPECT_EQ(codeText({1, 1, 2, 6}), "1 1 2 6");
}
