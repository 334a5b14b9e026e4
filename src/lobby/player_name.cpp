#include "lobby/player_name.h"

namespace kalvex {

std::optional<std::string> playerNameProblem(std::string_view name)
{
    if (name.empty())
        return "Please enter your name first.";
    if (name.size() > kMaxPlayerNameBytes)
        return "Your name is too long: at most " + std::to_string(kMaxPlayerNameBytes) +
               " bytes, please.";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '+')
            return "A name cannot contain \"+\".";
        if (byte == 0xFF || byte < 0x20 || byte == 0x7F)
            return "A name cannot contain control characters.";
    }
    if (name.front() == ' ' || name.back() == ' ')
        return "A name cannot begin or end with a blank.";
    return std::nullopt;
}

} // namespace kalvex
