#pragma once
// Every code of a game with five or six colours, and the table of the clue
// of every guess against every secret.

#include "net/game_vocabulary.h"

#include <cstdint>
#include <vector>

namespace kalvex::bot {

// Every code of a game with a given number of colours, numbered 0 to
// colours^4 - 1 (hole 1 is the most significant digit), and the clue of every
// pair of them.
class CodeSpace
{
public:
    // The shared space of a five or six colour game; anything else gets six.
    static const CodeSpace &forColours(int colours);

    explicit CodeSpace(int colours);

    int colours() const { return colourCount; }
    int size() const { return codeCount; }
    Code code(int index) const;
    // -1 for a code with a colour outside 1 to colours().
    int index(const Code &code) const;
    // The clue index of a guess against a secret, both given by number.
    int clue(int secret, int guess) const { return table[secret * codeCount + guess]; }

private:
    int colourCount;
    int codeCount;
    std::vector<std::uint8_t> table;
};

} // namespace kalvex::bot
