#pragma once
// Searches for the guessing plan with the fewest guesses in total over every
// code of a game, within a limit on the guesses per code. Branch and bound:
// each guess is bounded below by a perfect split of its clue classes, guesses
// that split the codes alike are tried once, and codes that the colour and
// hole symmetries left by the guesses so far map onto each other are tried
// once. A beam (try only the best few guesses at large sets) turns it into a
// quick search for a good plan instead of the best one.

#include "bot/code_space.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kalvex::bot {

class PlanSearch
{
public:
    struct Options
    {
        int maxGuesses = 5;
        // Guesses tried at a set larger than beamAbove codes; 0: all of them.
        int beamWidth = 0;
        int beamAbove = 20;
        // Restricts the first guess (code number), -1 for any.
        int firstGuess = -1;
        bool verbose = false;
    };

    PlanSearch(const CodeSpace &codes, Options chosen);

    // The least total number of guesses over every code, and the plan.
    int run();
    std::vector<std::uint16_t> preorder() const;
    long nodesVisited() const { return visited; }

    static constexpr int kInfinite = 1 << 28;

private:
    using Permutation = std::vector<std::uint16_t>; // code number -> code number

    int solve(const std::vector<int> &codes, int guessesLeft, int budget,
              const std::vector<const Permutation *> &symmetries, int level);
    int lowerBound(int count, int guessesLeft) const;
    std::vector<int> candidateGuesses(const std::vector<int> &codes,
                                      const std::vector<const Permutation *> &symmetries) const;
    void emit(const std::vector<int> &codes, int guessesLeft,
              std::vector<std::uint16_t> &out) const;
    static std::uint64_t setKey(const std::vector<int> &codes, int guessesLeft);

    struct Memo
    {
        int cost = 0; // exact when guess >= 0, otherwise a lower bound
        int guess = -1;
    };

    const CodeSpace &space;
    Options options;
    std::vector<Permutation> group;
    std::vector<std::vector<int>> bounds; // [guessesLeft][count]
    std::unordered_map<std::uint64_t, Memo> memo;
    int total = 0;
    long visited = 0;
};

} // namespace kalvex::bot
