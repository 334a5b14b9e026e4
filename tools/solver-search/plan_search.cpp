#include "plan_search.h"

#include "bot/decision_tree.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace kalvex::bot {

namespace {

// Clue classes that a guess can leave besides the solved one.
constexpr int kOpenClasses = 13;

struct Choice
{
    int bound;
    bool inSet;
    int largest;
    int guess;
};

} // namespace

PlanSearch::PlanSearch(const CodeSpace &codes, Options chosen) : space(codes), options(chosen)
{
    const int n = space.size();
    bounds.assign(options.maxGuesses + 1, std::vector<int>(n + 1, kInfinite));
    for (int left = 0; left <= options.maxGuesses; ++left) {
        bounds[left][0] = 0;
        for (int count = 1; count <= n; ++count) {
            // A perfect plan solves 1 code with its first guess, 13 with the
            // second, 169 with the third, ...
            long cost = 0;
            int placed = 0;
            long width = 1;
            for (int depth = 1; depth <= left && placed < count; ++depth) {
                const int here = static_cast<int>(std::min<long>(width, count - placed));
                cost += static_cast<long>(here) * depth;
                placed += here;
                width *= kOpenClasses;
            }
            bounds[left][count] = placed < count ? kInfinite : static_cast<int>(cost);
        }
    }

    // Every renaming of holes and colours, as a table over code numbers.
    std::array<int, kRowHoles> holes{0, 1, 2, 3};
    std::vector<int> colours(space.colours());
    do {
        std::iota(colours.begin(), colours.end(), 1);
        do {
            Permutation p(n);
            for (int c = 0; c < n; ++c) {
                const Code code = space.code(c);
                Code image{};
                for (int k = 0; k < kRowHoles; ++k)
                    image[holes[k]] = colours[code[k] - 1];
                p[c] = static_cast<std::uint16_t>(space.index(image));
            }
            group.push_back(std::move(p));
        } while (std::next_permutation(colours.begin(), colours.end()));
    } while (std::next_permutation(holes.begin(), holes.end()));
}

int PlanSearch::lowerBound(int count, int guessesLeft) const
{
    return guessesLeft < 0 ? kInfinite : bounds[guessesLeft][count];
}

std::uint64_t PlanSearch::setKey(const std::vector<int> &codes, int guessesLeft)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(guessesLeft);
    for (int c : codes) {
        h ^= static_cast<std::uint64_t>(c) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xBF58476D1CE4E5B9ull;
    }
    return h ^ (codes.size() << 48);
}

std::vector<int>
PlanSearch::candidateGuesses(const std::vector<int> &codes,
                             const std::vector<const Permutation *> &symmetries) const
{
    std::vector<int> result;
    for (int g = 0; g < space.size(); ++g) {
        bool smallest = true;
        for (const Permutation *p : symmetries) {
            if ((*p)[g] < g) {
                smallest = false;
                break;
            }
        }
        if (smallest)
            result.push_back(g);
    }
    return result;
}

