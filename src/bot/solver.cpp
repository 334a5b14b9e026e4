#include "bot/solver.h"

#include <algorithm>
#include <numeric>

namespace kalvex::bot {

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

Solver::Solver(Level level, int colours, std::uint32_t randomSeed, bool vary)
    : strength(level), seed(randomSeed), varied(vary), random(randomSeed ^ 0x5EEDu)
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
    std::iota(holeOrder.begin(), holeOrder.end(), 0);
    std::iota(colourOrder.begin(), colourOrder.end(), 0);
    if (varied) {
        std::shuffle(holeOrder.begin(), holeOrder.end(), random);
        std::shuffle(colourOrder.begin() + 1, colourOrder.begin() + 1 + space->colours(), random);
    }
}

Code Solver::renamed(const Code &code) const
{
    Code result{};
    for (int k = 0; k < kRowHoles; ++k)
        result[holeOrder[k]] = colourOrder[code[k]];
    return result;
}

Code Solver::unrenamed(const Code &code) const
{
    Code result{};
    for (int k = 0; k < kRowHoles; ++k) {
        const int colour = code[holeOrder[k]];
        const auto at = std::find(colourOrder.begin(), colourOrder.end(), colour);
        result[k] = at == colourOrder.end() ? 0 : static_cast<int>(at - colourOrder.begin());
    }
    return result;
}

Code Solver::nextGuess()
{
    return renamed(state.space->code(strategy->choose(state)));
}

bool Solver::fits(const Code &code) const
{
    const int index = state.space->index(unrenamed(code));
    return index >= 0 &&
           std::binary_search(state.candidates.begin(), state.candidates.end(), index);
}

void Solver::learn(const Code &guess, Clue clue)
{
    // The strategies work on the codes as they were before the renaming; the
    // clue of a guess is the same under any renaming.
    const int guessIndex = state.space->index(unrenamed(guess));
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

} // namespace kalvex::bot
