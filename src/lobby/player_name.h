#pragma once
// The rules for a player's name as the lobby hands it to the game and
// announces it: the game's wire format cuts fields at "+" and messages at the
// byte 0xFF, so neither may appear, nor may control characters.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

// Longer names are refused: they would not fit a discovery datagram.
inline constexpr std::size_t kMaxPlayerNameBytes = 32;

// Why a name cannot be used, as a sentence for the user in his language;
// nothing when it can.
std::optional<std::string> playerNameProblem(std::string_view name);

} // namespace kalvex
