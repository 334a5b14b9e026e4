#pragma once
// What the command line asks of a starting instance: a solo game, hosting,
// joining, or (with one or two arguments) nothing but the loading line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

enum class LaunchMode
{
    Solo,
    Host,
    Join,
    Incomplete
};

struct LaunchPlan
{
    LaunchMode mode = LaunchMode::Incomplete;
    // The system line shown first, with its "0+" slot marker, in the
    // player's language.
    std::string loadingLine;
    std::string playername;
    std::string hostaddress;
    // The lobby download window is shown (solo only).
    bool showDownload = false;
    // The connection to the local lobby program is opened (host and join).
    bool openLobbyLink = false;
};

// arguments: the command line without the program's own name. Argument 3
// hosts only when it is exactly "true"; arguments past the third are ignored.
LaunchPlan planLaunch(const std::vector<std::string> &arguments);

// The command line "--help" or "--version" (exactly one argument, exactly
// one of these words): the text the program prints on standard output
// before it ends. Any other command line gives nothing and starts the game.
std::optional<std::string> informationText(const std::vector<std::string> &arguments);

// A port number from an environment value, or the fallback when the value
// is absent or not a port number (1 to 65535).
int portFromText(const char *value, int fallback);

} // namespace kalvex
