#pragma once
// Names compared without regard to letter case, in any script: UTF-8 text is
// compared code point by code point after simple case folding ("Émile" and
// "émile", "ΣΟΦΙΑ" and "σοφια" are one name). A byte that is not part of
// valid UTF-8 (a peer on a single-byte code page) compares as itself.

#include <cstddef>
#include <string_view>

namespace kalvex {

// The simple case folding of one code point (itself when it has none).
char32_t foldCase(char32_t c);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

// When `text` begins with `prefix` ignoring case, the length in bytes of
// that beginning of `text` (folding may change a character's byte length);
// otherwise std::string_view::npos.
std::size_t prefixLengthIgnoringCase(std::string_view text, std::string_view prefix);

} // namespace kalvex
