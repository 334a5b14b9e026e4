#pragma once
// The command words each side knows, in the order in which a received
// command word is compared with them.

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

} // namespace kalvex
