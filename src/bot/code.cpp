#include "bot/code.h"

namespace kalvex::bot {

Clue judge(const Code &secret, const Code &guess)
{
    Code c = secret;
    Code g = guess;
    Clue clue;
    for (int k = 0; k < kHoles; ++k) {
        if (g[k] != 0 && g[k] == c[k]) {
            ++clue.greens;
            g[k] = 0;
            c[k] = 0;
        }
    }
    for (int i = 0; i < kHoles; ++i) {
        for (int j = 0; j < kHoles && c[i] != 0; ++j) {
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
    for (int k = 0; k < kHoles; ++k) {
        if (k > 0)
            text += ' ';
        text += std::to_string(code[k]);
    }
    return text;
}

const CodeSpace &CodeSpace::forColours(int colours)
{
    static const CodeSpace five(5);
    static const CodeSpace six(6);
    return colours == 5 ? five : six;
}

CodeSpace::CodeSpace(int colours) : colourCount(colours), codeCount(1)
{
    for (int k = 0; k < kHoles; ++k)
        codeCount *= colourCount;
    table.resize(static_cast<std::size_t>(codeCount) * codeCount);
    std::vector<Code> codes(codeCount);
    for (int i = 0; i < codeCount; ++i)
        codes[i] = code(i);
    for (int s = 0; s < codeCount; ++s)
        for (int g = 0; g < codeCount; ++g)
            table[s * codeCount + g] = static_cast<std::uint8_t>(judge(codes[s], codes[g]).index());
}

Code CodeSpace::code(int index) const
{
    Code result{};
    for (int k = kHoles - 1; k >= 0; --k) {
        result[k] = index % colourCount + 1;
        index /= colourCount;
    }
    return result;
}

int CodeSpace::index(const Code &code) const
{
    int result = 0;
    for (int k = 0; k < kHoles; ++k) {
        if (code[k] < 1 || code[k] > colourCount)
            return -1;
        result = result * colourCount + (code[k] - 1);
    }
    return result;
}

} // namespace kalvex::bot
