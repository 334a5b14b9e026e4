#include "bot/decision_tree.h"
#include "bot/expert_plan.h"
#include "bot/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kalvex::bot {
namespace {

struct Play
{
    long total = 0;
    int worst = 0;
};

// Plays every code of a game with a fresh round each time.
Play playEveryCode(Level level, int colours, bool varied = false, int rows = 12)
{
    const CodeSpace &space = CodeSpace::forColours(colours);
    Solver solver(level, colours, 7, varied);
    Play play;
    for (int secret = 0; secret < space.size(); ++secret) {
        solver.newRound(colours);
        int row = 1;
        for (;; ++row) {
            const Code guess = solver.nextGuess();
            EXPECT_GE(space.index(guess), 0) << codeText(guess);
            const Clue clue = judge(space.code(secret), guess);
            if (clue.solved())
                break;
            if (row == rows) {
                ADD_FAILURE() << "not found in " << rows
                              << " rows: " << codeText(space.code(secret));
                break;
            }
            solver.learn(guess, clue);
        }
        play.total += row;
        play.worst = std::max(play.worst, row);
    }
    return play;
}

TEST(Judging, CountsAreTheSameWhicheverSideIsTheCode)
{
    const CodeSpace &space = CodeSpace::forColours(6);
    for (int a = 0; a < space.size(); a += 7)
        for (int b = 0; b < space.size(); b += 5)
            ASSERT_EQ(space.clue(a, b), space.clue(b, a));
}

TEST(CodeSpace, NumbersEveryCodeOnceAndRejectsColoursOutsideTheGame)
{
    for (int colours : {5, 6}) {
        const CodeSpace &space = CodeSpace::forColours(colours);
        std::set<Code> seen;
        for (int i = 0; i < space.size(); ++i) {
            const Code code = space.code(i);
            EXPECT_EQ(space.index(code), i);
            seen.insert(code);
        }
        EXPECT_EQ(static_cast<int>(seen.size()), space.size());
    }
    EXPECT_EQ(CodeSpace::forColours(5).index({1, 2, 6, 1}), -1);
    EXPECT_EQ(CodeSpace::forColours(6).index({0, 2, 3, 1}), -1);
    EXPECT_EQ(CodeSpace::forColours(6).index({1, 2, 3, 7}), -1);
}

TEST(Levels, NormalPlaysKnuthsMinimaxWithinFiveGuesses)
{
    const Play six = playEveryCode(Level::Normal, 6);
    EXPECT_EQ(six.total, 5801); // Knuth's published total, 4.476 per code
    EXPECT_LE(six.worst, 5);
    const Play five = playEveryCode(Level::Normal, 5);
    EXPECT_LE(five.worst, 6);
    EXPECT_LT(five.total, 4.2 * 625);
}

TEST(Levels, ExpertFindsEveryCodeWithinFiveGuessesAtTheBestKnownAverage)
{
    const Play six = playEveryCode(Level::Expert, 6);
    EXPECT_LE(six.worst, 5);
    EXPECT_EQ(six.total, 5626); // 4.341 per code, the best any plan of at most 5 guesses reaches
    const Play five = playEveryCode(Level::Expert, 5);
    EXPECT_LE(five.worst, 5);
    EXPECT_EQ(five.total, 2463); // 3.941 per code
}

TEST(Levels, RenamedRoundsKeepTheStrengthButNotTheGuesses)
{
    // Two experts of the same plan: each round under its own renaming.
    for (int colours : {5, 6}) {
        const Play expert = playEveryCode(Level::Expert, colours, true);
        EXPECT_LE(expert.worst, 5);
        const int codes = CodeSpace::forColours(colours).size();
        EXPECT_NEAR(static_cast<double>(expert.total) / codes, colours == 6 ? 4.341 : 3.941, 0.05);
        const Play normal = playEveryCode(Level::Normal, colours, true);
        EXPECT_LE(normal.worst, colours == 6 ? 5 : 6);
    }
    Solver first(Level::Expert, 6, 1);
    Solver second(Level::Expert, 6, 2);
    int differ = 0;
    for (int round = 0; round < 10; ++round) {
        first.newRound(6);
        second.newRound(6);
        differ += first.nextGuess() != second.nextGuess();
        // The first guess is the plan's, renamed: two pairs of one colour
        // and two single colours.
        const Code guess = first.nextGuess();
        const std::set<int> colours(guess.begin(), guess.end());
        int most = 0;
        for (int c : colours)
            most = std::max(most, static_cast<int>(std::count(guess.begin(), guess.end(), c)));
        EXPECT_EQ(colours.size(), 3u) << codeText(guess);
        EXPECT_EQ(most, 2) << codeText(guess);
    }
    EXPECT_GT(differ, 0);
}

TEST(Levels, EasyFindsEveryCodeOnTheBoardButPlaysWorseThanNormal)
{
    const Play six = playEveryCode(Level::Easy, 6);
    EXPECT_GT(six.total, 5801);
    EXPECT_LE(six.worst, 12);
    const Play five = playEveryCode(Level::Easy, 5);
    EXPECT_LE(five.worst, 12);
}

TEST(Levels, NamesReadAsTheCommandLineWritesThem)
{
    for (Level level : {Level::Easy, Level::Normal, Level::Expert})
        EXPECT_EQ(levelFromText(levelText(level)), level);
    EXPECT_FALSE(levelFromText("Expert").has_value());
    EXPECT_FALSE(levelFromText("").has_value());
}

TEST(Solver, GuessesStayWithinTheColoursOfTheGame)
{
    for (Level level : {Level::Easy, Level::Normal, Level::Expert}) {
        Solver solver(level, 5, 3);
        const Code secret{5, 4, 5, 1};
        for (int row = 1; row <= 12; ++row) {
            const Code guess = solver.nextGuess();
            for (int colour : guess) {
                EXPECT_GE(colour, 1);
                EXPECT_LE(colour, 5);
            }
            const Clue clue = judge(secret, guess);
            if (clue.solved())
                break;
            solver.learn(guess, clue);
        }
    }
}

TEST(Solver, EasyIsCarelessOnlyEarlyInARound)
{
    // Over many rounds some early guesses ignore a clue, and none after the
    // careless rows does.
    const CodeSpace &space = CodeSpace::forColours(6);
    Solver solver(Level::Easy, 6, 11);
    int careless = 0;
    for (int secret = 0; secret < space.size(); secret += 3) {
        solver.newRound(6);
        for (int row = 1; row <= 12; ++row) {
            const Code guess = solver.nextGuess();
            if (!solver.fits(guess)) {
                ++careless;
                EXPECT_LE(row, EasyStrategy::kCarelessUntilRow);
            }
            const Clue clue = judge(space.code(secret), guess);
            if (clue.solved())
                break;
            solver.learn(guess, clue);
        }
    }
    EXPECT_GT(careless, 10);
}

TEST(Solver, ContradictingCluesStartTheRoundAfresh)
{
    Solver solver(Level::Normal, 6, 1, false);
    solver.learn({1, 1, 2, 2}, Clue{4, 0});
    ASSERT_EQ(solver.remaining(), 1);
    solver.learn({3, 3, 4, 4}, Clue{4, 0});
    EXPECT_EQ(solver.remaining(), 1296);
    EXPECT_EQ(solver.guessesMade(), 0);
    EXPECT_EQ(solver.nextGuess(), (Code{1, 1, 2, 2}));
}

TEST(Solver, ExpertLeftOffItsPlanStillNarrowsDownTheCode)
{
    // Rows played before the bot took over the slot were not its own plan.
    const Code secret{6, 2, 2, 5};
    Solver solver(Level::Expert, 6, 1);
    solver.learn({6, 6, 6, 6}, judge(secret, {6, 6, 6, 6}));
    int row = 2;
    for (; row <= 12; ++row) {
        const Code guess = solver.nextGuess();
        if (judge(secret, guess).solved())
            break;
        solver.learn(guess, judge(secret, guess));
    }
    EXPECT_LE(row, 8);
}

TEST(Solver, NewRoundSwitchesBetweenTheGames)
{
    Solver solver(Level::Expert, 5, 1);
    EXPECT_EQ(solver.remaining(), 625);
    solver.newRound(6);
    EXPECT_EQ(solver.colours(), 6);
    EXPECT_EQ(solver.remaining(), 1296);
}

TEST(DecisionTree, TheCompiledPlansCoverEveryCode)
{
    for (int colours : {5, 6}) {
        const DecisionTree tree(CodeSpace::forColours(colours), expertPlan(colours));
        EXPECT_GT(tree.nodeCount(), 50);
    }
    EXPECT_TRUE(expertPlan(4).empty());
}

TEST(DecisionTree, DamagedPlansAreRejected)
{
    const CodeSpace &space = CodeSpace::forColours(6);
    const auto plan = expertPlan(6);
    std::vector<std::uint16_t> data(plan.begin(), plan.end());

    auto truncated = data;
    truncated.pop_back();
    EXPECT_THROW(DecisionTree(space, truncated), std::invalid_argument);

    auto longer = data;
    longer.push_back(0);
    EXPECT_THROW(DecisionTree(space, longer), std::invalid_argument);

    auto outside = data;
    outside[3] = 1296;
    EXPECT_THROW(DecisionTree(space, outside), std::invalid_argument);

    EXPECT_THROW(DecisionTree(space, std::vector<std::uint16_t>{}), std::invalid_argument);
}

} // namespace
} // namespace kalvex::bot