int PlanSearch::solve(const std::vector<int> &codes, int guessesLeft, int budget,
                      const std::vector<const Permutation *> &symmetries, int level)
{
    const int n = static_cast<int>(codes.size());
    if (n == 1)
        return guessesLeft >= 1 ? 1 : kInfinite;
    if (n == 2)
        return guessesLeft >= 2 ? 3 : kInfinite;
    const int floor = lowerBound(n, guessesLeft);
    if (floor >= budget)
        return floor;
    ++visited;

    const std::uint64_t key = setKey(codes, guessesLeft);
    if (auto it = memo.find(key); it != memo.end()) {
        if (it->second.guess >= 0 || it->second.cost >= budget)
            return it->second.cost;
    }

    // Bound every distinct way of splitting the codes.
    std::vector<Choice> choices;
    std::unordered_map<std::uint64_t, int> seenSplits;
    std::vector<char> inSet(space.size(), 0);
    for (int c : codes)
        inSet[c] = 1;
    for (int g : candidateGuesses(codes, symmetries)) {
        std::array<int, kClueIndices> sizes{};
        std::uint64_t h = 0xCBF29CE484222325ull;
        for (int c : codes) {
            const int clue = space.clue(c, g);
            ++sizes[clue];
            h = (h ^ static_cast<std::uint64_t>(clue)) * 0x100000001B3ull;
        }
        int largest = 0;
        int bound = n;
        for (int clue = 0; clue < kClueIndices; ++clue) {
            if (clue == kSolvedIndex || sizes[clue] == 0)
                continue;
            largest = std::max(largest, sizes[clue]);
            bound += lowerBound(sizes[clue], guessesLeft - 1);
            bound = std::min(bound, kInfinite);
        }
        if (largest == n || bound >= kInfinite)
            continue;
        if (!seenSplits.emplace(h, g).second)
            continue;
        choices.push_back({bound, inSet[g] != 0, largest, g});
    }
    std::sort(choices.begin(), choices.end(), [](const Choice &a, const Choice &b) {
        if (a.bound != b.bound)
            return a.bound < b.bound;
        if (a.inSet != b.inSet)
            return a.inSet;
        if (a.largest != b.largest)
            return a.largest < b.largest;
        return a.guess < b.guess;
    });
    const bool exhaustive = options.beamWidth == 0 || n <= options.beamAbove;
    if (!exhaustive && static_cast<int>(choices.size()) > options.beamWidth)
        choices.resize(options.beamWidth);

    int best = budget;
    int bestGuess = -1;
    int cheapest = kInfinite;
    for (const Choice &choice : choices) {
        cheapest = std::min(cheapest, choice.bound);
        if (choice.bound >= best)
            break;
        auto classes = splitByClue(space, codes, choice.guess);
        std::vector<int> order;
        for (int clue = 0; clue < kClueIndices; ++clue)
            if (clue != kSolvedIndex && !classes[clue].empty())
                order.push_back(clue);
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return classes[a].size() > classes[b].size(); });

        std::vector<const Permutation *> kept;
        for (const Permutation *p : symmetries)
            if ((*p)[choice.guess] == choice.guess)
                kept.push_back(p);
        if (kept.size() <= 1)
            kept.clear();

        int cost = n;
        int rest = choice.bound - n;
        bool fits = true;
        for (int clue : order) {
            const int size = static_cast<int>(classes[clue].size());
            rest -= lowerBound(size, guessesLeft - 1);
            const int room = best - cost - rest;
            const int sub = solve(classes[clue], guessesLeft - 1, room, kept, level + 1);
            if (sub >= room) {
                fits = false;
                break;
            }
            cost += sub;
        }
        if (fits) {
            best = cost;
            bestGuess = choice.guess;
            if (options.verbose && level <= 1)
                std::fprintf(stderr, "%*s%zu codes: %s costs %d\n", level * 2, "", codes.size(),
                             codeText(space.code(choice.guess)).c_str(), cost);
        }
    }

    Memo &entry = memo[key];
    if (bestGuess >= 0) {
        entry = {best, bestGuess};
        return best;
    }
    // Nothing fits the budget: the cost is at least the budget (or, when no
    // guess was left to try, at least the best bound).
    entry = {std::max(budget, std::min(cheapest, kInfinite)), -1};
    return entry.cost;
}

int PlanSearch::run()
{
    std::vector<int> all(space.size());
    std::iota(all.begin(), all.end(), 0);
    std::vector<const Permutation *> symmetries;
    for (const Permutation &p : group)
        symmetries.push_back(&p);
    if (options.firstGuess >= 0) {
        symmetries.clear();
        for (const Permutation &p : group)
            if (p[options.firstGuess] == options.firstGuess)
                symmetries.push_back(&p);
        // Only the chosen first guess: solve its classes under its symmetries.
        auto classes = splitByClue(space, all, options.firstGuess);
        total = space.size();
        for (int clue = 0; clue < kClueIndices; ++clue) {
            if (clue == kSolvedIndex || classes[clue].empty())
                continue;
            const int sub = solve(classes[clue], options.maxGuesses - 1, kInfinite, symmetries, 1);
            if (options.verbose)
                std::fprintf(stderr, "clue %d/%d: %zu codes cost %d (%ld sets)\n", clue / 5,
                             clue % 5, classes[clue].size(), sub, visited);
            total += sub;
        }
        return total;
    }
    total = solve(all, options.maxGuesses, kInfinite, symmetries, 0);
    return total;
}

void PlanSearch::emit(const std::vector<int> &codes, int guessesLeft,
                      std::vector<std::uint16_t> &out) const
{
    if (codes.size() <= 2)
        return;
    int guess = options.firstGuess;
    if (codes.size() != static_cast<std::size_t>(space.size()) || guess < 0) {
        auto it = memo.find(setKey(codes, guessesLeft));
        guess = it->second.guess;
    }
    out.push_back(static_cast<std::uint16_t>(guess));
    auto classes = splitByClue(space, codes, guess);
    for (int clue = 0; clue < kClueIndices; ++clue)
        if (clue != kSolvedIndex && !classes[clue].empty())
            emit(classes[clue], guessesLeft - 1, out);
}

std::vector<std::uint16_t> PlanSearch::preorder() const
{
    std::vector<int> all(space.size());
    std::iota(all.begin(), all.end(), 0);
    std::vector<std::uint16_t> out;
    emit(all, options.maxGuesses, out);
    return out;
}

} // namespace kalvex::bot
