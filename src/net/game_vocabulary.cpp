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

std::optional<int> chatterSoundNumber(std::string_view name)
{
    constexpr std::string_view prefix = "wave";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2)
        return std::nullopt;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = name[i];
        if (c != prefix[i] && c != prefix[i] - 'a' + 'A')
            return std::nullopt;
    }
    const std::string_view digits = name.substr(prefix.size());
    if (digits.front() == '0')
        return std::nullopt;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > kChatterSoundCount)
        return std::nullopt;
    return n;
}

std::string chatterSoundName(int n)
{
    return "wave" + std::to_string(n);
}

} // namespace kalvex
