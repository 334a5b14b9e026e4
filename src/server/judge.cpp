#include "server/judge.h"

namespace kalvex {

Clue judge(const CodeRow &code, const CodeRow &guess)
{
    // A used peg becomes 0 on both sides; the code never holds 0, so a used
    // code peg can never match again.
    CodeRow c = code;
    CodeRow g = guess;
    Clue clue;
    for (int k = 0; k < 4; ++k) {
        if (g[k] == c[k]) {
            ++clue.greens;
            g[k] = 0;
            c[k] = 0;
        }
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (j != i && c[i] != 0 && g[j] == c[i]) {
                ++clue.yellows;
                g[j] = 0;
                c[i] = 0;
            }
        }
    }
    clue.empties = 4 - clue.greens - clue.yellows;
    return clue;
}

} // namespace kalvex
