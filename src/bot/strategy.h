#pragma once
// The ways a computer player picks its next guess from what it knows.

#include "bot/code_space.h"
#include "bot/decision_tree.h"

#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace kalvex::bot {

// What the solver knows in a round: the guesses made with their clues (as
// code and clue numbers), and the codes consistent with every clue.
struct SolverState
{
    const CodeSpace *space = nullptr;
    std::vector<std::pair<int, int>> history;
    std::vector<int> candidates;
};

class Strategy
{
public:
    virtual ~Strategy() = default;
    // The number of the code to guess next; candidates is never empty.
    virtual int choose(const SolverState &state) = 0;
};

// A random code consistent with every clue; now and then, early in a round,
// a careless one that forgets the latest clue.
class EasyStrategy : public Strategy
{
public:
    explicit EasyStrategy(std::uint32_t seed) : random(seed) {}
    int choose(const SolverState &state) override;

    static constexpr int kCarelessOneIn = 5;
    static constexpr int kCarelessUntilRow = 5;

private:
    std::mt19937 random;
};

// Knuth's minimax: the code whose worst clue leaves the fewest candidates,
// preferring a candidate, then the lowest number; "1 1 2 2" first.
class MinimaxStrategy : public Strategy
{
public:
    int choose(const SolverState &state) override;
};

// Follows the precomputed plan of the game while the round stays on it, and
// otherwise picks the code that leaves the fewest candidates on average.
class ExpertStrategy : public Strategy
{
public:
    explicit ExpertStrategy(const CodeSpace &space);
    int choose(const SolverState &state) override;

private:
    // Walks the plan along the history; false when the round left it.
    bool follow(const SolverState &state, int &node) const;

    DecisionTree plan;
};

// The code with the smallest expected number of candidates left after its
// clue, preferring a candidate on ties.
int bestByExpectedSize(const SolverState &state);

} // namespace kalvex::bot
