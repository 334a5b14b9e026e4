#pragma once
// The command words each side knows, in the order in which a received
// command word is compared with them. Each side hands a received line to
// dispatchLine() with its catalogue and switches on the index it gets:
//   case serverCommand("CMD_checkit"): return checkit(sender, remainder);

#include "net/dispatch.h"

#include <array>
#include <string_view>

namespace kalvex {

inline constexpr std::array<std::string_view, 8> kServerCommands = {
    "CMD_logininfo", "CMD_kickhim",   "CMD_chat",    "CMD_action",
    "CMD_startgame", "CMD_justwatch", "CMD_checkit", "CMD_playasound",
};

inline constexpr std::array<std::string_view, 25> kClientCommands = {
    "CMD_sendlogininfo",    "CMD_chat",         "CMD_action",          "CMD_newplayerinfo",
    "CMD_havewrongversion", "CMD_wrongversion", "CMD_existingplayers", "CMD_playerdisconnected",
    "CMD_startgame",        "CMD_nextplayer",   "CMD_winner",          "CMD_full",
    "CMD_justwatching",     "CMD_startround",   "CMD_yourresult",      "CMD_gotit",
    "CMD_nomoreguesses",    "CMD_endround",     "CMD_tiegame",         "CMD_timeup",
    "CMD_loadgame",         "CMD_didntgetit",   "CMD_gottime",         "CMD_setbonus",
    "CMD_playasound",
};

// The catalogue index of a command word of each side.
consteval std::size_t serverCommand(std::string_view name)
{
    return commandIndex(kServerCommands, name);
}

consteval std::size_t clientCommand(std::string_view name)
{
    return commandIndex(kClientCommands, name);
}

} // namespace kalvex
