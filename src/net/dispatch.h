#pragma once
// Hands a received line to the handlers of the command words it matches.

#include "net/message.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace kalvex {

// Compares the line's command word with every name of the catalogue, in
// order and with no early exit, and calls handler(index, remainder) for each
// exact, case-sensitive match. A line without "+" (empty command word) calls
// nothing. Returns the number of handlers called.
template <std::size_t N, typename Handler>
int dispatchLine(std::string_view line, const std::array<std::string_view, N> &catalogue,
                 Handler &&handler)
{
    const CommandLine parts = splitCommand(line);
    if (parts.command.empty())
        return 0;
    int called = 0;
    for (std::size_t i = 0; i < N; ++i) {
        if (parts.command == catalogue[i]) {
            handler(i, parts.remainder);
            ++called;
        }
    }
    return called;
}

// The position of a name in its catalogue, for the case labels of a
// handler's switch. A name the catalogue lacks does not compile there (and
// throws if it is ever looked up while the program runs).
template <std::size_t N>
constexpr std::size_t commandIndex(const std::array<std::string_view, N> &catalogue,
                                   std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (catalogue[i] == name)
            return i;
    }
    throw std::invalid_argument("a command word outside the catalogue");
}

} // namespace kalvex
