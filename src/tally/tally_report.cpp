#include "tally/tally_report.h"

#include "tally/tally_model.h"

#include <algorithm>
#include <vector>

namespace kalvex {

namespace {

// Characters on screen: UTF-8 continuation bytes take no room of their own.
std::size_t displayWidth(const std::string &text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string padded(const std::string &text, std::size_t width, bool right)
{
    const std::string fill(width - std::min(width, displayWidth(text)), ' ');
    return right ? fill + text : text + fill;
}

} // namespace

std::string tallyReport(const StrGrid &table)
{
    if (table.colCount() != kTallyColumns)
        throw GridFileError("This is not a tally table: it has " +
                            std::to_string(table.colCount()) + " columns instead of " +
                            std::to_string(kTallyColumns));
    std::string out = "Total Games:    " + table.cell(kGamesFinished, 0) + "\n" +
                      "Your Wins:      " + table.cell(kGamesWon, 0) + "\n" +
                      "Codes Cracked:  " + table.cell(kCodesCracked, 0) + "/" +
                      table.cell(kRoundsPlayed, 0) + "\n";
    if (table.rowCount() == 1)
        return out + "\nNo players are being tallied.\n";

    std::vector<std::vector<std::string>> rows = {{"Player", "Games", "Their Wins", "Your Wins",
                                                   "Neither Won", "Session Games", "Their Wins",
                                                   "Your Wins", "Neither Won"}};
    for (int r = 1; r < table.rowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < kTallyColumns; ++c)
            row.push_back(table.cell(c, r));
        rows.push_back(std::move(row));
    }
    std::vector<std::size_t> widths(kTallyColumns, 0);
    for (const auto &row : rows)
        for (int c = 0; c < kTallyColumns; ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));

    out += "\n";
    for (const auto &row : rows) {
        std::string line;
        for (int c = 0; c < kTallyColumns; ++c) {
            // Two blanks between columns, four before the session counts.
            line += c == 0 ? "" : c == 5 ? "    " : "  ";
            line += padded(row[c], widths[c], c != 0);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

} // namespace kalvex
