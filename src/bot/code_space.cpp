#include "bot/code_space.h"

namespace kalvex::bot {

const CodeSpace &CodeSpace::forColours(int colours)
{
    static const CodeSpace five(5);
    static const CodeSpace six(6);
    return colours == 5 ? five : six;
}

CodeSpace::CodeSpace(int colours) : colourCount(colours), codeCount(1)
{
    for (int k = 0; k < kRowHoles; ++k)
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
    for (int k = kRowHoles - 1; k >= 0; --k) {
        result[k] = index % colourCount + 1;
        index /= colourCount;
    }
    return result;
}

int CodeSpace::index(const Code &code) const
{
    int result = 0;
    for (int k = 0; k < kRowHoles; ++k) {
        if (code[k] < 1 || code[k] > colourCount)
            return -1;
        result = result * colourCount + (code[k] - 1);
    }
    return result;
}

} // namespace kalvex::bot
