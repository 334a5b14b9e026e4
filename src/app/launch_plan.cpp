#include "app/launch_plan.h"

#include <charconv>
#include <cstring>

namespace kalvex {

LaunchPlan planLaunch(const std::vector<std::string> &arguments)
{
    LaunchPlan plan;
    if (arguments.empty()) {
        plan.mode = LaunchMode::Solo;
        plan.loadingLine = kSoloLoadingLine;
        plan.playername = "You";
        plan.hostaddress = "127.0.0.1";
        plan.showDownload = true;
        return plan;
    }
    plan.loadingLine = kMultiLoadingLine;
    if (arguments.size() < 3)
        return plan;
    plan.playername = arguments[0];
    plan.hostaddress = arguments[1];
    plan.mode = arguments[2] == "true" ? LaunchMode::Host : LaunchMode::Join;
    plan.openLobbyLink = true;
    return plan;
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
