#include "bot/strategy.h"

#include "bot/expert_plan.h"

#include <algorithm>

namespace kalvex::bot {

namespace {

std::array<int, kClueIndices> classSizes(const SolverState &state, int guess)
{
    std::array<int, kClueIndices> sizes{};
    for (int code : state.candidates)
        ++sizes[state.space->clue(code, guess)];
    return sizes;
}

bool isCandidate(const SolverState &state, int code)
{
    return std::binary_search(state.candidates.begin(), state.candidates.end(), code);
}

// Codes consistent with every clue but the latest.
std::vector<int> forgetLatestClue(const SolverState &state)
{
    std::vector<int> codes;
    const std::size_t keep = state.history.empty() ? 0 : state.history.size() - 1;
    for (int code = 0; code < state.space->size(); ++code) {
        bool fits = true;
        for (std::size_t k = 0; k < keep && fits; ++k)
            fits = state.space->clue(code, state.history[k].first) == state.history[k].second;
        if (fits)
            codes.push_back(code);
    }
    return codes;
}

} // namespace

int EasyStrategy::choose(const SolverState &state)
{
    const int row = static_cast<int>(state.history.size()) + 1;
    if (state.candidates.size() > 1 && row <= kCarelessUntilRow &&
        std::uniform_int_distribution<int>(1, kCarelessOneIn)(random) == 1) {
        const std::vector<int> careless = forgetLatestClue(state);
        return careless[std::uniform_int_distribution<std::size_t>(0, careless.size() - 1)(random)];
    }
    return state.candidates[std::uniform_int_distribution<std::size_t>(0, state.candidates.size() -
                                                                              1)(random)];
}

int MinimaxStrategy::choose(const SolverState &state)
{
    if (state.history.empty())
        return state.space->index({1, 1, 2, 2});
    if (state.candidates.size() <= 2)
        return state.candidates.front();
    int best = -1;
    int bestWorst = 0;
    bool bestIsCandidate = false;
    for (int guess = 0; guess < state.space->size(); ++guess) {
        const auto sizes = classSizes(state, guess);
        const int worst = *std::max_element(sizes.begin(), sizes.end());
        const bool candidate = isCandidate(state, guess);
        if (best < 0 || worst < bestWorst ||
            (worst == bestWorst && candidate && !bestIsCandidate)) {
            best = guess;
            bestWorst = worst;
            bestIsCandidate = candidate;
        }
    }
    return best;
}

int bestByExpectedSize(const SolverState &state)
{
    if (state.candidates.size() <= 2)
        return state.candidates.front();
    int best = -1;
    long bestSum = 0;
    bool bestIsCandidate = false;
    for (int guess = 0; guess < state.space->size(); ++guess) {
        const auto sizes = classSizes(state, guess);
        long sum = 0;
        for (int clue = 0; clue < kClueIndices; ++clue)
            if (clue != kSolvedIndex)
                sum += static_cast<long>(sizes[clue]) * sizes[clue];
        const bool candidate = isCandidate(state, guess);
        if (best < 0 || sum < bestSum || (sum == bestSum && candidate && !bestIsCandidate)) {
            best = guess;
            bestSum = sum;
            bestIsCandidate = candidate;
        }
    }
    return best;
}

ExpertStrategy::ExpertStrategy(const CodeSpace &space) : plan(space, expertPlan(space.colours())) {}

bool ExpertStrategy::follow(const SolverState &state, int &node) const
{
    node = plan.root();
    for (const auto &[guess, clue] : state.history) {
        if (node == DecisionTree::kNoNode || plan.guess(node) != guess)
            return false;
        node = plan.child(node, clue);
    }
    return true;
}

int ExpertStrategy::choose(const SolverState &state)
{
    int node = DecisionTree::kNoNode;
    if (!plan.empty() && follow(state, node)) {
        if (node == DecisionTree::kNoNode)
            return state.candidates.front();
        return plan.guess(node);
    }
    return bestByExpectedSize(state);
}

} // namespace kalvex::bot
