#pragma once
// The tally table as aligned plain text, for the tally file tool.

#include "tally/str_grid.h"

#include <string>

namespace kalvex {

// Own totals on the first lines, then one line per opponent with the totals
// and the counts of the run the file was stored in. Throws GridFileError when
// the table is not a tally table.
std::string tallyReport(const StrGrid &table);

} // namespace kalvex
