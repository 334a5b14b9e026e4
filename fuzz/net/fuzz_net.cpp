// Received bytes of three connections, cut into reads of varying size, go
// through the inbound queue; every line is then read as a message. Checks:
// no line holds a terminator, each connection's lines come out in its own
// order and, while nothing overflowed, they are exactly its stream's
// messages; the queue never holds more than its caps allow.

#include "net/colour_text.h"
#include "net/commands.h"
#include "net/dispatch.h"
#include "net/inbound_queue.h"
#include "net/message.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kalvex;

namespace {

void readMessage(const std::string &line)
{
    dispatchLine(line, kServerCommands, [](std::size_t, std::string_view remainder) {
        FieldReader reader(remainder);
        int value = 0;
        for (int i = 0; i < 12 && !reader.atEnd(); ++i) {
            const std::string_view field = reader.text();
            tryStrToInt(field, value);
            if (const auto colour = textToColour(field)) {
                if (textToColour(colourToText(*colour)) != colour)
                    std::abort();
            }
        }
        const std::string_view rest = reader.rest();
        const auto bar = rest.find('|');
        if (bar != std::string_view::npos)
            textToColour(rest.substr(bar + 1));
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    constexpr InboundLimits limits{64, 8, 256};
    InboundQueue queue("", limits);
    queue.take();
    std::array<std::string, 3> streams;
    std::array<std::vector<std::string>, 3> taken;
    bool overflow = false;

    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t control = data[i++];
        const int connection = control % 3;
        const std::size_t length = std::min<std::size_t>(control / 3 % 40, size - i);
        const std::string bytes(reinterpret_cast<const char *>(data + i), length);
        i += length;
        streams[connection] += bytes;
        if (queue.receive(connection + 1, bytes) == ReceiveResult::Overflow)
            overflow = true;
        if (queue.queuedFor(connection + 1) > limits.maxLines)
            std::abort();
        // Now and then the dispatch takes a line.
        if (control & 0x80) {
            const InboundLine line = queue.take();
            if (line.text.find('\xFF') != std::string::npos)
                std::abort();
            if (line.connection != kNoConnection)
                taken[line.connection - 1].push_back(line.text);
            readMessage(line.text);
        }
    }
    while (!queue.empty()) {
        const InboundLine line = queue.take();
        if (line.text.find('\xFF') != std::string::npos || line.connection == kNoConnection)
            std::abort();
        taken[line.connection - 1].push_back(line.text);
        readMessage(line.text);
    }
    if (!overflow) {
        for (std::size_t c = 0; c < streams.size(); ++c) {
            std::string joined;
            for (const std::string &line : taken[c])
                joined += line + '\xFF';
            const auto lastTerminator = streams[c].rfind('\xFF');
            const std::string complete =
                lastTerminator == std::string::npos ? "" : streams[c].substr(0, lastTerminator + 1);
            if (joined != complete)
                std::abort();
        }
    }
    return 0;
}
