#pragma once
// A precomputed guessing plan: which code to guess for every set of codes
// still possible, reached by the clues so far. Stored as the list of guesses
// in preorder; a set of one or two codes has no node (its lowest code is
// guessed), and children follow in the order of their clue index.

#include "bot/code_space.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace kalvex::bot {

class DecisionTree
{
public:
    // No node: the set left has at most two codes.
    static constexpr int kNoNode = -1;

    DecisionTree() = default;
    // Throws std::invalid_argument when the list does not describe a whole
    // plan over every code of the space.
    DecisionTree(const CodeSpace &space, std::span<const std::uint16_t> preorder);

    bool empty() const { return nodes.empty(); }
    int root() const { return nodes.empty() ? kNoNode : 0; }
    int nodeCount() const { return static_cast<int>(nodes.size()); }
    int guess(int node) const { return nodes[node].guess; }
    int child(int node, int clueIndex) const { return nodes[node].children[clueIndex]; }

private:
    struct Node
    {
        int guess = 0;
        std::array<int, kClueIndices> children;
    };
    int build(const CodeSpace &space, const std::vector<int> &codes,
              std::span<const std::uint16_t> preorder, std::size_t &next);

    std::vector<Node> nodes;
};

// Splits codes by the clue each earns against a guess, keeping their order.
std::array<std::vector<int>, kClueIndices> splitByClue(const CodeSpace &space,
                                                       const std::vector<int> &codes, int guess);

} // namespace kalvex::bot
