#include "client/name_mention.h"

namespace kalvex {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Letters, digits and every byte of a multi-byte character join a word.
bool wordByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' ||
           u >= 0x80;
}

bool sameAt(std::string_view text, std::size_t at, std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (lower(text[at + i]) != lower(name[i]))
            return false;
    }
    return true;
}

} // namespace

bool mentionsName(std::string_view line, std::string_view senderName, std::string_view name)
{
    if (name.empty())
        return false;
    if (!senderName.empty() && line.substr(0, senderName.size()) == senderName)
        line.remove_prefix(senderName.size());
    if (line.size() < name.size())
        return false;
    // A name that begins or ends with a sign ("[Ann]") is matched as it is.
    const bool wordStart = wordByte(name.front());
    const bool wordEnd = wordByte(name.back());
    for (std::size_t at = 0; at + name.size() <= line.size(); ++at) {
        if (!sameAt(line, at, name))
            continue;
        const bool startsWord = !wordStart || at == 0 || !wordByte(line[at - 1]);
        const std::size_t end = at + name.size();
        const bool endsWord = !wordEnd || end == line.size() || !wordByte(line[end]);
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

} // namespace kalvex
