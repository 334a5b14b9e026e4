#include "windows/spy_roster.h"

#include "net/message.h"
#include "net/shown_text.h"

#include <algorithm>

namespace kalvex {

std::string SpyRoster::entryText(int slot, std::string_view name)
{
    return std::to_string(slot) + ": " + std::string(name);
}

std::string SpyRoster::add(int slot, std::string_view name, int myslot)
{
    list.push_back(entryText(slot, name));
    if (slot == myslot)
        return "0+" + translate("SpyRoster", "You are spying.");
    return "0+" + withArgs(translate("SpyRoster", "%1 is spying."), {name});
}

std::optional<std::string> SpyRoster::remove(int slot, std::string_view name)
{
    const auto found = std::find(list.begin(), list.end(), entryText(slot, name));
    if (found == list.end())
        return std::nullopt;
    list.erase(found);
    return "0+" + withArgs(translate("SpyRoster", "%1 has left."), {name});
}

std::optional<int> SpyRoster::slotOfEntry(std::string_view entry)
{
    const auto colon = entry.find(':');
    int slot = 0;
    if (!tryStrToInt(entry.substr(0, colon), slot))
        return std::nullopt;
    return slot;
}

} // namespace kalvex
