#pragma once
// Drives a GameServer by hand: a recording outbox, a hand-set clock, a
// scripted code, and connections opened and closed as the endpoints would.

#include "server/game_server.h"
#include "wire_bytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kalvex::test {

// One recorded answer, written so that a failed comparison reads well.
inline std::string sent(int slot, const std::string &text)
{
    return "to " + std::to_string(slot) + ": " + wire(text);
}
inline std::string closed(int slot)
{
    return "close " + std::to_string(slot);
}
inline std::string clock(bool on)
{
    return on ? "clock on" : "clock off";
}

class ManualClock : public ServerClock
{
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 1'000'000;
};

// Hands out the colours it was given, then 1s.
class ScriptedRandom : public RandomSource
{
public:
    int colour(int colours) override
    {
        lastRange = colours;
        if (script.empty())
            return 1;
        const int c = script.front();
        script.pop_front();
        return c;
    }
    void code(int a, int b, int c, int d) { script.insert(script.end(), {a, b, c, d}); }
    std::deque<int> script;
    int lastRange = 0;
};

class RecordingOutbox : public ServerOutbox
{
public:
    void send(int slot, std::string_view bytes) override
    {
        events.push_back("to " + std::to_string(slot) + ": " + std::string(bytes));
    }
    void close(int slot) override
    {
        events.push_back(closed(slot));
        // The endpoint reports its close at once, as the socket endpoint does.
        if (onClose)
            onClose(slot);
    }
    void setClockEnabled(bool enabled) override { events.push_back(clock(enabled)); }
    void log(std::string_view text) override { logged.emplace_back(text); }

    std::vector<std::string> events;
    std::vector<std::string> logged;
    std::function<void(int)> onClose;
};

class ServerTest : public ::testing::Test
{
protected:
    ServerTest()
    {
        out.onClose = [this](int slot) { server.socketClosed(connections.at(slot)); };
    }

    // A new connection; returns its slot (0 when refused).
    int connect()
    {
        const Admission a = server.acceptConnection();
        out.events.push_back("greet: " + a.greeting);
        if (!a.refused())
            connections[a.slot] = a.connection;
        return a.slot;
    }
    // A connection that logs in with the right version.
    int join(const std::string &name)
    {
        const int slot = connect();
        line(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.5+" + name);
        return slot;
    }
    // Several players, then the answers so far are forgotten.
    void seat(std::initializer_list<const char *> names)
    {
        for (const char *name : names)
            join(name);
        take();
    }
    // A line received on the slot's connection.
    void line(int slot, const std::string &text) { server.handleLine(connections.at(slot), text); }
    // The peer closes: the endpoint's disconnect event, then its own second close.
    void leave(int slot)
    {
        server.peerDisconnected(connections.at(slot));
        server.socketClosed(connections.at(slot));
    }
    // The answers since the last take.
    std::vector<std::string> take()
    {
        std::vector<std::string> taken;
        taken.swap(out.events);
        return taken;
    }
    // The messages since the last take that went to one slot.
    std::vector<std::string> takeFor(int slot)
    {
        const std::string prefix = "to " + std::to_string(slot) + ": ";
        std::vector<std::string> mine;
        for (const std::string &e : take()) {
            if (e.rfind(prefix, 0) == 0)
                mine.push_back(e);
        }
        return mine;
    }
    // Ticks of the game clock, which must be running for each of them.
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(server.clockEnabled()) << "tick " << i + 1 << " of " << n;
            server.clockTick();
        }
    }
    // The host starts a game (slot 1 must be logged in).
    void startGame(int rounds, int limit, int bonus = 0, int six = 0)
    {
        line(1, "CMD_startgame+Bob+" + std::to_string(rounds) + "+" + std::to_string(limit) + "+" +
                    std::to_string(bonus) + "+" + std::to_string(six) + "+");
    }
    void guess(int slot, int a, int b, int c, int d)
    {
        line(slot, "CMD_checkit+" + std::to_string(slot) + "+" + std::to_string(a) + "+" +
                       std::to_string(b) + "+" + std::to_string(c) + "+" + std::to_string(d) + "+");
    }
    const Player &player(int slot) const { return server.players()[slot]; }

    ManualClock time;
    ScriptedRandom random;
    RecordingOutbox out;
    GameServer server{out, random, time};
    std::map<int, ConnectionId> connections;
};

} // namespace kalvex::test
