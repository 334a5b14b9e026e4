#pragma once
// Cutting UTF-8 text between characters. A byte that does not start a whole,
// well-formed sequence (text of a single-byte code page) counts as one
// character of its own.

#include <cstddef>
#include <string_view>

namespace kalvex {

// Length in bytes of the character that starts at text[at].
std::size_t utf8CharacterLength(std::string_view text, std::size_t at);

// The longest start of text that holds at most maxBytes and ends between
// two characters.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

// How many bytes of text the first `count` characters take.
std::size_t utf8BytesOfCharacters(std::string_view text, std::size_t count);

} // namespace kalvex
