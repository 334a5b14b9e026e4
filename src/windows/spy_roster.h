#pragma once
// The spectators ("spys"): connections above the player seats, listed as
// "slot: name" in the order they arrived.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvex {

class SpyRoster
{
public:
    // Appends the entry; answers the transcript's system line for it.
    std::string add(int slot, std::string_view name, int myslot);
    // Deletes the first entry for that slot and name; answers the system line
    // "0+<name> has left.", or nothing when no such entry is listed.
    std::optional<std::string> remove(int slot, std::string_view name);

    const std::vector<std::string> &entries() const { return list; }

    static std::string entryText(int slot, std::string_view name);
    // The slot number at the front of an entry (the text before its first
    // ":"), or nothing when that is not a whole number.
    static std::optional<int> slotOfEntry(std::string_view entry);

private:
    std::vector<std::string> list;
};

} // namespace kalvex
