#pragma once
// The games heard on the network: one entry per address and port, kept in
// the order they were first heard (a repeated announcement refreshes an
// entry in place, so the list does not jump), dropped when not heard for
// kForgetAfterMs. Times are milliseconds of any steady clock.

#include <cstdint>
#include <string>
#include <vector>

namespace kalvex {

struct FoundGame
{
    std::string address; // the sender's address, as text
    int port = 0;
    std::string hostName;
    std::int64_t lastHeardMs = 0;
};

class FoundGames
{
public:
    static constexpr std::int64_t kForgetAfterMs = 6000;
    // More entries than this are not kept: a flood of senders cannot grow the list.
    static constexpr std::size_t kMaxGames = 200;

    // An announcement arrived. True when the list changed in what it shows
    // (a new game, or a known one under another name).
    bool heard(const std::string &address, int port, const std::string &hostName,
               std::int64_t nowMs);
    // Drops what has not been heard for kForgetAfterMs; true when any went.
    bool forgetOld(std::int64_t nowMs);

    const std::vector<FoundGame> &games() const { return list; }
    const FoundGame *find(const std::string &address, int port) const;

private:
    std::vector<FoundGame> list;
};

// "now", "3 s ago", "1 min ago": how long ago a game was last heard, in the
// player's language.
std::string heardAgoText(std::int64_t lastHeardMs, std::int64_t nowMs);

} // namespace kalvex
