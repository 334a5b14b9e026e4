#pragma once
// The game client: answers the server's login request, dispatches every
// received line to its handler and keeps the state that the main window
// draws (roster, board, round clock, status texts and markers). It knows
// nothing of windows: it writes its lines to the transcript and talks to its
// surroundings through the client's ports (see GameClient).

#include "client/board.h"
#include "client/client_ports.h"
#include "client/roster.h"
#include "client/round_clock.h"
#include "net/colour_text.h"
#include "net/shown_text.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

class ChatComposer;
class Transcript;

// Which items of the seat line menu are enabled.
struct SeatMenuItems
{
    bool remove = false;
    bool setWatching = false;
    bool unsetWatching = false;
};

class ClientSession
{
public:
    // The ports are read at each use, so that their owner may fill in a
    // late one; chat plays or shows the received chatter sounds.
    ClientSession(const ClientPorts &ports, Transcript &lines, ChatComposer &composer);

    // Set up by start-up.
    void setHosting(bool value) { hostingFlag = value; }
    // The name to log in with; loginname becomes the name and the terminator.
    void setPlayername(std::string_view name);
    // Clears or sets the login text directly (start-up clears it first).
    void setLoginname(std::string_view bytes) { loginText = bytes; }
    void setStartButtonVisible(bool visible) { startButton = visible; }

    // Received lines.
    // Handles one received line (without its terminator). A numeric field
    // that is not a number throws ConvertError; what the handler changed
    // before that field stays changed.
    void handleLine(std::string_view line);

    // The user's actions.
    // A mouse button released over hole `position` (1..4) of `row` (1..12).
    void ballClick(int row, int position);
    // The check button was pressed.
    void checkPress();
    // Keyboard entry on the open row: a selected hole (1..4, the first when
    // a row opens) that Left and Right move without wrapping, and keys that
    // give it colour 1..5 or 1..6 directly. Both follow the rules of a
    // click: nothing unless this client may enter a guess now.
    int selectedHole() const { return selectedPosition; }
    void moveSelection(int step);
    void colourKey(int colour);
    // Muting a seat hides its chat, actions and chatter sounds in this
    // window; nothing is sent. The mute ends when the seat's player leaves
    // or another player takes the seat.
    bool seatMuted(int slot) const;
    void setSeatMuted(int slot, bool muted);
    // The "Just Watch" menu item was clicked.
    void justWatchClick();
    // The seat line menu opens on `slot`: it becomes the kick target.
    SeatMenuItems openSeatMenu(int slot);
    void kickMenuRemove();
    // The kick request for `slot` (also the spectator list's "Remove From
    // Game"); sent only by the hosting instance once logged in.
    void kicking(int slot);
    void kickMenuSetWatching();
    void kickMenuUnsetWatching();
    // The one-second round clock fired.
    void clockTick();
    // Scores, round points, badges and board back to their start.
    void clearall();

    // State.
    int myslot() const { return mySlot; }
    bool loggedin() const { return loggedIn; }
    bool hosting() const { return hostingFlag; }
    const std::string &playername() const { return playerName; }
    const std::string &loginname() const { return loginText; }
    int guessslot() const { return guessSlot; }
    int roundstotal() const { return roundsTotal; }
    int roundseconds() const { return roundSeconds; }
    int gametype() const { return gameType; }
    bool sixColours() const { return gameType == 1; }
    int activerow() const { return activeRow; }
    int secondsleft() const { return clock.secondsleft(); }
    int kickTarget() const { return kickSlot; }
    // The name on the seat line of a slot (1 to 10); nothing for a slot
    // without a seat line.
    std::optional<std::string> seatName(int slot) const;

    const Roster &roster() const { return seats; }
    const Board &board() const { return playBoard; }
    const RoundClock &roundClock() const { return clock; }

    // The check mark of the "Just Watch" menu item.
    bool justWatch() const { return justWatchChecked; }
    bool startButtonVisible() const { return startButton; }
    const std::string &statusText() const { return status; }
    const std::string &roundText() const { return roundLabel; }
    const std::string &gameTypeText() const { return gameTypeLabel; }
    bool bonusBadgeVisible() const { return bonusBadge; }
    // Seat beside which the time bonus marker stands, 0 while hidden.
    int timeBonusSeat() const { return timeBonusMarkerSeat; }
    // Seat over which the winner marker stands, 0 while hidden.
    int winnerSeat() const { return winnerMarkerSeat; }

    // The colour of system lines (blue).
    static constexpr ColourValue syscolour = kColourBlue;

private:
    void sendloginfo(std::string_view rest);
    void newplayerinfo(std::string_view rest);
    void playerdisconnected(std::string_view rest);
    void justwatching(std::string_view rest);
    void startthegame(std::string_view rest);
    void startround(std::string_view rest);
    void getnextplayer(std::string_view rest);
    void yourresult(std::string_view rest);
    void gotit(std::string_view rest);
    void nomoreguesses(std::string_view rest);
    void didntgetit(std::string_view rest);
    void timeup(std::string_view rest);
    void endround();
    void gottime(std::string_view rest);
    void winner(std::string_view rest);
    void loadgame(std::string_view rest);
    void setbonus(std::string_view rest);

    void dispatch(std::size_t command, std::string_view rest);
    void chatReceived(std::string_view rest);
    void chatterReceived(std::string_view rest);
    void systemLine(std::string_view text);
    void sendWatching(int slot, bool watch);
    void openRowForEntry(int row);
    void setGameType(int sixFlag);
    void startClock();
    void stopClock();
    void cue(Cue cue);
    void tallyIncrease(int column);

    const ClientPorts &out;
    Transcript &transcript;
    ChatComposer &chat;
    Roster seats;
    Board playBoard;
    RoundClock clock;

    int mySlot = 0;
    bool loggedIn = false;
    bool hostingFlag = false;
    std::string playerName;
    std::string loginText;
    int guessSlot = 0;
    int roundsTotal = 0;
    int roundSeconds = 0;
    int gameType = 0;
    int activeRow = 0;
    int kickSlot = 0;
    int selectedPosition = 1;
    std::array<bool, kMaxPlayers + 1> muted{};

    bool justWatchChecked = false;
    bool startButton = true;
    std::string status = translate("ClientSession", "Welcome to Kalvex");
    std::string roundLabel = withArgs(translate("ClientSession", "ROUND: %1/%2"), {"0", "0"});
    std::string gameTypeLabel = translate("ClientSession", "Five Color Game");
    bool bonusBadge = true;
    int timeBonusMarkerSeat = 0;
    int winnerMarkerSeat = 0;
};

} // namespace kalvex
