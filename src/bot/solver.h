#pragma once
// Plays one round after another as a code breaker: keeps the codes that fit
// every clue so far and asks its strategy for the next guess.

#include "bot/strategy.h"

#include <memory>
#include <optional>
#include <string_view>

namespace kalvex {

enum class Level
{
    Easy,
    Normal,
    Expert
};

std::optional<Level> levelFromText(std::string_view text);
std::string_view levelText(Level level);

class Solver
{
public:
    Solver(Level level, int colours, std::uint32_t seed);

    Level level() const { return strength; }
    int colours() const { return state.space->colours(); }

    // Forgets everything learnt; a game of 5 or 6 colours (others count as 6).
    void newRound(int colours);
    Code nextGuess();
    // A guess with the clue it earned. Clues that contradict each other (a
    // row played before this solver saw the round) make it start afresh.
    void learn(const Code &guess, Clue clue);

    int guessesMade() const { return static_cast<int>(state.history.size()); }
    const std::vector<int> &candidates() const { return state.candidates; }

private:
    void makeStrategy();
    void allCandidates();

    Level strength;
    std::uint32_t seed;
    SolverState state;
    std::unique_ptr<Strategy> strategy;
};

} // namespace kalvex
