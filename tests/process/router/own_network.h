#pragma once
// The test binary's own network namespace, entered before main() while the
// process still has a single thread (a user namespace is made too when not
// run as root).

#include <string>

namespace kalvex::test {

struct OwnNetwork
{
    bool entered = false;
    std::string failure; // why not, when not entered
};

const OwnNetwork &ownNetwork();

} // namespace kalvex::test
