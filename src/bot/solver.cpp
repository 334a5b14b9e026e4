#include "bot/solver.h"

#include <algorithm>

namespace kalvex {

std::optional<Level> levelFromText(std::string_view text)
{
    if (text == "easy")
        return Level::Easy;
    if (text == "normal")
        return Level::Normal;
    if (text == "expert")
        return Level::Expert;
    return std::nullopt;
}

std::string_view levelText(Level level)
{
    switch (level) {
    case Level::Easy:
        return "easy";
    case Level::Normal:
        return "normal";
    case Level::Expert:
        return "expert";
    }
    return "normal";
}

Solver::Solver(Level level, int colours, std::uint32_t seed) : strength(level), seed(seed)
{
    newRound(colours);
}

void Solver::makeStrategy()
{
    switch (strength) {
    case Level::Easy:
        // Each game keeps the random sequence going; a fresh seed per space.
        strategy = std::make_unique<EasyStrategy>(seed++);
        break;
    case Level::Normal:
        strategy = std::make_unique<MinimaxStrategy>();
        break;
    case Level::Expert:
        strategy = std::make_unique<ExpertStrategy>(*state.space);
        break;
    }
}

void Solver::allCandidates()
{
    state.candidates.resize(state.space->size());
    for (int i = 0; i < state.space->size(); ++i)
        state.candidates[i] = i;
}

void Solver::newRound(int colours)
{
    const CodeSpace *space = &CodeSpace::forColours(colours);
    if (space != state.space || !strategy) {
        state.space = space;
        makeStrategy();
    }
    state.history.clear();
    allCandidates();
}

Code Solver::nextGuess()
{
    return state.space->code(strategy->choose(state));
}

void Solver::learn(const Code &guess, Clue clue)
{
    const int guessIndex = state.space->index(guess);
    if (guessIndex < 0)
        return;
    state.history.emplace_back(guessIndex, clue.index());
    std::erase_if(state.candidates,
                  [&](int code) { return state.space->clue(code, guessIndex) != clue.index(); });
    if (state.candidates.empty()) {
        state.history.clear();
        allCandidates();
    }
}

} // namespace kalvex
