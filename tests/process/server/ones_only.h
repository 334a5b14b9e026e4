#pragma once
// A code source for tests over the wire: every code is 1 1 1 1.

#include "server/server_ports.h"

namespace kalvex::test {

class OnesOnly : public RandomSource
{
public:
    int colour(int) override { return 1; }
};

} // namespace kalvex::test
