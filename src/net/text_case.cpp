#include "net/text_case.h"

#include "net/case_folding_table.h"

#include <algorithm>
#include <cstdint>

namespace kalvex {

namespace {

// A byte outside valid UTF-8 becomes a unit no code point can equal.
constexpr std::uint32_t kRawByte = 0x80000000u;

struct Unit
{
    std::uint32_t value;
    std::size_t length;
};

// The code point that starts at `at`, or the byte itself as a raw unit when
// no valid UTF-8 sequence starts there (overlong forms, surrogates and
// values past U+10FFFF included).
Unit decodeAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    std::uint32_t value = 0;
    std::uint32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        return {kRawByte | lead, 1};
    }
    if (at + length > text.size())
        return {kRawByte | lead, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {kRawByte | lead, 1};
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {kRawByte | lead, 1};
    return {value, length};
}

Unit foldedAt(std::string_view text, std::size_t at)
{
    Unit unit = decodeAt(text, at);
    if ((unit.value & kRawByte) == 0)
        unit.value = foldCase(unit.value);
    return unit;
}

} // namespace

char32_t foldCase(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
    const auto &table = case_folding::kTable;
    const auto *found =
        std::lower_bound(std::begin(table), std::end(table), static_cast<std::uint32_t>(c),
                         [](const case_folding::Fold &f, std::uint32_t cp) { return f.from < cp; });
    return found != std::end(table) && found->from == c ? found->to : c;
}

std::size_t prefixLengthIgnoringCase(std::string_view text, std::string_view prefix)
{
    std::size_t t = 0;
    std::size_t p = 0;
    while (p < prefix.size()) {
        if (t >= text.size())
            return std::string_view::npos;
        const Unit want = foldedAt(prefix, p);
        const Unit have = foldedAt(text, t);
        if (want.value != have.value)
            return std::string_view::npos;
        p += want.length;
        t += have.length;
    }
    return t;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return prefixLengthIgnoringCase(a, b) == a.size();
}

} // namespace kalvex
