#include "lobby/player_name.h"

#include "net/shown_text.h"

namespace kalvex {

std::optional<std::string> playerNameProblem(std::string_view name)
{
    if (name.empty())
        return translate("PlayerName", "Please enter your name first.");
    if (name.size() > kMaxPlayerNameBytes)
        return withArgs(translate("PlayerName", "Your name is too long: at most %1 bytes, please."),
                        {std::to_string(kMaxPlayerNameBytes)});
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '+')
            return translate("PlayerName", "A name cannot contain \"+\".");
        if (byte == 0xFF || byte < 0x20 || byte == 0x7F)
            return translate("PlayerName", "A name cannot contain control characters.");
    }
    if (name.front() == ' ' || name.back() == ' ')
        return translate("PlayerName", "A name cannot begin or end with a blank.");
    return std::nullopt;
}

} // namespace kalvex
