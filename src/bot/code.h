#pragma once
// Codes of four holes, the clue a guess earns against a code, and the table
// of every clue of a game with five or six colours.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvex::bot {

inline constexpr int kHoles = 4;

// Colour numbers of holes 1 to 4 (1 yellow ... 6 cyan).
using Code = std::array<int, kHoles>;

struct Clue
{
    int greens = 0;
    int yellows = 0;

    int empties() const { return kHoles - greens - yellows; }
    bool solved() const { return greens == kHoles; }
    // A dense number for the clue, 0 to 24; the solved clue is kSolvedIndex.
    int index() const { return greens * 5 + yellows; }
    static Clue fromIndex(int index) { return {index / 5, index % 5}; }
    bool operator==(const Clue &) const = default;
};

inline constexpr int kClueIndices = 25;
inline constexpr int kSolvedIndex = kHoles * 5;

// Judges a guess as the server does: greens first, then yellows, each peg of
// the code and of the guess used at most once. A colour 0 never matches.
Clue judge(const Code &secret, const Code &guess);

// "1 1 2 2" for a code; used by tools and messages.
std::string codeText(const Code &code);

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
