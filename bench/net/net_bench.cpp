// Framing and dispatch throughput: a burst of typical messages arriving in
// reads of a given size, cut into lines, taken and dispatched.

#include "net/commands.h"
#include "net/dispatch.h"
#include "net/inbound_queue.h"
#include "net/message.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace kalvex;

namespace {

std::string burst(int messages)
{
    std::string bytes;
    for (int i = 0; i < messages; ++i) {
        switch (i % 3) {
        case 0:
            bytes +=
                Message("CMD_chat").field(3).open("Cleo chats: well played everyone|clRed").wire();
            break;
        case 1:
            bytes += Message("CMD_yourresult")
                         .field(3)
                         .field(i % 12 + 1)
                         .field(1)
                         .field(2)
                         .field(1)
                         .wire();
            break;
        default:
            bytes += Message("CMD_nextplayer").field(3).field(i % 12 + 1).wire();
            break;
        }
    }
    return bytes;
}

void FramingAndDispatch(benchmark::State &state)
{
    const std::string bytes = burst(1000);
    const std::size_t read = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        InboundQueue queue("receivedlist");
        for (std::size_t at = 0; at < bytes.size(); at += read)
            queue.receive(1, std::string_view(bytes).substr(at, read));
        int handled = 0;
        while (!queue.empty()) {
            const InboundLine line = queue.take();
            handled +=
                dispatchLine(line.text, kClientCommands, [](std::size_t, std::string_view rest) {
                    benchmark::DoNotOptimize(rest.data());
                });
        }
        benchmark::DoNotOptimize(handled);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(FramingAndDispatch)->Arg(7)->Arg(512)->Arg(32768);

void FloodWithoutTerminator(benchmark::State &state)
{
    const std::string chunk(32768, 'x');
    for (auto _ : state) {
        InboundQueue queue("");
        for (int i = 0; i < 64; ++i)
            benchmark::DoNotOptimize(queue.receive(1, chunk));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 64 * chunk.size()));
}
BENCHMARK(FloodWithoutTerminator);

} // namespace

BENCHMARK_MAIN();
