#pragma once
// GameAdvert: what a lobby that hosts a game tells the internet room about
// it, carried in the host's room presence.

#include <string>

namespace kalvex {

struct GameAdvert
{
    std::string hostName;
    // Where players on the internet reach the game; empty when no address
    // reachable from outside is known (the game is then listed as "not
    // reachable from outside" and cannot be joined from the room).
    std::string address;
    int port = 0;
    int seated = 0;
    bool running = false;
    std::string programVersion;

    bool reachable() const { return !address.empty(); }
    bool operator==(const GameAdvert &) const = default;
};

} // namespace kalvex
