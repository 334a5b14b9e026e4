#pragma once
// The inbound queue: the messages received on one or more connections, one
// line each, in arrival order, taken one per dispatch tick.

#include "net/line_framer.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kalvex {

// Names the connection a line came on. The owner chooses the numbers; a
// number should not be reused for a later connection while lines of the
// earlier one may still wait in the queue.
using ConnectionId = std::uint64_t;
inline constexpr ConnectionId kNoConnection = 0;

struct InboundLine
{
    ConnectionId connection = kNoConnection;
    std::string text;
};

struct InboundLimits
{
    // Unterminated bytes kept per connection.
    std::size_t maxTail = LineFramer::kDefaultMaxTail;
    // Lines waiting per connection, and their bytes: a burst of a whole game
    // state is a few dozen lines, a lively chat a few per second.
    std::size_t maxLines = 4096;
    std::size_t maxBytes = 4 * 1024 * 1024;
};

enum class ReceiveResult
{
    Ok,
    // Something was dropped: an unterminated tail past its cap, or lines past
    // the connection's share of the queue. A server closes the connection.
    Overflow,
};

class InboundQueue
{
public:
    // The queue starts with one line that the dispatch passes over
    // ("receivedlist" on the client, an empty line on the server).
    explicit InboundQueue(std::string initialLine, InboundLimits limits = {});

    // Cuts the bytes one read delivered on a connection and appends each
    // complete message as a line; bytes after the last terminator wait for the
    // same connection's next read.
    ReceiveResult receive(ConnectionId connection, std::string_view bytes);

    // Takes the oldest line; an empty queue gives an empty line.
    InboundLine take();

    // The connection is gone: its unterminated tail is dropped. Its complete
    // lines stay queued and are handled in their turn.
    void forget(ConnectionId connection);

    bool empty() const { return lines.empty(); }
    std::size_t size() const { return lines.size(); }
    std::size_t queuedFor(ConnectionId connection) const;
    const std::deque<InboundLine> &pending() const { return lines; }

private:
    struct Share
    {
        std::size_t lines = 0;
        std::size_t bytes = 0;
    };

    InboundLimits limits;
    std::deque<InboundLine> lines;
    std::unordered_map<ConnectionId, LineFramer> framers;
    std::unordered_map<ConnectionId, Share> shares;
};

} // namespace kalvex
