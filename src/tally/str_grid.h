#pragma once
// A rectangle of text cells and its text file: the column count, the row
// count, then every cell column by column, each on its own CR LF line.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

// A grid file that cannot be read or written; what() is the text the user sees.
class GridFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// ColCount by RowCount cells, both at least 1; new cells are empty.
class StrGrid
{
public:
    StrGrid(int colCount = 1, int rowCount = 1);

    int colCount() const { return cols; }
    int rowCount() const { return rows; }
    // Resizing keeps the cells that stay inside the grid.
    void setColCount(int count);
    void setRowCount(int count);

    std::string &cell(int col, int row) { return cells[index(col, row)]; }
    const std::string &cell(int col, int row) const { return cells[index(col, row)]; }

    bool operator==(const StrGrid &) const = default;

private:
    std::size_t index(int col, int row) const;
    void resize(int newCols, int newRows);

    int cols = 1;
    int rows = 1;
    std::vector<std::string> cells; // row by row
};

// The largest grid a file may describe; far above any tally.
inline constexpr long long kMaxGridCells = 1 << 20;

// The text a cell is written as: bytes a line of the text form cannot carry
// (a line end, or the end-of-text mark 0x1A) become blanks, so that every
// cell reads back whole and no later cell or count is lost.
std::string gridCellText(std::string_view text);

// Writes every cell as gridCellText() gives it.
std::string formatStrGrid(const StrGrid &grid);
// Reads the text form. A text cut short gives empty cells; a count that is
// not a decimal integer, or is zero or below, or a grid too large, throws
// GridFileError naming `name`. The grid is changed only on success.
void parseStrGrid(StrGrid &grid, std::string_view text, std::string_view name = "<memory>");

// Writes the file whole or not at all; throws GridFileError on any failure.
void SaveStrGrid(const StrGrid &grid, const std::string &fileName);
// Throws GridFileError when the file cannot be read or is not a grid.
void LoadStrGrid(StrGrid &grid, const std::string &fileName);

} // namespace kalvex
