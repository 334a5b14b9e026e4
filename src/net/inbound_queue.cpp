#include "net/inbound_queue.h"

#include <utility>

namespace kalvex {

InboundQueue::InboundQueue(std::string initialLine, InboundLimits limits) : limits(limits)
{
    lines.push_back({kNoConnection, std::move(initialLine)});
}

ReceiveResult InboundQueue::receive(ConnectionId connection, std::string_view bytes)
{
    auto framer = framers.find(connection);
    if (framer == framers.end())
        framer = framers.emplace(connection, LineFramer(limits.maxTail)).first;
    Share &share = shares[connection];
    bool dropped = false;
    const bool withinCap = framer->second.cut(bytes, [&](std::string &&line) {
        if (share.lines >= limits.maxLines || share.bytes + line.size() > limits.maxBytes) {
            dropped = true;
            return;
        }
        ++share.lines;
        share.bytes += line.size();
        lines.push_back({connection, std::move(line)});
    });
    if (share.lines == 0)
        shares.erase(connection);
    return withinCap && !dropped ? ReceiveResult::Ok : ReceiveResult::Overflow;
}

InboundLine InboundQueue::take()
{
    if (lines.empty())
        return {};
    InboundLine line = std::move(lines.front());
    lines.pop_front();
    if (line.connection != kNoConnection) {
        auto share = shares.find(line.connection);
        if (share != shares.end()) {
            --share->second.lines;
            share->second.bytes -= line.text.size();
            if (share->second.lines == 0)
                shares.erase(share);
        }
    }
    return line;
}

void InboundQueue::forget(ConnectionId connection)
{
    framers.erase(connection);
}

std::size_t InboundQueue::queuedFor(ConnectionId connection) const
{
    const auto share = shares.find(connection);
    return share == shares.end() ? 0 : share->second.lines;
}

} // namespace kalvex
