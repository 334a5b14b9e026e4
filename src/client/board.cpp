#include "client/board.h"

namespace kalvex {

namespace {

std::size_t rowIndex(int row)
{
    return static_cast<std::size_t>(Board::validRow(row) ? row - 1 : 0);
}

std::size_t holeIndex(int position)
{
    return static_cast<std::size_t>(Board::validHole(position) ? position - 1 : 0);
}

} // namespace

std::string getletter(int row)
{
    if (!Board::validRow(row))
        return "a";
    return std::string(1, static_cast<char>('a' + row - 1));
}

const Hole &Board::hole(int row, int position) const
{
    return holes[rowIndex(row)][holeIndex(position)];
}

Hole &Board::holeAt(int row, int position)
{
    return holes[rowIndex(row)][holeIndex(position)];
}

const ClueBox &Board::clueBox(int row) const
{
    return clues[rowIndex(row)];
}

bool Board::valueMarkerVisible(int row) const
{
    return markers[rowIndex(row)];
}

int Board::codeColour(int position) const
{
    return code[holeIndex(position)];
}

int Board::openRow() const
{
    for (int row = 1; row <= kBoardRows; ++row) {
        if (holes[rowIndex(row)][0].open)
            return row;
    }
    return 0;
}

void Board::reset()
{
    for (std::size_t r = 0; r < kBoardRows; ++r) {
        markers[r] = true;
        clues[r] = ClueBox{};
        holes[r].fill(Hole{});
    }
}

void Board::clearCode()
{
    code.fill(0);
}

void Board::openForEntry(int row)
{
    if (!validRow(row))
        return;
    // Only one row is open at a time.
    for (auto &line : holes) {
        for (Hole &h : line)
            h.open = false;
    }
    for (Hole &h : holes[rowIndex(row)])
        h = Hole{1, true};
    setCheckButton(row, true);
}

void Board::showClue(int row, int greens, int yellows, int empties)
{
    if (!validRow(row))
        return;
    markers[rowIndex(row)] = false;
    ClueBox &box = clues[rowIndex(row)];
    box.pegs.fill(Peg::None);
    std::size_t position = 0;
    auto put = [&](int count, Peg peg) {
        for (int i = 0; i < count && position < box.pegs.size(); ++i)
            box.pegs[position++] = peg;
    };
    put(greens, Peg::Green);
    put(yellows, Peg::Yellow);
    put(empties, Peg::Empty);
    box.visible = true;
}

void Board::showSolved(int row)
{
    if (!validRow(row))
        return;
    ClueBox &box = clues[rowIndex(row)];
    box.pegs.fill(Peg::Green);
    box.visible = true;
}

void Board::showCode(const Code &colours)
{
    for (std::size_t i = 0; i < code.size(); ++i)
        code[i] = colours[i] >= 0 && colours[i] <= kMaxColour ? colours[i] : 0;
}

void Board::hideValueMarker(int row)
{
    if (validRow(row))
        markers[rowIndex(row)] = false;
}

void Board::setCheckButton(int row, bool visible)
{
    checkButtonRow = row;
    checkButtonVisible = visible;
}

bool Board::cycle(int row, int position, bool sixColours)
{
    if (!validRow(row) || !validHole(position))
        return false;
    Hole &h = holeAt(row, position);
    if (!h.open)
        return false;
    const int last = colourCount(sixColours);
    h.colour = h.colour + 1 > last ? 1 : h.colour + 1;
    return true;
}

bool Board::setColour(int row, int position, int colour, bool sixColours)
{
    if (!validRow(row) || !validHole(position) || colour < 1 || colour > colourCount(sixColours))
        return false;
    Hole &h = holeAt(row, position);
    if (!h.open)
        return false;
    h.colour = colour;
    return true;
}

Code Board::closeRow(int row)
{
    Code guess{};
    for (int position = 1; position <= kRowHoles; ++position) {
        Hole &h = holeAt(row, position);
        guess[static_cast<std::size_t>(position - 1)] = h.colour;
        h.open = false;
    }
    return guess;
}

} // namespace kalvex
