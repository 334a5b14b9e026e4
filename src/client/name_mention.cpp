#include "client/name_mention.h"

#include "net/text_case.h"

namespace kalvex {

namespace {

// Letters, digits and every byte of a multi-byte character join a word.
bool wordByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' ||
           u >= 0x80;
}

} // namespace

bool mentionsName(std::string_view line, std::string_view senderName, std::string_view name)
{
    if (name.empty())
        return false;
    if (!senderName.empty() && line.substr(0, senderName.size()) == senderName)
        line.remove_prefix(senderName.size());
    // A name that begins or ends with a sign ("[Ann]") is matched as it is.
    const bool wordStart = wordByte(name.front());
    const bool wordEnd = wordByte(name.back());
    for (std::size_t at = 0; at < line.size(); ++at) {
        // Letter case folds in any script, so a match may differ in length.
        const std::size_t length = prefixLengthIgnoringCase(line.substr(at), name);
        if (length == std::string_view::npos)
            continue;
        const bool startsWord = !wordStart || at == 0 || !wordByte(line[at - 1]);
        const std::size_t end = at + length;
        const bool endsWord = !wordEnd || end == line.size() || !wordByte(line[end]);
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

} // namespace kalvex
