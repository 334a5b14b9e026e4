#pragma once
// The server's table of player slots and the slot hand-out rule.

#include "net/game_vocabulary.h"
#include "server/server_ports.h"
#include "server/token_bucket.h"

#include <array>
#include <cstdint>
#include <string>

namespace kalvex {

// One slot's record. Score, row, roundpoints and timeused belong to the slot
// number, not to the connection: a later connection in the slot starts with
// them as they stand.
struct Player
{
    // Chat lines, actions and chatter sounds a connection may send: a burst,
    // then a steady rate a person typing or clicking never reaches.
    static constexpr int kChatterBurst = 10;
    static constexpr int kChatterPerSecond = 2;

    std::string name;
    bool connected = false;
    // The login of the connection now in the slot has been handled.
    bool loggedIn = false;
    // A login for this slot has arrived and waits in the queue: the lines
    // after it are queued too.
    bool loginQueued = false;
    // A line that arrived before the login was dropped (and logged, once).
    bool earlyLineDropped = false;
    TokenBucket chatter{kChatterBurst, kChatterPerSecond, 0};
    ConnectionId connection = 0;
    std::int64_t acceptedAtMs = 0;
    std::int64_t score = 0;
    bool watching = false;
    // 1 to 12: the row the next guess is judged as; 13: finished this round.
    int row = 0;
    std::int64_t roundpoints = 0;
    std::int64_t timeused = 0;
};

class PlayerTable
{
public:
    // The host's socket endpoints are still counted by this name.

    // Slots 1 to 10.
    Player &operator[](int slot) { return players[slot - 1]; }
    const Player &operator[](int slot) const { return players[slot - 1]; }
    static bool validSlot(int slot) { return slot >= 1 && slot <= kMaxPlayers; }

    // The highest slot handed out so far; it never goes down.
    int highslot() const { return high; }

    // The slot a new connection gets: the lowest free slot up to highslot,
    // else the next one above it (raising highslot); 0 when all ten are
    // taken. Marks nothing: the caller takes the slot with take().
    int freeSlot() const;
    void take(int slot, ConnectionId connection, std::int64_t nowMs);
    // The slot whose current or last connection is this one, or 0.
    int slotOf(ConnectionId connection) const;
    // The slot of this connection while it is connected, or 0.
    int connectedSlotOf(ConnectionId connection) const;

private:
    std::array<Player, kMaxPlayers> players{};
    int high = 0;
};

} // namespace kalvex
