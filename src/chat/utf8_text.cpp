#include "chat/utf8_text.h"

namespace kalvex {

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::size_t utf8CharacterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    if (length > text.size() - at)
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(text[at + i]))
            return 1;
    }
    return length;
}

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // A character that starts at most three bytes before the cut and runs
    // past it goes whole.
    std::size_t start = maxBytes;
    while (start > 0 && maxBytes - start < 3 && isContinuation(text[start]))
        --start;
    if (start < maxBytes && start + utf8CharacterLength(text, start) > maxBytes)
        return text.substr(0, start);
    return text.substr(0, maxBytes);
}

std::size_t utf8BytesOfCharacters(std::string_view text, std::size_t count)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < count && at < text.size(); ++i)
        at += utf8CharacterLength(text, at);
    return at;
}

} // namespace kalvex
