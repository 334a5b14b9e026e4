#pragma once
// The player's own board: twelve rows of four holes, a clue box and a value
// marker beside each row, the four code holes and the check button.

#include "net/game_vocabulary.h"

#include <array>
#include <string>

namespace kalvex {

// One position of a clue box.
enum class Peg
{
    None,
    Green,
    Yellow,
    Empty
};

struct Hole
{
    int colour = 0;
    bool open = false;
};

struct ClueBox
{
    bool visible = false;
    // Top left, top right, bottom left, bottom right.
    std::array<Peg, kRowHoles> pegs{};
};

// The letter of a row: 1 gives "a" .. 12 gives "l"; any other number "a".
std::string getletter(int row);

class Board
{
public:
    static bool validRow(int row) { return row >= 1 && row <= kBoardRows; }
    static bool validHole(int hole) { return hole >= 1 && hole <= kRowHoles; }

    const Hole &hole(int row, int position) const;
    const ClueBox &clueBox(int row) const;
    bool valueMarkerVisible(int row) const;
    // Colour number shown in code hole 1..4 (0 when cleared).
    int codeColour(int position) const;
    int checkRow() const { return checkButtonRow; }
    bool checkVisible() const { return checkButtonVisible; }
    // The row whose holes are open for entry, or 0.
    int openRow() const;

    // Every value marker shown, every clue box hidden, every hole blank and closed.
    void reset();
    void clearCode();
    // Four yellow balls in open holes, and the check button beside the row.
    void openForEntry(int row);
    // Hides the row's value marker and shows greens, yellows, then empties.
    void showClue(int row, int greens, int yellows, int empties);
    // Four green pegs; the value marker stays.
    void showSolved(int row);
    // Colour numbers outside 0..6 show as an empty hole.
    void showCode(const Code &colours);
    void hideValueMarker(int row);
    void setCheckButton(int row, bool visible);
    void hideCheckButton() { checkButtonVisible = false; }

    // Steps an open hole to its next colour (1..5 or 1..6, then back to 1).
    // Returns false when the hole is not open and nothing changed.
    bool cycle(int row, int position, bool sixColours);
    // Puts colour 1..5 (or 1..6 in a six colour game) in an open hole.
    // Returns false, changing nothing, for a closed hole or another colour.
    bool setColour(int row, int position, int colour, bool sixColours);
    // Closes the row's holes and returns their colours, holes 1 to 4.
    Code closeRow(int row);

private:
    Hole &holeAt(int row, int position);

    std::array<std::array<Hole, kRowHoles>, kBoardRows> holes{};
    std::array<ClueBox, kBoardRows> clues{};
    std::array<bool, kBoardRows> markers{};
    Code code{};
    int checkButtonRow = 1;
    bool checkButtonVisible = false;
};

} // namespace kalvex
