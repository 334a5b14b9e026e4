#include "tally/tally_model.h"

#include "net/text_case.h"

#include <charconv>
#include <limits>

namespace kalvex {

namespace {

int counterValue(const std::string &text)
{
    int value = 0;
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return 0;
    return value;
}

void fillRow(StrGrid &grid, int row, std::string_view name)
{
    grid.cell(0, row) = gridCellText(name);
    for (int c = 1; c < kTallyColumns; ++c)
        grid.cell(c, row) = "0";
}

} // namespace

TallyModel::TallyModel() : grid(kTallyColumns, 1)
{
    fillRow(grid, 0, "0");
}

void TallyModel::loadtally(StrGrid table)
{
    if (table.colCount() != kTallyColumns)
        throw GridFileError("The tally table has " + std::to_string(table.colCount()) +
                            " columns instead of " + std::to_string(kTallyColumns));
    grid = std::move(table);
    for (int r = 1; r < grid.rowCount(); ++r)
        for (int c = 5; c <= 8; ++c)
            grid.cell(c, r) = "0";
    ownTotalsShown = true;
}

int TallyModel::addit(int column, int row)
{
    int value = counterValue(grid.cell(column, row));
    if (value < std::numeric_limits<int>::max())
        ++value;
    grid.cell(column, row) = std::to_string(value);
    return value;
}

int TallyModel::addtomineincrease(int column)
{
    const int value = addit(column, 0);
    if (column == kCodesCracked || column == kRoundsPlayed)
        ownTotalsShown = true;
    return value;
}

void TallyModel::addgame(std::string_view winner, const std::vector<std::string> &playersInGame)
{
    addtomineincrease(kGamesFinished);
    if (winner == kAddToMine)
        addtomineincrease(kGamesWon);
    for (const std::string &name : playersInGame) {
        const int index = findOpponent(name);
        if (index < 0)
            continue;
        const int row = index + 1;
        for (int c = 1; c < kTallyColumns; ++c)
            if (grid.cell(c, row).empty())
                grid.cell(c, row) = "0";
        addit(1, row);
        addit(5, row);
        if (grid.cell(0, row) == gridCellText(winner)) {
            addit(2, row);
            addit(6, row);
        } else if (winner == kAddToMine) {
            addit(3, row);
            addit(7, row);
        } else {
            addit(4, row);
            addit(8, row);
        }
    }
}

int TallyModel::findOpponent(std::string_view name) const
{
    // Rows hold names as the tally file can keep them.
    const std::string stored = gridCellText(name);
    for (int i = 0; i < opponentCount(); ++i)
        if (equalsIgnoringCase(opponentName(i), stored))
            return i;
    return -1;
}

bool TallyModel::addOpponent(std::string_view name)
{
    if (findOpponent(name) >= 0)
        return false;
    const int row = grid.rowCount();
    grid.setRowCount(row + 1);
    fillRow(grid, row, name);
    return true;
}

void TallyModel::moverow(int row)
{
    if (row < 1 || row >= grid.rowCount())
        return;
    for (int r = row; r < grid.rowCount() - 1; ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            grid.cell(c, r) = std::move(grid.cell(c, r + 1));
    if (grid.rowCount() > 1)
        grid.setRowCount(grid.rowCount() - 1);
}

void TallyModel::reset()
{
    for (int c = 1; c <= 4; ++c)
        grid.cell(c, 0) = "0";
    if (grid.rowCount() > 1)
        for (int r = 0; r < grid.rowCount(); ++r)
            fillRow(grid, r, "");
    grid.setRowCount(1);
    ownTotalsShown = true;
}

std::string TallyModel::codesCrackedText() const
{
    if (!ownTotalsShown)
        return "0";
    return grid.cell(kCodesCracked, 0) + "/" + grid.cell(kRoundsPlayed, 0);
}

} // namespace kalvex
