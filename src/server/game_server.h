#pragma once
// The game server's rules as a state machine: slots and logins, relays,
// judging, rounds, scoring and the winner. It is driven by its host (accepted
// and closed connections, received lines, game clock ticks) and answers only
// through a ServerOutbox.

#include "net/game_vocabulary.h"
#include "server/player_table.h"
#include "server/server_ports.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

// The outcome of a new connection.
struct Admission
{
    // 1 to 10, or 0 when all ten slots are taken.
    int slot = 0;
    // Names the connection in every later call; 0 when refused.
    ConnectionId connection = 0;
    // The host sends these bytes on the new connection at once: the slot
    // number, or "CMD_full+" after which the host closes the connection.
    std::string greeting;
    bool refused() const { return slot == 0; }
};

// What the game clock does when its countdown runs out.
enum class ClockPurpose
{
    None = 0,
    StartRound = 1,
    TimeUp = 2
};

class GameServer
{
public:
    // A connection that has not logged in by then is closed.
    static constexpr std::int64_t kLoginDeadlineMs = 30'000;

    GameServer(ServerOutbox &out, RandomSource &randomSource, const ServerClock &serverClock);

    // A connection was accepted by the system.
    Admission acceptConnection();
    // The peer closed the connection (before the endpoint closes itself).
    void peerDisconnected(ConnectionId connection);
    // The endpoint reports "Socket Closed"; it may do so twice for one
    // departure, and the others hear of it once.
    void socketClosed(ConnectionId connection);
    // Whether a line that has just arrived on the connection is queued at all.
    // Before its login a connection may send only its login: anything else is
    // dropped as it arrives, so that it never takes a tick from the others.
    bool admitLine(ConnectionId connection, std::string_view line);
    // One line from the inbound queue, bound to the connection it came on.
    // Acted on only while that connection holds its slot; a line that the
    // connection may not send, or that does not read, is dropped and logged.
    void handleLine(ConnectionId connection, std::string_view line);
    // One tick of the one-second game clock, while it is enabled.
    void clockTick();
    // Closes every connection whose login is overdue.
    void checkLoginDeadlines();
    // When the next login falls due, if any connection is still waiting.
    std::optional<std::int64_t> nextLoginDeadline() const;

    // State, for the host and for tests.
    const PlayerTable &players() const { return table; }
    bool clockEnabled() const { return clockOn; }
    bool gameOn() const { return gameon; }
    bool roundOn() const { return roundon; }
    std::int64_t roundNumber() const { return roundnumber; }
    std::int64_t countdown() const { return countdownValue; }
    ClockPurpose clockPurpose() const { return purpose; }
    const Code &secretCode() const { return code; }

private:
    // Command handlers, with the sender's slot and the message remainder.
    void handleCommand(int sender, std::size_t command, std::string_view remainder);
    void logininfo(int sender, std::string_view remainder);
    void kickhim(int sender, std::string_view remainder);
    void relayChat(int sender, std::string_view remainder, std::string_view command,
                   std::string_view joiner);
    // Whether a chat, action or sound of the sender may be relayed: its part
    // after the slot field within the size limit, and within the sender's rate.
    bool mayRelay(int sender, std::string_view payload);
    void startgame(int sender, std::string_view remainder);
    void justwatch(int sender, std::string_view remainder);
    void checkit(int sender, std::string_view remainder);
    void playasound(int sender, std::string_view remainder);

    // Round flow.
    void startround();
    void findplayer(int slot);
    void roundOverTest();
    void endround();
    bool checkforwin();

    bool hears(int slot) const;
    void sendTo(int slot, const std::string &bytes);
    void sendToAll(const std::string &bytes);
    void sendToAllBut(int left, const std::string &bytes);
    void setClock(bool enabled);
    void drop(int sender, std::string_view why);
    std::string codeFields(std::string_view command, int slot) const;

    ServerOutbox &outbox;
    RandomSource &random;
    const ServerClock &clock;
    PlayerTable table;
    ConnectionId lastConnection = 0;

    bool gameon = false;
    bool roundon = false;
    std::int64_t numrounds = 0;
    std::int64_t timelimit = 0;
    int bonusoption = 0;
    bool sixcolors = false;
    std::int64_t roundnumber = 0;
    Code code{};
    std::int64_t countdownValue = 0;
    ClockPurpose purpose = ClockPurpose::None;
    bool clockOn = false;
};

} // namespace kalvex
