#pragma once
// The game's own words, shared by the server, the client and the computer
// player: how many seats, rows, holes and colours there are, a code of four
// colours, the clue a guess earns, and the one judgement that gives it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

// Player slots (seats) 1 to 10.
inline constexpr int kMaxPlayers = 10;
// Rows of a board, 1 to 12; a guess on row N scores 13 - N.
inline constexpr int kBoardRows = 12;
// Holes of a row and of the secret code, 1 to 4.
inline constexpr int kRowHoles = 4;
// Ball colours: 0 no ball, 1 yellow, 2 green, 3 blue, 4 red, 5 magenta, 6 cyan.
inline constexpr int kMaxColour = 6;

// The colours in play: 1 to 5, or 1 to 6 in a six colour game.
constexpr int colourCount(bool sixColours)
{
    return sixColours ? kMaxColour : kMaxColour - 1;
}

// Colour numbers of holes 1 to 4 at indexes 0 to 3: a secret code or a guess.
using Code = std::array<int, kRowHoles>;

// What a guess earns: greens (right colour, right hole), yellows (right
// colour, another hole), and empties for the rest.
struct Clue
{
    int greens = 0;
    int yellows = 0;

    int empties() const { return kRowHoles - greens - yellows; }
    bool solved() const { return greens == kRowHoles; }
    // A dense number for the clue, 0 to 24; the solved clue is kSolvedIndex.
    int index() const { return greens * (kRowHoles + 1) + yellows; }
    static Clue fromIndex(int index) { return {index / (kRowHoles + 1), index % (kRowHoles + 1)}; }
    bool operator==(const Clue &) const = default;
};

inline constexpr int kClueIndices = (kRowHoles + 1) * (kRowHoles + 1);
inline constexpr int kSolvedIndex = kRowHoles * (kRowHoles + 1);

// Greens first, then yellows taken code hole by code hole, each peg of the
// code and of the guess used at most once. The code holds colours 1 to 6
// only, so a guess colour outside them (0, negative, too large) matches
// nothing.
Clue judge(const Code &secret, const Code &guess);

// Chatter sounds are "wave1" to "wave20" on the wire and in the stored
// sounds: the sender writes the number in decimal without leading zeros.
inline constexpr int kChatterSoundCount = 20;
// "wave1" to "wave20" (the word in any letter case) give 1 to 20; anything
// else, "wave03" included, nothing.
std::optional<int> chatterSoundNumber(std::string_view name);
// "wave" followed by n.
std::string chatterSoundName(int n);

// "1 1 2 2" for a code; for tools and test messages.
std::string codeText(const Code &code);

} // namespace kalvex
