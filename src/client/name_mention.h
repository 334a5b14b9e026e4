#pragma once
// Whether a relayed chat or action line names this client's player.

#include <string_view>

namespace kalvex {

// `line` is the shown text of a relayed line (the sender's name first, the
// colour part already cut off). True when `name` stands in what follows the
// sender's name as a whole word, in any letter case of any script: "ann" and
// "Ann!" name "Ann", "ÉMILE" names "émile", "Annabel" does not. An empty name
// is never mentioned.
bool mentionsName(std::string_view line, std::string_view senderName, std::string_view name);

} // namespace kalvex
