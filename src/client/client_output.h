#pragma once
// What the client session asks of its surroundings: the game link, the
// transcript, the sound cues, the tally and the windows. The main window
// implements it; the computer player and the tests have their own.

#include "net/colour_text.h"

#include <string>
#include <string_view>

namespace kalvex {

// Game cues. Turn stands for "turn" or "turnnew", by the Turn Sound choice;
// Mention is somebody else's chat line naming this client's player.
enum class Cue
{
    Click,
    Entered,
    Right,
    Wrong,
    Time,
    TimeUp,
    RoundOver,
    Winner,
    Turn,
    Mention
};

class ClientOutput
{
public:
    virtual ~ClientOutput() = default;

    // One whole message (terminator included) on the game link.
    virtual void send(const std::string &bytes) = 0;
    // A transcript line "slot+text"; system lines are "0+text" in syscolour.
    virtual void addlinetochat(std::string_view line, ColourValue colour) = 0;
    // The fields of a relayed "CMD_chat" or "CMD_action" after the command word.
    virtual void chatrecieved(std::string_view fields) = 0;
    // The fields of a relayed "CMD_playasound" after the command word.
    virtual void playasound(std::string_view fields) = 0;
    // A game cue; played only while "Play Sounds" is on.
    virtual void playsounds(Cue cue) = 0;
    // Tally: 4 counts a round played, 3 a code cracked.
    virtual void addtomineincrease(int column) = 0;
    // Tally: a finished game, "addtomine" when this client won, else the winner's seat name.
    virtual void addgame(std::string_view winner) = 0;
    // The server announced this client's own login: apply the settings file.
    virtual void loadinifile() = 0;
    // Announcements for slots above the seats go to the spectator list.
    virtual void spyEntered(int slot, std::string_view name) = 0;
    virtual void spyLeft(int slot, std::string_view name) = 0;
    // "CMD_full": the "Game is full" box, then the main window closes.
    virtual void gameIsFull() = 0;
    // Start (true) or stop (false) the one-second round clock; starting
    // restarts its phase. The session counts the seconds in clockTick().
    virtual void roundClock(bool run) = 0;
    // Something the window shows has changed (roster, board, texts, marks).
    virtual void modelChanged() {}
};

} // namespace kalvex
