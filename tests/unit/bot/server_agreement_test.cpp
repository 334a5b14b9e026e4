#include "bot/code.h"
#include "server/judge.h"

#include <gtest/gtest.h>

namespace kalvex::bot {
namespace {

TEST(Judging, EveryClueAgreesWithTheServersJudgement)
{
    for (int colours : {5, 6}) {
        const CodeSpace &space = CodeSpace::forColours(colours);
        for (int secret = 0; secret < space.size(); ++secret) {
            for (int guess = 0; guess < space.size(); ++guess) {
                const kalvex::Clue told = kalvex::judge(space.code(secret), space.code(guess));
                const Clue expected = Clue::fromIndex(space.clue(secret, guess));
                ASSERT_EQ(told.greens, expected.greens)
                    << codeText(space.code(secret)) << " / " << codeText(space.code(guess));
                ASSERT_EQ(told.yellows, expected.yellows)
                    << codeText(space.code(secret)) << " / " << codeText(space.code(guess));
            }
        }
    }
}

} // namespace
} // namespace kalvex::bot
