#include "server/player_table.h"

namespace kalvex {

int PlayerTable::freeSlot() const
{
    if (high == 0)
        return 1;
    int i = 1;
    while (i < high && (*this)[i].connected)
        ++i;
    if (!(*this)[i].connected)
        return i;
    return i < kMaxPlayers ? high + 1 : 0;
}

void PlayerTable::take(int slot, ConnectionId connection, std::int64_t nowMs)
{
    if (slot > high)
        high = slot;
    Player &p = (*this)[slot];
    p.connected = true;
    p.loggedIn = false;
    p.loginQueued = false;
    p.earlyLineDropped = false;
    p.chatter = TokenBucket(Player::kChatterBurst, Player::kChatterPerSecond, nowMs);
    p.connection = connection;
    p.acceptedAtMs = nowMs;
}

int PlayerTable::slotOf(ConnectionId connection) const
{
    if (connection == 0)
        return 0;
    for (int slot = 1; slot <= high; ++slot) {
        if ((*this)[slot].connection == connection)
            return slot;
    }
    return 0;
}

int PlayerTable::connectedSlotOf(ConnectionId connection) const
{
    const int slot = slotOf(connection);
    return slot != 0 && (*this)[slot].connected ? slot : 0;
}

} // namespace kalvex
