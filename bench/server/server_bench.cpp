// How many received lines the rules handle per second, with ten players.

#include "server/game_server.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

using namespace kalvex;

namespace {

class Sink : public ServerOutbox, public ServerClock, public RandomSource
{
public:
    void send(int, std::string_view bytes) override { sentBytes += bytes.size(); }
    void close(int) override {}
    void setClockEnabled(bool) override {}
    std::int64_t nowMs() const override { return now; }
    int colour(int colours) override { return static_cast<int>(next++ % colours) + 1; }
    std::size_t sentBytes = 0;
    unsigned next = 0;
    std::int64_t now = 0;
};

struct Table
{
    Table()
    {
        for (int slot = 1; slot <= 10; ++slot) {
            ids[slot] = server.acceptConnection().connection;
            server.handleLine(ids[slot], "CMD_logininfo+" + std::to_string(slot) + "+1.0.5+Player" +
                                             std::to_string(slot));
        }
    }
    Sink sink;
    GameServer server{sink, sink, sink};
    std::array<ConnectionId, 11> ids{};
};

// Wrong guesses from all ten players in turn; rounds end after twelve rows
// and the pause runs on clock ticks.
void GuessLines(benchmark::State &state)
{
    Table t;
    t.server.handleLine(t.ids[1], "CMD_startgame+Host+1000000+120+1+1+");
    std::array<std::string, 11> guesses;
    for (int slot = 1; slot <= 10; ++slot)
        guesses[slot] = "CMD_checkit+" + std::to_string(slot) + "+6+6+6+6+";
    int slot = 0;
    for (auto _ : state) {
        slot = slot % 10 + 1;
        t.server.handleLine(t.ids[slot], guesses[slot]);
        while (!t.server.roundOn())
            t.server.clockTick();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes_out"] =
        benchmark::Counter(static_cast<double>(t.sink.sentBytes), benchmark::Counter::kIsRate);
}
BENCHMARK(GuessLines);

// A chat line relayed to ten players; each comes within the sender's rate.
void ChatLines(benchmark::State &state)
{
    Table t;
    const std::string line = "CMD_chat+4+" + std::string(state.range(0), 'x') + "|clRed";
    for (auto _ : state) {
        t.sink.now += 500;
        t.server.handleLine(t.ids[4], line);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes_out"] =
        benchmark::Counter(static_cast<double>(t.sink.sentBytes), benchmark::Counter::kIsRate);
}
BENCHMARK(ChatLines)->Arg(20)->Arg(400);

// A connection that joins, logs in and leaves again.
void JoinAndLeave(benchmark::State &state)
{
    Table t;
    t.server.socketClosed(t.ids[10]);
    for (auto _ : state) {
        const Admission a = t.server.acceptConnection();
        t.server.handleLine(a.connection, "CMD_logininfo+10+1.0.5+Late");
        t.server.socketClosed(a.connection);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(JoinAndLeave);

} // namespace

BENCHMARK_MAIN();
