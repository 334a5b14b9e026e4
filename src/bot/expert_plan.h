#pragma once
// The expert's guessing plans, made by tools/solver-search and compiled in.

#include <cstdint>
#include <span>

namespace kalvex::bot {

// The preorder list of a DecisionTree over every code of a five or six colour
// game; empty for any other number of colours.
std::span<const std::uint16_t> expertPlan(int colours);

} // namespace kalvex::bot
