#pragma once
// Plays one round after another as a code breaker: keeps the codes that fit
// every clue so far and asks its strategy for the next guess.

#include "bot/strategy.h"

#include <memory>
#include <optional>
#include <string_view>

namespace kalvex::bot {

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
    // varied: each round plays under its own random renaming of colours and
    // holes, so that two players of one level do not guess alike (and tie
    // game after game); the strength stays the same.
    Solver(Level level, int colours, std::uint32_t randomSeed, bool vary = true);

    Level level() const { return strength; }
    int colours() const { return state.space->colours(); }

    // Forgets everything learnt; a game of 5 or 6 colours (others count as 6).
    void newRound(int colours);
    Code nextGuess();
    // A guess with the clue it earned. Clues that contradict each other (a
    // row played before this solver saw the round) make it start afresh.
    void learn(const Code &guess, Clue clue);

    int guessesMade() const { return static_cast<int>(state.history.size()); }
    // The codes that fit every clue so far.
    int remaining() const { return static_cast<int>(state.candidates.size()); }
    bool fits(const Code &code) const;

private:
    void makeStrategy();
    void allCandidates();
    // The renaming of this round, and its inverse.
    Code renamed(const Code &code) const;
    Code unrenamed(const Code &code) const;

    Level strength;
    std::uint32_t seed;
    bool varied;
    std::mt19937 random;
    std::array<int, kRowHoles> holeOrder{0, 1, 2, 3};
    std::array<int, kMaxColour + 1> colourOrder{0, 1, 2, 3, 4, 5, 6};
    SolverState state;
    std::unique_ptr<Strategy> strategy;
};

} // namespace kalvex::bot
