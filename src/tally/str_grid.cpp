#include "tally/str_grid.h"

#include "tally/file_io.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace kalvex {

namespace {

constexpr char kEndOfText = '\x1A';

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads the text of a grid file from the left, as lines ending at CR.
class GridReader
{
public:
    GridReader(std::string_view text, std::string_view name) : name(name)
    {
        const auto end = text.find(kEndOfText);
        left = end == std::string_view::npos ? text : text.substr(0, end);
    }

    // A count: blanks and line ends skipped, a decimal number, then the rest
    // of its line skipped.
    int count(const char *what)
    {
        std::size_t i = 0;
        while (i < left.size() && isBlank(left[i]))
            ++i;
        std::size_t end = i;
        while (end < left.size() && !isBlank(left[end]))
            ++end;
        const std::string_view token = left.substr(i, end - i);
        left.remove_prefix(end);
        skipLine();

        std::string_view digits = token;
        bool negative = false;
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
            negative = digits.front() == '-';
            digits.remove_prefix(1);
        }
        long long value = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (token.empty())
            throw GridFileError(std::string(name) + " : the " + what + " is missing");
        if (digits.empty() || digits.front() < '0' || digits.front() > '9' || ec != std::errc() ||
            ptr != digits.data() + digits.size())
            throw GridFileError(std::string(name) + " : the " + what + " '" + std::string(token) +
                                "' is not a valid integer value");
        if (negative && value != 0)
            value = -value;
        if (value <= 0)
            throw GridFileError(std::string(name) + " : the " + what + " must be 1 or more, not " +
                                std::string(token));
        if (value > kMaxGridCells)
            throw GridFileError(std::string(name) + " : the " + what + " " + std::string(token) +
                                " is too large");
        return static_cast<int>(value);
    }

    // The text up to the line end; empty once the text has ended.
    std::string line()
    {
        const auto cr = left.find('\r');
        const std::string_view text = left.substr(0, cr);
        left.remove_prefix(text.size());
        skipLineEnd();
        return std::string(text);
    }

private:
    void skipLine()
    {
        const auto cr = left.find('\r');
        left.remove_prefix(cr == std::string_view::npos ? left.size() : cr);
        skipLineEnd();
    }

    void skipLineEnd()
    {
        if (!left.empty() && left.front() == '\r')
            left.remove_prefix(1);
        if (!left.empty() && left.front() == '\n')
            left.remove_prefix(1);
    }

    std::string_view left;
    std::string_view name;
};

} // namespace

StrGrid::StrGrid(int colCount, int rowCount)
{
    resize(colCount, rowCount);
}

void StrGrid::setColCount(int count)
{
    resize(count, rows);
}

void StrGrid::setRowCount(int count)
{
    resize(cols, count);
}

std::size_t StrGrid::index(int col, int row) const
{
    if (col < 0 || col >= cols || row < 0 || row >= rows)
        throw std::out_of_range("StrGrid: cell outside the grid");
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) +
           static_cast<std::size_t>(col);
}

void StrGrid::resize(int newCols, int newRows)
{
    if (newCols < 1 || newRows < 1)
        throw std::invalid_argument("StrGrid: a grid has at least one column and one row");
    if (newCols == cols && !cells.empty()) {
        cells.resize(static_cast<std::size_t>(newCols) * static_cast<std::size_t>(newRows));
        rows = newRows;
        return;
    }
    std::vector<std::string> resized(static_cast<std::size_t>(newCols) *
                                     static_cast<std::size_t>(newRows));
    for (int r = 0; r < std::min(rows, newRows) && !cells.empty(); ++r)
        for (int c = 0; c < std::min(cols, newCols); ++c)
            resized[static_cast<std::size_t>(r) * newCols + c] = std::move(cell(c, r));
    cells = std::move(resized);
    cols = newCols;
    rows = newRows;
}

std::string gridCellText(std::string_view text)
{
    std::string cell(text);
    for (char &c : cell) {
        if (c == '\r' || c == '\n' || c == kEndOfText)
            c = ' ';
    }
    return cell;
}

std::string formatStrGrid(const StrGrid &grid)
{
    std::string text =
        std::to_string(grid.colCount()) + "\r\n" + std::to_string(grid.rowCount()) + "\r\n";
    for (int c = 0; c < grid.colCount(); ++c)
        for (int r = 0; r < grid.rowCount(); ++r) {
            text += gridCellText(grid.cell(c, r));
            text += "\r\n";
        }
    return text;
}

void parseStrGrid(StrGrid &grid, std::string_view text, std::string_view name)
{
    GridReader reader(text, name);
    const int cols = reader.count("column count");
    const int rows = reader.count("row count");
    if (static_cast<long long>(cols) * rows > kMaxGridCells)
        throw GridFileError(std::string(name) + " : the grid of " + std::to_string(cols) + " by " +
                            std::to_string(rows) + " cells is too large");
    StrGrid read(cols, rows);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            read.cell(c, r) = reader.line();
    grid = std::move(read);
}

void SaveStrGrid(const StrGrid &grid, const std::string &fileName)
{
    if (!writeWholeFile(fileName, formatStrGrid(grid)))
        throw GridFileError("Cannot write " + fileName + " : " + std::strerror(errno));
}

void LoadStrGrid(StrGrid &grid, const std::string &fileName)
{
    std::string text;
    if (!readWholeFile(fileName, text))
        throw GridFileError("Cannot read " + fileName + " : " + std::strerror(errno));
    parseStrGrid(grid, text, fileName);
}

} // namespace kalvex
