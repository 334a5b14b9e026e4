#pragma once
// "Rejoin": after a game that the lobby joined has ended, the lobby offers
// to join the same host again under the same name. A host found on the
// network is offered while it is still listed; one joined by a typed address
// (never listed) stays offered until the player starts another game.

#include "lobby/found_games.h"
#include "lobby/game_address.h"

#include <optional>
#include <string>

namespace kalvex {

struct RejoinTarget
{
    std::string playerName;
    GameAddress address;
    // Found on the network when joined: offered only while listed.
    bool wasListed = false;

    bool operator==(const RejoinTarget &) const = default;
};

class RejoinOffer
{
public:
    // A join has started; it becomes the offer when its game ends.
    void joinStarted(const RejoinTarget &target);
    // Another kind of game (hosting, solo) has started: no offer.
    void otherGameStarted();
    // The started game's program has ended.
    void gameEnded();

    // The offer that stands now, given what is listed.
    std::optional<RejoinTarget> offer(const FoundGames &listed) const;

private:
    std::optional<RejoinTarget> running;
    std::optional<RejoinTarget> ended;
};

} // namespace kalvex
