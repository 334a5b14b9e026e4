#pragma once
// The program's random colours: a Mersenne twister seeded once at start.

#include "server/server_ports.h"

#include <cstdint>
#include <random>

namespace kalvex {

class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(std::uint64_t seed) : engine(seed) {}
    // Seeded from the system clock.
    static std::uint64_t clockSeed();
    int colour(int colours) override;

private:
    std::mt19937_64 engine;
};

} // namespace kalvex
