#pragma once
// Letter case of the ASCII letters only, for the program's own fixed words
// (colour names, settings sections and keys): bytes above 0x7F are never
// folded. Players' names are compared with text_case.h.

#include <cstddef>
#include <string_view>

namespace kalvex {

constexpr char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

} // namespace kalvex
