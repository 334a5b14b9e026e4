// Reads arbitrary text as a grid file, and a grid that reads as a tally table
// as the tally: counting, removing and reporting must never fail on it.
#include "tally/str_grid.h"
#include "tally/tally_model.h"
#include "tally/tally_report.h"

#include <cstdlib>
#include <string>

using namespace kalvex;

namespace {

// A grid's text form reads back as the grid with every cell as written.
void checkRoundTrip(const StrGrid &grid)
{
    StrGrid written = grid;
    for (int c = 0; c < grid.colCount(); ++c)
        for (int r = 0; r < grid.rowCount(); ++r)
            written.cell(c, r) = gridCellText(grid.cell(c, r));
    StrGrid again;
    parseStrGrid(again, formatStrGrid(grid));
    if (!(again == written))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    // Any bytes as cells (names from a foreign host) are stored without
    // losing a cell.
    StrGrid raw(2, 2);
    for (int i = 0; i < 4; ++i)
        raw.cell(i % 2, i / 2) = std::string(text.substr(i * size / 4, size / 4));
    checkRoundTrip(raw);

    StrGrid grid;
    try {
        parseStrGrid(grid, text);
    } catch (const GridFileError &) {
        return 0;
    }
    // Large grids are read correctly or refused above; the rest is checked on
    // small ones, so that the fuzzer stays fast.
    if (static_cast<long long>(grid.colCount()) * grid.rowCount() > 4096)
        return 0;
    checkRoundTrip(grid);

    TallyModel tally;
    try {
        tally.loadtally(grid);
    } catch (const GridFileError &) {
        return 0;
    }
    tallyReport(tally.table());
    std::vector<std::string> players;
    for (int i = 0; i < tally.opponentCount() && i < 4; ++i)
        players.push_back(tally.opponentName(i));
    players.push_back("Zed");
    tally.addgame(players.empty() ? "addtomine" : players.front(), players);
    tally.addgame("addtomine", players);
    tally.addtomineincrease(3);
    tally.addOpponent("zed");
    if (tally.opponentCount() > 0)
        tally.removeOpponent(tally.opponentCount() - 1);
    if (tally.opponentCount() + 1 != tally.table().rowCount())
        std::abort();
    tally.reset();
    if (tally.table().rowCount() != 1)
        std::abort();
    return 0;
}
