#pragma once
// Judging one guess against the secret code.

#include <array>

namespace kalvex {

// Four colour numbers, holes 1 to 4 at indexes 0 to 3.
using CodeRow = std::array<int, 4>;

struct Clue
{
    int greens = 0;
    int yellows = 0;
    int empties = 4;
    bool operator==(const Clue &) const = default;
};

// Greens first (right colour, right hole), then yellows taken code hole by
// code hole, each code peg and each guess peg used at most once.
Clue judge(const CodeRow &code, const CodeRow &guess);

} // namespace kalvex
