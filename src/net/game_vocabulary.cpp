#include "net/game_vocabulary.h"

namespace kalvex {

Clue judge(const Code &secret, const Code &guess)
{
    // A used peg becomes 0 on both sides, and 0 never matches: a used code
    // peg cannot match again, nor can a used or empty guess peg.
    Code c = secret;
    Code g = guess;
    Clue clue;
    for (int k = 0; k < kRowHoles; ++k) {
        if (g[k] != 0 && g[k] == c[k]) {
            ++clue.greens;
            g[k] = 0;
            c[k] = 0;
        }
    }
    for (int i = 0; i < kRowHoles; ++i) {
        for (int j = 0; j < kRowHoles && c[i] != 0; ++j) {
            if (j != i && g[j] == c[i]) {
                ++clue.yellows;
                g[j] = 0;
                c[i] = 0;
            }
        }
    }
    return clue;
}

std::string codeText(const Code &code)
{
    std::string text;
    for (int k = 0; k < kRowHoles; ++k) {
        if (k > 0)
            text += ' ';
        text += std::to_string(code[k]);
    }
    return text;
}

} // namespace kalvex
