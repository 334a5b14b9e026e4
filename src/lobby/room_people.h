#pragma once
// RoomPeople: who is in the internet room, in the order they came, and the
// game each of them advertises. A flood of arrivals cannot grow it beyond
// kMaxPeople.

#include "lobby/game_advert.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kalvex {

struct RoomPerson
{
    std::string nickname;
    std::optional<GameAdvert> advert;
};

class RoomPeople
{
public:
    static constexpr std::size_t kMaxPeople = 2000;

    // Someone is in the room or changed their presence. True when what the
    // room shows changed.
    bool changed(const std::string &nickname, const std::optional<GameAdvert> &advert);
    // True when they were there.
    bool left(const std::string &nickname);
    void clear() { list.clear(); }

    const std::vector<RoomPerson> &people() const { return list; }
    // Those who advertise a game, in the order they came.
    std::vector<const RoomPerson *> hosts() const;
    const RoomPerson *find(const std::string &nickname) const;

private:
    std::vector<RoomPerson> list;
};

} // namespace kalvex
