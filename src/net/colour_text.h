#pragma once
// Colour values (32 bits, 00BBGGRR) and their text form: a colour name such
// as "clRed" when the value equals that name's value exactly, otherwise "$"
// and eight upper-case hexadecimal digits.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kalvex {

using ColourValue = std::uint32_t;

inline constexpr ColourValue kColourBlack = 0x000000;
inline constexpr ColourValue kColourRed = 0x0000FF;
inline constexpr ColourValue kColourBlue = 0xFF0000;
inline constexpr ColourValue kColourNavy = 0x800000;

struct NamedColour
{
    std::string_view name;
    ColourValue value;
};

// Every colour name and its value: the sixteen plain colours, the system
// colours (0x80000000 upwards) and clNone. The first name whose value
// matches is the one written; every value is distinct.
std::span<const NamedColour> namedColours();

// "clBlack", "clRed", ... or "$00C0FFEE".
std::string colourToText(ColourValue value);
// Reads a colour name (any letter case), decimal digits, or "$" and
// hexadecimal digits (any case). Anything else gives nothing.
std::optional<ColourValue> textToColour(std::string_view text);

} // namespace kalvex
