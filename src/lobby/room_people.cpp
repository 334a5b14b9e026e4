#include "lobby/room_people.h"

#include <algorithm>

namespace kalvex {

bool RoomPeople::changed(const std::string &nickname, const std::optional<GameAdvert> &advert)
{
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const RoomPerson &p) { return p.nickname == nickname; });
    if (it != list.end()) {
        if (it->advert == advert)
            return false;
        it->advert = advert;
        return true;
    }
    if (list.size() >= kMaxPeople)
        return false;
    list.push_back({nickname, advert});
    return true;
}

bool RoomPeople::left(const std::string &nickname)
{
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const RoomPerson &p) { return p.nickname == nickname; });
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

std::vector<const RoomPerson *> RoomPeople::hosts() const
{
    std::vector<const RoomPerson *> result;
    for (const RoomPerson &person : list)
        if (person.advert)
            result.push_back(&person);
    return result;
}

const RoomPerson *RoomPeople::find(const std::string &nickname) const
{
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&](const RoomPerson &p) { return p.nickname == nickname; });
    return it == list.end() ? nullptr : &*it;
}

} // namespace kalvex
