#pragma once
// What the game server needs from its host: a way to answer connections, the
// game clock, the time of day for deadlines, and a source of random colours.

#include "net/inbound_queue.h"

#include <cstdint>
#include <string_view>

namespace kalvex {

// A ConnectionId names one accepted connection for as long as the server
// runs; a later connection in the same slot gets a new number, so lines that
// an earlier connection left in the queue never act for its successor.

// The server's answers. The host maps slots to its endpoints.
class ServerOutbox
{
public:
    virtual ~ServerOutbox() = default;
    // One whole message (or several, back to back) on the slot's connection.
    virtual void send(int slot, std::string_view bytes) = 0;
    // Closes the slot's connection; the host then reports the close back as
    // the connection's "Socket Closed".
    virtual void close(int slot) = 0;
    // Switches the one-second game clock. Enabling a clock that already runs
    // keeps its phase; only a disable followed by an enable restarts it.
    virtual void setClockEnabled(bool enabled) = 0;
    // Something a peer sent was dropped, or a connection was closed by a rule.
    virtual void log(std::string_view text) {}
};

// Milliseconds of a steady clock, for the login deadline.
class ServerClock
{
public:
    virtual ~ServerClock() = default;
    virtual std::int64_t nowMs() const = 0;
};

// Draws the secret code's colours.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A uniform number from 1 to colours.
    virtual int colour(int colours) = 0;
};

} // namespace kalvex
