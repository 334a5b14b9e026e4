// Plays every code of the five and six colour games at each level and prints
// the average and worst number of guesses and the time per decision.
//
//   bench_solver [--levels easy,normal,expert] [--colours 5,6]

#include "bot/solver.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

using namespace kalvex;
using namespace kalvex::bot;

namespace {

struct Figures
{
    long guesses = 0;
    int worst = 0;
    int unsolved = 0;
    long decisions = 0;
    double seconds = 0;
    std::array<int, kBoardRows + 1> histogram{};
};

Figures playAll(Level level, int colours)
{
    Figures f;
    const CodeSpace &space = CodeSpace::forColours(colours);
    // The plans as made; the players rename colours and holes each round.
    Solver solver(level, colours, 20261207, false);
    for (int secret = 0; secret < space.size(); ++secret) {
        solver.newRound(colours);
        const Code code = space.code(secret);
        int row = 1;
        for (; row <= kBoardRows; ++row) {
            const auto start = std::chrono::steady_clock::now();
            const Code guess = solver.nextGuess();
            f.seconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            ++f.decisions;
            const Clue clue = judge(code, guess);
            if (clue.solved())
                break;
            solver.learn(guess, clue);
        }
        if (row > kBoardRows) {
            ++f.unsolved;
            row = kBoardRows;
        }
        f.guesses += row;
        f.worst = std::max(f.worst, row);
        ++f.histogram[row];
    }
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    std::string levels = "easy,normal,expert";
    std::string colourList = "5,6";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--levels") == 0)
            levels = argv[i + 1];
        else if (std::strcmp(argv[i], "--colours") == 0)
            colourList = argv[i + 1];
    }
    std::printf("%-7s %7s %6s %8s %6s %6s %12s  %s\n", "level", "colours", "codes", "average",
                "worst", "total", "us/decision", "codes solved on row 1, 2, ...");
    for (Level level : {Level::Easy, Level::Normal, Level::Expert}) {
        if (levels.find(levelText(level)) == std::string::npos)
            continue;
        for (int colours : {5, 6}) {
            if (colourList.find(std::to_string(colours)) == std::string::npos)
                continue;
            const Figures f = playAll(level, colours);
            const int codes = CodeSpace::forColours(colours).size();
            std::printf("%-7s %7d %6d %8.4f %6d %6ld %12.2f  ",
                        std::string(levelText(level)).c_str(), colours, codes,
                        static_cast<double>(f.guesses) / codes, f.worst, f.guesses,
                        f.seconds * 1e6 / f.decisions);
            for (int row = 1; row <= f.worst; ++row)
                std::printf("%d%s", f.histogram[row], row == f.worst ? "" : " ");
            if (f.unsolved > 0)
                std::printf("  (%d not solved in 12)", f.unsolved);
            std::printf("\n");
        }
    }
    return 0;
}
