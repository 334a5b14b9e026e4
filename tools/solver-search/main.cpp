// solver-search: finds the expert's guessing plan for a five or six colour
// game and writes it as the compiled-in data of src/bot.
//
//   solver-search --colours 6 [--max-guesses 5] [--first "1 1 2 2"]
//                 [--beam K] [--beam-above N] [--out src/bot/expert_plan_6.inc]

#include "plan_search.h"

#include "bot/decision_tree.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

using namespace kalvex;
using namespace kalvex::bot;

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: solver-search --colours 5|6 [--max-guesses N] [--first \"1 1 2 2\"]"
                 " [--beam K] [--beam-above N] [--out FILE] [--verbose]\n");
    return 2;
}

bool writePlan(const std::string &path, int colours, int total, int maxGuesses,
               const std::vector<std::uint16_t> &plan)
{
    std::ostringstream text;
    text << "// Made by tools/solver-search: " << total << " guesses over all codes of the "
         << colours << " colour game, at most " << maxGuesses << " per code.\n";
    for (std::size_t i = 0; i < plan.size(); ++i)
        text << plan[i] << (i + 1 == plan.size() ? "\n" : (i % 16 == 15 ? ",\n" : ", "));
    std::ofstream out(path + ".tmp", std::ios::binary);
    out << text.str();
    out.close();
    if (!out)
        return false;
    return std::rename((path + ".tmp").c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    int colours = 6;
    PlanSearch::Options options;
    std::string firstText;
    std::string outPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--colours" && hasValue)
            colours = std::atoi(argv[++i]);
        else if (arg == "--max-guesses" && hasValue)
            options.maxGuesses = std::atoi(argv[++i]);
        else if (arg == "--beam" && hasValue)
            options.beamWidth = std::atoi(argv[++i]);
        else if (arg == "--beam-above" && hasValue)
            options.beamAbove = std::atoi(argv[++i]);
        else if (arg == "--first" && hasValue)
            firstText = argv[++i];
        else if (arg == "--out" && hasValue)
            outPath = argv[++i];
        else if (arg == "--verbose")
            options.verbose = true;
        else
            return usage();
    }
    if ((colours != 5 && colours != 6) || options.maxGuesses < 1 || options.maxGuesses > 12)
        return usage();
    const CodeSpace &space = CodeSpace::forColours(colours);
    if (!firstText.empty()) {
        Code first{};
        std::istringstream in(firstText);
        for (int &c : first)
            in >> c;
        options.firstGuess = space.index(first);
        if (!in || options.firstGuess < 0)
            return usage();
    }

    const auto start = std::chrono::steady_clock::now();
    PlanSearch search(space, options);
    const int total = search.run();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (total >= PlanSearch::kInfinite) {
        std::printf("no plan within %d guesses\n", options.maxGuesses);
        return 1;
    }
    const std::vector<std::uint16_t> plan = search.preorder();
    DecisionTree check(space, plan);
    std::printf("%d colours: %d guesses in total, average %.4f, %d plan nodes, %ld sets searched, "
                "%.1f s\n",
                colours, total, static_cast<double>(total) / space.size(), check.nodeCount(),
                search.nodesVisited(), seconds);
    if (!outPath.empty() && !writePlan(outPath, colours, total, options.maxGuesses, plan)) {
        std::fprintf(stderr, "cannot write %s\n", outPath.c_str());
        return 1;
    }
    return 0;
}
