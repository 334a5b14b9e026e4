// The computer player's table of clues is the game's own judgement, stored.

#include "bot/code_space.h"

#include <gtest/gtest.h>

namespace kalvex::bot {
namespace {

TEST(CodeSpace, TableHoldsTheJudgedClueOfEveryPair)
{
    for (int colours : {5, 6}) {
        const CodeSpace &space = CodeSpace::forColours(colours);
        ASSERT_EQ(space.colours(), colours);
        for (int secret = 0; secret < space.size(); ++secret) {
            for (int guess = 0; guess < space.size(); ++guess) {
                const Clue told = judge(space.code(secret), space.code(guess));
                ASSERT_EQ(space.clue(secret, guess), told.index())
                    << codeText(space.code(secret)) << " / " << codeText(space.code(guess));
            }
        }
    }
}

} // namespace
} // namespace kalvex::bot
