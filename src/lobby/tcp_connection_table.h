#pragma once
// Reading the kernel's table of TCP connections (/proc/net/tcp and
// /proc/net/tcp6): how many established connections a local port holds.
// The lobby counts the players at its hosted game this way, since the game
// tells the lobby nothing.

#include <string_view>

namespace kalvex {

// Established connections whose local end is `port`, in one table's text.
// Lines that are not well formed count for nothing.
int establishedConnectionsTo(std::string_view table, int port);

} // namespace kalvex
