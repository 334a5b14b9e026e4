#include "lobby/found_games.h"

#include "net/shown_text.h"

#include <algorithm>

namespace kalvex {

bool FoundGames::heard(const std::string &address, int port, const std::string &hostName,
                       std::int64_t nowMs)
{
    for (FoundGame &game : list) {
        if (game.address == address && game.port == port) {
            game.lastHeardMs = nowMs;
            if (game.hostName == hostName)
                return false;
            game.hostName = hostName;
            return true;
        }
    }
    if (list.size() >= kMaxGames)
        return false;
    list.push_back({address, port, hostName, nowMs});
    return true;
}

bool FoundGames::forgetOld(std::int64_t nowMs)
{
    const auto old = [nowMs](const FoundGame &game) {
        return nowMs - game.lastHeardMs >= kForgetAfterMs;
    };
    const std::size_t before = list.size();
    list.erase(std::remove_if(list.begin(), list.end(), old), list.end());
    return list.size() != before;
}

const FoundGame *FoundGames::find(const std::string &address, int port) const
{
    for (const FoundGame &game : list) {
        if (game.address == address && game.port == port)
            return &game;
    }
    return nullptr;
}

std::string heardAgoText(std::int64_t lastHeardMs, std::int64_t nowMs)
{
    const std::int64_t seconds = std::max<std::int64_t>(0, (nowMs - lastHeardMs) / 1000);
    if (seconds < 1)
        return translate("FoundGames", "now");
    if (seconds < 60)
        return withArgs(translate("FoundGames", "%1 s ago"), {std::to_string(seconds)});
    return withArgs(translate("FoundGames", "%1 min ago"), {std::to_string(seconds / 60)});
}

} // namespace kalvex
