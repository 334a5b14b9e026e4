#include "lobby/rejoin_offer.h"

namespace kalvex {

void RejoinOffer::joinStarted(const RejoinTarget &target)
{
    running = target;
    ended.reset();
}

void RejoinOffer::otherGameStarted()
{
    running.reset();
    ended.reset();
}

void RejoinOffer::gameEnded()
{
    if (running)
        ended = running;
    running.reset();
}

std::optional<RejoinTarget> RejoinOffer::offer(const FoundGames &listed) const
{
    if (!ended)
        return std::nullopt;
    if (ended->wasListed && listed.find(ended->address.host, ended->address.port) == nullptr)
        return std::nullopt;
    return ended;
}

} // namespace kalvex
