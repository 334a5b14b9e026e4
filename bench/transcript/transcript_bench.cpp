// Cost of adding one line to the chat transcript pane (model, layout and
// scroll bar; optionally the redraw) with 1,000 lines and with the
// transcript at its bound (10,000 lines) already shown. The cost must not
// grow with the transcript's length, nor much with a screen reader about
// (the pane then keeps the plain text too). And the cost of a text size
// change until the pane is drawn again.
//
//   transcript_bench --benchmark_filter=Append
//   transcript_bench --benchmark_filter=TextSize
// (the second text size case adds the lines out of view, which the pane lays
// out in idle turns after the change).
#include "chat/qt/transcript_pane.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

using kalvex::ColourValue;
using kalvex::TranscriptPane;

const std::array<std::string, 6> kLines = {
    "0+Round 3 is starting.",
    "2+Ann chats: good luck everyone :)#10 this one is hard",
    "5+Bob chats: look at www.example.com/rules before the next round please",
    "7+Cy says: Way To Go!",
    "3+Dee chats: averyveryverylongwordwithoutanyblanksthatmustbebrokenacrossrows and more",
    "9+Eve grins :)#12 :)#13 :)#14",
};

std::string lineNumber(std::size_t i)
{
    return kLines[i % kLines.size()] + " " + std::to_string(i);
}

void fill(TranscriptPane &pane, std::size_t lines)
{
    pane.clearMainChat();
    for (std::size_t i = 0; i < lines; ++i)
        pane.addlinetochat(lineNumber(i), ColourValue(0));
}

// A pane that was never shown takes its size at its first drawing; do that
// before measuring, so that the one full layout for the new width is not
// counted as the cost of a line.
void settle(TranscriptPane &pane, QImage &canvas)
{
    QPainter painter(&canvas);
    pane.viewport()->render(&painter);
}

void appendLines(benchmark::State &state, bool draw, bool screenReader = false)
{
    const auto base = std::size_t(state.range(0));
    TranscriptPane pane;
    pane.resize(267, 339);
    if (screenReader)
        pane.keepPlainText();
    QImage canvas(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    settle(pane, canvas);
    fill(pane, base);
    std::size_t shown = base;
    for (auto _ : state) {
        // Keep the transcript near its measured length.
        if (shown > base + base / 2) {
            state.PauseTiming();
            fill(pane, base);
            shown = base;
            state.ResumeTiming();
        }
        pane.addlinetochat(lineNumber(shown++), ColourValue(0));
        if (draw) {
            QPainter painter(&canvas);
            pane.viewport()->render(&painter);
        }
        benchmark::DoNotOptimize(pane.transcript().items().size());
    }
    state.counters["lines"] = double(shown);
}

void BM_AppendLine(benchmark::State &state)
{
    appendLines(state, false);
}

void BM_AppendLineAndDraw(benchmark::State &state)
{
    appendLines(state, true);
}

void BM_AppendLineReadByScreenReader(benchmark::State &state)
{
    appendLines(state, false, true);
}

// Text size changes back and forth, each until the pane shows the new size;
// with allLaidOut, every line out of view is laid out too.
void changeTextSize(benchmark::State &state, bool allLaidOut)
{
    TranscriptPane pane;
    pane.resize(267, 339);
    QImage canvas(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    settle(pane, canvas);
    fill(pane, std::size_t(state.range(0)));
    int size = 10;
    for (auto _ : state) {
        size = size == 10 ? 12 : 10;
        pane.chooseTextSize(size);
        QPainter painter(&canvas);
        pane.viewport()->render(&painter);
        if (allLaidOut)
            pane.finishLayout();
    }
}

// The change itself and the drawing of the view, as the user waits for them.
void BM_TextSizeChange(benchmark::State &state)
{
    changeTextSize(state, false);
}

// The same and the lines out of view, which the idle turns after the change
// lay out a batch at a time: the whole work, not a wait.
void BM_TextSizeChangeAllLaidOut(benchmark::State &state)
{
    changeTextSize(state, true);
}

// A peer's longest possible line: one word of 60,000 characters.
void BM_HugeWordLine(benchmark::State &state)
{
    TranscriptPane pane;
    pane.resize(267, 339);
    QImage canvas(pane.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    settle(pane, canvas);
    const std::string line = "4+Mal chats: " + std::string(60000, 'x');
    for (auto _ : state) {
        pane.addlinetochat(line, ColourValue(0));
        QPainter painter(&canvas);
        pane.viewport()->render(&painter);
    }
}

BENCHMARK(BM_HugeWordLine)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendLine)->Arg(1000)->Arg(10000)->Iterations(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendLineReadByScreenReader)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(5000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendLineAndDraw)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextSizeChange)->Arg(1000)->Arg(10000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextSizeChangeAllLaidOut)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
