#include "app/launch_plan.h"

#include "net/message.h"
#include "net/shown_text.h"

#include <charconv>
#include <cstring>

namespace kalvex {

LaunchPlan planLaunch(const std::vector<std::string> &arguments)
{
    LaunchPlan plan;
    if (arguments.empty()) {
        plan.mode = LaunchMode::Solo;
        plan.loadingLine = "0+" + translate("LaunchPlan", "Loading Solo Game..Please wait.");
        // Sent as the login name: the same in every language.
        plan.playername = "You";
        plan.hostaddress = "127.0.0.1";
        plan.showDownload = true;
        return plan;
    }
    plan.loadingLine = "0+" + translate("LaunchPlan", "Loading Multi-player Game.. Please Wait.");
    if (arguments.size() < 3)
        return plan;
    plan.playername = arguments[0];
    plan.hostaddress = arguments[1];
    plan.mode = arguments[2] == "true" ? LaunchMode::Host : LaunchMode::Join;
    plan.openLobbyLink = true;
    return plan;
}

std::optional<std::string> informationText(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 1)
        return std::nullopt;
    if (arguments[0] == "--version")
        return "kalvex " + std::string(kVersion) + "\n";
    if (arguments[0] != "--help")
        return std::nullopt;
    return "Usage: kalvex [NAME HOST MODE]\n"
           "A code-breaking board game for up to ten players, with a chat.\n"
           "\n"
           "  kalvex                    play a solo game on this computer\n"
           "  kalvex NAME HOST true     host a game as NAME (HOST is remembered only)\n"
           "  kalvex NAME HOST join     join the game hosted at HOST as NAME\n"
           "                            (any third word other than \"true\" joins)\n"
           "  kalvex --help             show this help and end\n"
           "  kalvex --version          show the version and end\n"
           "\n"
           "Environment:\n"
           "  KALVEX_HOME        directory for the settings, the tally and downloads\n"
           "  KALVEX_PORT        game port (default 7772)\n"
           "  KALVEX_LOBBY_PORT  local lobby port (default 9001)\n";
}

int portFromText(const char *value, int fallback)
{
    if (value == nullptr)
        return fallback;
    const char *end = value + std::strlen(value);
    int port = 0;
    const auto [rest, error] = std::from_chars(value, end, port);
    if (error != std::errc() || rest != end || port < 1 || port > 65535)
        return fallback;
    return port;
}

} // namespace kalvex
