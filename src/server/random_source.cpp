#include "server/random_source.h"

#include <chrono>

namespace kalvex {

std::uint64_t SeededRandom::clockSeed()
{
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

int SeededRandom::colour(int colours)
{
    std::uniform_int_distribution<int> pick(1, colours);
    return pick(engine);
}

} // namespace kalvex
