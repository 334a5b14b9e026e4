// Random connections, departures, clock ticks and lines from several slots,
// with the server's promises checked after every step.

#include "net/chat_limits.h"
#include "net/commands.h"
#include "server/game_server.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

using namespace kalvex;

namespace {

[[noreturn]] void broken(const char *what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void check(bool ok, const char *what)
{
    if (!ok)
        broken(what);
}

class Clock : public ServerClock
{
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 0;
};

class Dice : public RandomSource
{
public:
    explicit Dice(FuzzedDataProvider &data) : data(data) {}
    int colour(int colours) override
    {
        check(colours == 5 || colours == 6, "colour range");
        return data.ConsumeIntegralInRange<int>(1, colours);
    }
    FuzzedDataProvider &data;
};

class Harness : public ServerOutbox
{
public:
    explicit Harness(FuzzedDataProvider &data) : dice(data), server(*this, dice, clock) {}

    void send(int slot, std::string_view bytes) override
    {
        check(PlayerTable::validSlot(slot), "send to a slot out of range");
        check(server.players()[slot].connected, "send to a slot that is not connected");
        check(server.players()[slot].loggedIn, "send to a slot that has not logged in");
        check(bytes.size() > 5 && bytes.substr(0, 4) == "CMD_", "message without command");
        check(bytes.back() == '\xFF', "message without terminator");
        check(bytes.find('\xFF') == bytes.size() - 1, "terminator inside a message");
        if (bytes.starts_with("CMD_chat+") || bytes.starts_with("CMD_action+") ||
            bytes.starts_with("CMD_playasound+")) {
            relayed = true;
            // Command, slot field, name and joiner, besides the payload.
            check(bytes.size() <= kMaxChatPayloadBytes + 256 + longestName, "relay past its size");
        }
        if (bytes.substr(0, 23) == "CMD_playerdisconnected+") {
            const int left = std::atoi(std::string(bytes.substr(23)).c_str());
            ++departuresHeard[{slot, left}];
        }
    }
    void close(int slot) override
    {
        check(server.players()[slot].connected, "close of a slot that is not connected");
        ++departuresOf[slot];
        const ConnectionId id = server.players()[slot].connection;
        server.socketClosed(id);
        check(!server.players()[slot].connected, "closed slot still connected");
    }
    void setClockEnabled(bool) override {}

    void checkState()
    {
        const PlayerTable &table = server.players();
        check(table.highslot() >= lastHigh && table.highslot() <= kMaxPlayers,
              "highslot moved down or past ten");
        lastHigh = table.highslot();
        check(!server.roundOn() || server.gameOn(), "a round without a game");
        for (int slot = 1; slot <= kMaxPlayers; ++slot) {
            const Player &p = table[slot];
            check(p.row >= 0 && p.row <= 13, "row out of range");
            check(p.score >= 0, "negative score");
            check(!p.connected || slot <= table.highslot(), "connected above highslot");
            // (The host may mark a free seat as watching; that is kept.)
            check(p.connected || (!p.loggedIn && p.name.empty()), "free slot keeps a login");
            for (const char c : p.name) {
                const auto byte = static_cast<unsigned char>(c);
                check(byte >= 0x20 && byte != 0x7F, "control character in a name");
            }
            longestName = std::max(longestName, p.name.size());
        }
        for (int hole : server.secretCode())
            check(!server.roundOn() || (hole >= 1 && hole <= 6), "code colour");
        for (const auto &[key, count] : departuresHeard)
            check(count <= departuresOf[key.second], "a departure was announced twice");
    }

    Clock clock;
    Dice dice;
    GameServer server;
    InboundQueue queue{std::string()};
    std::array<ConnectionId, kMaxPlayers + 1> ids{};
    std::map<std::pair<int, int>, int> departuresHeard;
    std::map<int, int> departuresOf;
    int lastHigh = 0;
    std::size_t longestName = 0;
    // Relays of the line being handled, and per connection since its accept.
    bool relayed = false;
    std::map<ConnectionId, std::int64_t> acceptedAt;
    std::map<ConnectionId, std::int64_t> relays;
};

std::string number(FuzzedDataProvider &data, int slot)
{
    switch (data.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
        return std::to_string(data.ConsumeIntegral<int>());
    case 1:
        return data.ConsumeRandomLengthString(8);
    case 2:
        return std::to_string(data.ConsumeIntegralInRange<int>(0, 12));
    default:
        return std::to_string(slot);
    }
}

std::string makeLine(FuzzedDataProvider &data, int slot)
{
    if (data.ConsumeIntegralInRange<int>(0, 15) == 0)
        return data.ConsumeRandomLengthString(64);
    const auto command = data.ConsumeIntegralInRange<std::size_t>(0, kServerCommands.size() - 1);
    std::string line(kServerCommands[command]);
    line += '+';
    line += number(data, slot);
    line += '+';
    switch (command) {
    case 0: // login
        line += data.ConsumeBool() ? "1.0.5" : data.ConsumeRandomLengthString(6);
        line += '+';
        line += data.ConsumeRandomLengthString(12);
        break;
    case 4: // game start: host name, then numbers
        for (int i = 0; i < 4; ++i)
            line += std::to_string(data.ConsumeIntegralInRange<int>(-1, i == 1 ? 40 : 3)) + "+";
        break;
    case 5: // watching state
        line += data.ConsumeBool() ? "1" : "2";
        break;
    case 6: // a guess
        for (int i = 0; i < 4; ++i)
            line += std::to_string(data.ConsumeIntegralInRange<int>(0, 7)) + "+";
        break;
    default:
        line += data.ConsumeRandomLengthString(16);
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    Harness h(data);
    while (data.remaining_bytes() > 0) {
        const int slot = data.ConsumeIntegralInRange<int>(1, kMaxPlayers);
        switch (data.ConsumeIntegralInRange<int>(0, 9)) {
        case 0: {
            const Admission a = h.server.acceptConnection();
            check(a.refused() == (a.greeting == "CMD_full+\xFF"), "refusal greeting");
            if (!a.refused()) {
                check(h.server.players()[a.slot].connected, "accepted slot not connected");
                h.ids[a.slot] = a.connection;
                h.acceptedAt[a.connection] = h.clock.now;
            }
            break;
        }
        case 1:
            h.server.peerDisconnected(h.ids[slot]);
            h.server.socketClosed(h.ids[slot]);
            break;
        case 2:
            h.server.clockTick();
            break;
        case 3:
            h.clock.now += data.ConsumeIntegralInRange<int>(0, 40'000);
            h.server.checkLoginDeadlines();
            break;
        default:
            // Through the framing a real connection goes through; a random
            // text may hold terminators of its own.
            const ConnectionId id = h.ids[slot];
            h.queue.receive(id, makeLine(data, slot) + '\xFF',
                            [&](std::string_view line) { return h.server.admitLine(id, line); });
            while (!h.queue.empty()) {
                const InboundLine line = h.queue.take();
                h.relayed = false;
                h.server.handleLine(line.connection, line.text);
                if (h.relayed) {
                    // A burst, then two a second since the accept.
                    const std::int64_t allowed =
                        Player::kChatterBurst + (h.clock.now - h.acceptedAt[line.connection]) *
                                                    Player::kChatterPerSecond / 1000;
                    check(++h.relays[line.connection] <= allowed, "relays past the sender's rate");
                }
                h.checkState();
            }
        }
        h.checkState();
    }
    return 0;
}
