#pragma once
// What the game client asks of the program around it, one small port per
// concern. The link and the session's owner are needed; a program that has
// no sounds, tally, spectator list or board to draw leaves those out.

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

// The game link to the server.
class LinkPort
{
public:
    virtual ~LinkPort() = default;
    // One whole message (terminator included).
    virtual void send(const std::string &bytes) = 0;
};

// What the session's owner does when the server says so.
class SessionPort
{
public:
    virtual ~SessionPort() = default;
    // The server announced this client's own login: apply the settings file.
    virtual void loadinifile() = 0;
    // "CMD_full": the "Game is full" box, then the program ends.
    virtual void gameIsFull() = 0;
    // Start (true) or stop (false) the one-second round clock; starting
    // restarts its phase. The session counts the seconds in clockTick().
    virtual void roundClock(bool run) = 0;
};

class SoundPort
{
public:
    virtual ~SoundPort() = default;
    // A game cue; played only while "Play Sounds" is on.
    virtual void playsounds(Cue cue) = 0;
};

// What the chat asks beyond the link: chatter sounds and the text colour.
class ChatPort
{
public:
    virtual ~ChatPort() = default;
    // "Play Chatter Sounds" is checked.
    virtual bool chatterSoundsOn() const = 0;
    // Plays a stored chatter sound ("wave1" to "wave20") without waiting.
    virtual void playChatterSound(std::string_view name) = 0;
    // The user chose a text colour: the settings file keeps it.
    virtual void saveTextColour() = 0;
};

class TallyPort
{
public:
    virtual ~TallyPort() = default;
    // 4 counts a round played, 3 a code cracked.
    virtual void addtomineincrease(int column) = 0;
    // A finished game: "addtomine" when this client won, else the winner's seat name.
    virtual void addgame(std::string_view winner) = 0;
};

// Announcements for slots above the seats go to the spectator list.
class SpectatorPort
{
public:
    virtual ~SpectatorPort() = default;
    virtual void spyEntered(int slot, std::string_view name) = 0;
    virtual void spyLeft(int slot, std::string_view name) = 0;
};

class BoardView
{
public:
    virtual ~BoardView() = default;
    // Something the board shows has changed (roster, board, texts, marks).
    virtual void modelChanged() = 0;
};

struct ClientPorts
{
    LinkPort &link;
    SessionPort &owner;
    SoundPort *sounds = nullptr;
    ChatPort *chat = nullptr;
    TallyPort *tally = nullptr;
    SpectatorPort *spectators = nullptr;
    BoardView *view = nullptr;
};

} // namespace kalvex
