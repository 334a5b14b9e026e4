#pragma once
// The tally: this player's own totals in row 0 of a 9-column table, and one
// row per followed opponent with four counters in total (columns 1 to 4) and
// four for this run (columns 5 to 8): games together, the opponent's wins,
// this player's wins, games won by a third player.

#include "tally/str_grid.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

// The winner argument of addgame when this client won.
inline constexpr std::string_view kAddToMine = "addtomine";
inline constexpr int kTallyColumns = 9;

// Own counters, row 0.
enum OwnColumn
{
    kGamesFinished = 1,
    kGamesWon = 2,
    kCodesCracked = 3,
    kRoundsPlayed = 4
};

class TallyModel
{
public:
    TallyModel();

    const StrGrid &table() const { return grid; }

    // Takes a table read from the tally file; the counters of this run start
    // again at 0. Throws GridFileError when the table has not 9 columns.
    void loadtally(StrGrid table);

    // Adds one to a counter cell and returns the new value. A cell that is
    // not a counter (a damaged file) counts as 0.
    int addit(int column, int row);
    // Adds one to an own counter (columns 1 to 4) and returns the new value.
    int addtomineincrease(int column);
    // A game ended: `winner` is kAddToMine or the winner's seat name;
    // `playersInGame` the seat names of the other seated players.
    void addgame(std::string_view winner, const std::vector<std::string> &playersInGame);

    int opponentCount() const { return grid.rowCount() - 1; }
    // Opponent i (from 0) is the name of table row i + 1.
    const std::string &opponentName(int index) const { return grid.cell(0, index + 1); }
    // Position of a tallied name (letter case of any script ignored), or -1.
    int findOpponent(std::string_view name) const;
    // Appends a row of zeros for a name not yet tallied; false when it is.
    // The row holds the name as the tally file can keep it (gridCellText),
    // and every lookup and the winner's comparison go by that form.
    bool addOpponent(std::string_view name);
    void removeOpponent(int index) { moverow(index + 1); }
    // Removes table row `row` (1 or more) by moving every later row up.
    void moverow(int row);
    // Back to zero totals and no opponents.
    void reset();

    const std::string &cell(int column, int row) const { return grid.cell(column, row); }
    // "Codes Cracked:" reads cracked "/" played, once anything set it.
    std::string codesCrackedText() const;

private:
    StrGrid grid;
    bool ownTotalsShown = false;
};

} // namespace kalvex
