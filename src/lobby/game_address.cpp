#include "lobby/game_address.h"

#include <algorithm>

namespace kalvex {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<int> portNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5)
        return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535)
        return std::nullopt;
    return value;
}

bool hostNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool validHostName(std::string_view host)
{
    return !host.empty() && host.size() <= 253 && host.front() != '-' &&
           std::all_of(host.begin(), host.end(), hostNameCharacter);
}

bool validIpv6(std::string_view host)
{
    // Hex digits, colons, dots (an embedded IPv4 address) and a zone after "%".
    const std::size_t zone = host.find('%');
    const std::string_view address = host.substr(0, zone);
    if (address.size() < 2 || address.find(':') == std::string_view::npos)
        return false;
    const bool digitsOnly = std::all_of(address.begin(), address.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
               c == ':' || c == '.';
    });
    if (!digitsOnly)
        return false;
    return zone == std::string_view::npos || validHostName(host.substr(zone + 1));
}

} // namespace

std::optional<GameAddress> parseGameAddress(std::string_view text)
{
    return parseHostAndPort(text, kDefaultGamePort);
}

std::optional<GameAddress> parseHostAndPort(std::string_view text, int defaultPort)
{
    text = trimmed(text);
    if (text.empty())
        return std::nullopt;
    GameAddress result;
    result.port = defaultPort;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!validIpv6(host))
            return std::nullopt;
        if (!rest.empty()) {
            if (rest.front() != ':')
                return std::nullopt;
            const std::optional<int> port = portNumber(rest.substr(1));
            if (!port)
                return std::nullopt;
            result.port = *port;
        }
        result.host = std::string(host);
        return result;
    }
    const std::size_t colon = text.find(':');
    if (colon != std::string_view::npos && text.find(':', colon + 1) != std::string_view::npos) {
        // Two colons or more: an IPv6 address without brackets, hence without a port.
        if (!validIpv6(text))
            return std::nullopt;
        result.host = std::string(text);
        return result;
    }
    const std::string_view host = text.substr(0, colon);
    if (!validHostName(host))
        return std::nullopt;
    if (colon != std::string_view::npos) {
        const std::optional<int> port = portNumber(text.substr(colon + 1));
        if (!port)
            return std::nullopt;
        result.port = *port;
    }
    result.host = std::string(host);
    return result;
}

std::string displayAddress(const GameAddress &address)
{
    const bool v6 = address.host.find(':') != std::string::npos;
    std::string host = v6 ? "[" + address.host + "]" : address.host;
    if (address.port == kDefaultGamePort)
        return v6 ? host : address.host;
    return host + ":" + std::to_string(address.port);
}

} // namespace kalvex
