#include "net/inbound_queue.h"

#include <algorithm>
#include <utility>

namespace kalvex {

InboundQueue::InboundQueue(std::string initialLine, InboundLimits laneLimits) : limits(laneLimits)
{
    push(kNoConnection, std::move(initialLine));
}

void InboundQueue::push(ConnectionId connection, std::string &&line)
{
    Lane &lane = lanes[connection];
    if (lane.lines.empty())
        turns.push_back(connection);
    lane.bytes += line.size();
    lane.lines.push_back(std::move(line));
    ++total;
}

ReceiveResult InboundQueue::receive(ConnectionId connection, std::string_view bytes,
                                    const LineFilter &admit)
{
    auto framer = framers.find(connection);
    if (framer == framers.end())
        framer = framers.emplace(connection, LineFramer(limits.maxTail)).first;
    bool dropped = false;
    const bool withinCap = framer->second.cut(bytes, [&](std::string &&line) {
        if (admit && !admit(line))
            return;
        const auto lane = lanes.find(connection);
        const std::size_t lines = lane == lanes.end() ? 0 : lane->second.lines.size();
        const std::size_t queued = lane == lanes.end() ? 0 : lane->second.bytes;
        if (lines >= limits.maxLines || queued + line.size() > limits.maxBytes) {
            dropped = true;
            return;
        }
        push(connection, std::move(line));
    });
    return withinCap && !dropped ? ReceiveResult::Ok : ReceiveResult::Overflow;
}

InboundLine InboundQueue::take()
{
    if (turns.empty())
        return {};
    const ConnectionId connection = turns.front();
    turns.pop_front();
    const auto lane = lanes.find(connection);
    InboundLine line{connection, std::move(lane->second.lines.front())};
    lane->second.lines.pop_front();
    lane->second.bytes -= line.text.size();
    --total;
    if (lane->second.lines.empty())
        lanes.erase(lane);
    else
        turns.push_back(connection);
    return line;
}

void InboundQueue::forget(ConnectionId connection)
{
    framers.erase(connection);
}

void InboundQueue::discard(ConnectionId connection)
{
    forget(connection);
    const auto lane = lanes.find(connection);
    if (lane == lanes.end())
        return;
    total -= lane->second.lines.size();
    lanes.erase(lane);
    turns.erase(std::find(turns.begin(), turns.end(), connection));
}

std::size_t InboundQueue::queuedFor(ConnectionId connection) const
{
    const auto lane = lanes.find(connection);
    return lane == lanes.end() ? 0 : lane->second.lines.size();
}

} // namespace kalvex
