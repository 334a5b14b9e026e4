#include "lobby/tcp_connection_table.h"

#include <charconv>

namespace kalvex {

namespace {

constexpr std::string_view kEstablished = "01";

// The next blank-separated word of `text` from `at`, moving `at` past it.
std::string_view nextWord(std::string_view text, std::size_t &at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    const std::size_t start = at;
    while (at < text.size() && text[at] != ' ' && text[at] != '\t')
        ++at;
    return text.substr(start, at - start);
}

// The port of an "ADDRESSHEX:PORTHEX" field, or -1.
int portOf(std::string_view endpoint)
{
    const std::size_t colon = endpoint.rfind(':');
    if (colon == std::string_view::npos || colon + 1 >= endpoint.size() ||
        endpoint.size() - colon - 1 > 4)
        return -1;
    int port = 0;
    const char *first = endpoint.data() + colon + 1;
    const char *last = endpoint.data() + endpoint.size();
    const auto [end, error] = std::from_chars(first, last, port, 16);
    return error == std::errc() && end == last ? port : -1;
}

} // namespace

int establishedConnectionsTo(std::string_view table, int port)
{
    int count = 0;
    std::size_t lineStart = 0;
    while (lineStart < table.size()) {
        std::size_t lineEnd = table.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = table.size();
        const std::string_view line = table.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        std::size_t at = 0;
        const std::string_view slot = nextWord(line, at);
        if (slot.empty() || slot.back() != ':')
            continue; // the heading
        const std::string_view local = nextWord(line, at);
        nextWord(line, at); // the remote end
        const std::string_view state = nextWord(line, at);
        if (state == kEstablished && portOf(local) == port)
            ++count;
    }
    return count;
}

} // namespace kalvex
