#include "bot/decision_tree.h"

namespace kalvex::bot {

std::array<std::vector<int>, kClueIndices> splitByClue(const CodeSpace &space,
                                                       const std::vector<int> &codes, int guess)
{
    std::array<std::vector<int>, kClueIndices> classes;
    for (int code : codes)
        classes[space.clue(code, guess)].push_back(code);
    return classes;
}

DecisionTree::DecisionTree(const CodeSpace &space, std::span<const std::uint16_t> preorder)
{
    std::vector<int> all(space.size());
    for (int i = 0; i < space.size(); ++i)
        all[i] = i;
    std::size_t next = 0;
    build(space, all, preorder, next);
    if (next != preorder.size())
        throw std::invalid_argument("decision tree: data left over after the last node");
}

int DecisionTree::build(const CodeSpace &space, const std::vector<int> &codes,
                        std::span<const std::uint16_t> preorder, std::size_t &next)
{
    if (codes.size() <= 2)
        return kNoNode;
    if (next >= preorder.size())
        throw std::invalid_argument("decision tree: data ends inside the plan");
    const int guess = preorder[next++];
    if (guess >= space.size())
        throw std::invalid_argument("decision tree: a guess outside the game");
    const auto classes = splitByClue(space, codes, guess);
    for (const auto &cls : classes) {
        if (cls.size() == codes.size())
            throw std::invalid_argument("decision tree: a guess that tells nothing");
    }
    const int self = static_cast<int>(nodes.size());
    nodes.push_back(Node{guess, {}});
    nodes[self].children.fill(kNoNode);
    for (int clue = 0; clue < kClueIndices; ++clue) {
        if (clue == kSolvedIndex || classes[clue].empty())
            continue;
        const int child = build(space, classes[clue], preorder, next);
        nodes[self].children[clue] = child;
    }
    return self;
}

} // namespace kalvex::bot
