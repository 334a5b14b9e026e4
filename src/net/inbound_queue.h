#pragma once
// The inbound queue: the messages received on one or more connections, one
// line each, taken one per dispatch tick. Each connection has a lane of its
// own and the lanes are served in turn, so a busy connection delays another
// by at most one tick per line of the other's; within a lane the lines keep
// their arrival order. With one connection this is a plain FIFO.

#include "net/line_framer.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
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
    // Decides, as a line arrives, whether it is queued at all; a line it
    // refuses is dropped at once and never takes a tick.
    using LineFilter = std::function<bool(std::string_view line)>;

    // The queue starts with one line that the dispatch passes over
    // ("receivedlist" on the client, an empty line on the server); it is
    // taken first.
    explicit InboundQueue(std::string initialLine, InboundLimits laneLimits = {});

    // Cuts the bytes one read delivered on a connection and appends each
    // complete message that `admit` accepts (every one without a filter) as a
    // line of the connection's lane; bytes after the last terminator wait for
    // the same connection's next read.
    ReceiveResult receive(ConnectionId connection, std::string_view bytes,
                          const LineFilter &admit = {});

    // Takes the oldest line of the lane whose turn it is; an empty queue
    // gives an empty line.
    InboundLine take();

    // The connection is gone: its unterminated tail is dropped. Its complete
    // lines stay queued and are handled in their turn.
    void forget(ConnectionId connection);
    // The connection is gone and nothing it sent matters any more: its tail
    // and its waiting lines are dropped.
    void discard(ConnectionId connection);

    bool empty() const { return total == 0; }
    std::size_t size() const { return total; }
    std::size_t queuedFor(ConnectionId connection) const;
    // Connections with lines waiting.
    std::size_t busyConnections() const { return turns.size(); }

private:
    struct Lane
    {
        std::deque<std::string> lines;
        std::size_t bytes = 0;
    };

    void push(ConnectionId connection, std::string &&line);

    InboundLimits limits;
    // Only connections with lines waiting have a lane.
    std::unordered_map<ConnectionId, Lane> lanes;
    // The connections with lines waiting, in the order they are served.
    std::deque<ConnectionId> turns;
    std::unordered_map<ConnectionId, LineFramer> framers;
    std::size_t total = 0;
};

} // namespace kalvex
