// What drawing the main window costs, offscreen (or on the display that
// QT_QPA_PLATFORM names), at the screen's scale (QT_SCALE_FACTOR=2 for a
// dense screen):
//
//   paint_bench                       every case
//   paint_bench --grab DIR            pictures of the window in fixed states
//                                     (start.png, play.png, end.png), nothing timed
//
// BM_FullRepaint draws the whole window; the other cases time an event and
// the drawing it causes: a click on the check button, a clue arriving, a
// clock tick, a ball clicked.
#include "app/qt/main_window.h"
#include "app/qt/program.h"
#include "client/client_session.h"
#include "client/qt/board_panel.h"
#include "net/error_report.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using kalvex::MainWindow;
using kalvex::Program;

enum class State
{
    Start,
    Play,
    End
};

// A line from the server; the login's answer it makes has nowhere to go.
void feed(MainWindow &window, const std::string &line)
{
    kalvex::guarded(kalvex::ErrorOrigin::Local, [&] { window.session().handleLine(line); });
}

// Paints what is waiting to be painted.
void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

// The first row of a new round, full of balls, not yet sent.
void openFirstRow(MainWindow &window, int round)
{
    feed(window, "CMD_startround+" + std::to_string(round) + "+");
    feed(window, "CMD_nextplayer+3+1+");
    for (int position = 1; position <= 4; ++position)
        window.session().ballClick(1, position);
}

// The open row sent; the window is not connected, so the message fails quietly.
void sendRow(MainWindow &window)
{
    kalvex::guarded(kalvex::ErrorOrigin::Local, [&] { window.session().checkPress(); });
}

// The main window as a player seated third sees it: a game of four players
// in play, a judged row, a ball clicked in the open one, a solver, a watcher
// and the time bonus; or the round's end with the code and the winner.
std::unique_ptr<Program> windowIn(State state)
{
    auto program = std::make_unique<Program>(QStringList{"a", "b"});
    MainWindow &window = program->mainWindow();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was not shown\n");
    window.activateWindow();
    QTest::qWait(50);
    if (state == State::Start) {
        feed(window, "CMD_existingplayers+2+Bob");
        feed(window, "CMD_existingplayers+3+Cy");
        feed(window, "CMD_chat+2+Bob chats: hello :)#12 www.example.org|clRed");
        settle();
        return program;
    }
    window.session().setPlayername("Cy");
    for (const char *line :
         {"CMD_sendlogininfo+3", "CMD_newplayerinfo+3+Cy", "CMD_existingplayers+1+Bob",
          "CMD_existingplayers+4+Dan", "CMD_startgame+Bob+5+120+1+0+", "CMD_startround+2+",
          "CMD_nextplayer+3+1+", "CMD_yourresult+3+1+2+0+2+", "CMD_nextplayer+3+2+",
          "CMD_gotit+4+21+9+4+1+2+3+4+", "CMD_justwatching+4+1",
          "CMD_chat+1+Bob chats: good luck :)#12|clRed"})
        feed(window, line);
    window.session().ballClick(2, 3);
    window.board()->setFocus(Qt::TabFocusReason);
    if (state == State::End) {
        for (const char *line : {"CMD_timeup+1+4+5+2+", "CMD_endround", "CMD_winner+4"})
            feed(window, line);
    }
    settle();
    return program;
}

// Every widget of the window drawn again, as when the whole window is
// uncovered.
void BM_FullRepaint(benchmark::State &state)
{
    auto program = windowIn(static_cast<State>(state.range(0)));
    MainWindow &window = program->mainWindow();
    const QList<QWidget *> widgets = window.findChildren<QWidget *>();
    for (auto _ : state) {
        window.update();
        for (QWidget *widget : widgets)
            widget->update();
        settle();
    }
    state.SetLabel(std::to_string(window.devicePixelRatioF()).substr(0, 3) + "x");
}
BENCHMARK(BM_FullRepaint)
    ->ArgName("play")
    ->Arg(int(State::Start))
    ->Arg(int(State::Play))
    ->Unit(benchmark::kMillisecond);

// A full row, the check button clicked, and everything it makes drawn.
void BM_CheckClickAndPaint(benchmark::State &state)
{
    auto program = windowIn(State::Play);
    MainWindow &window = program->mainWindow();
    auto *check = window.board()->findChild<QAbstractButton *>("button_check");
    int round = 3;
    for (auto _ : state) {
        state.PauseTiming();
        openFirstRow(window, round++);
        settle();
        state.ResumeTiming();
        QTest::mouseClick(check, Qt::LeftButton);
        settle();
    }
}
BENCHMARK(BM_CheckClickAndPaint)->Unit(benchmark::kMillisecond);

// The server's clue for the row just sent, drawn.
void BM_ClueArrivesAndPaint(benchmark::State &state)
{
    auto program = windowIn(State::Play);
    MainWindow &window = program->mainWindow();
    int round = 3;
    for (auto _ : state) {
        state.PauseTiming();
        openFirstRow(window, round++);
        sendRow(window);
        settle();
        state.ResumeTiming();
        feed(window, "CMD_yourresult+3+1+1+2+0+");
        settle();
    }
}
BENCHMARK(BM_ClueArrivesAndPaint)->Unit(benchmark::kMillisecond);

// One second of the round clock: its text and bar, drawn.
void BM_ClockTickAndPaint(benchmark::State &state)
{
    auto program = windowIn(State::Play);
    MainWindow &window = program->mainWindow();
    int round = 3;
    for (auto _ : state) {
        state.PauseTiming();
        if (window.session().secondsleft() < 30) {
            openFirstRow(window, round++);
            settle();
        }
        state.ResumeTiming();
        window.session().clockTick();
        settle();
    }
}
BENCHMARK(BM_ClockTickAndPaint)->Unit(benchmark::kMillisecond);

// A round's end and the next round's start, as the server sends them, each
// drawn: the code shown, then the board emptied and the first row opened.
void BM_RoundEndAndStartAndPaint(benchmark::State &state)
{
    auto program = windowIn(State::Play);
    MainWindow &window = program->mainWindow();
    int round = 3;
    for (auto _ : state) {
        state.PauseTiming();
        openFirstRow(window, round++);
        for (int row = 1; row <= 8; ++row) {
            sendRow(window);
            feed(window, "CMD_yourresult+3+" + std::to_string(row) + "+1+2+1+");
            feed(window, "CMD_nextplayer+3+" + std::to_string(row + 1) + "+");
            for (int position = 1; position <= 4; ++position)
                window.session().ballClick(row + 1, position);
        }
        settle();
        state.ResumeTiming();
        for (const char *line : {"CMD_timeup+1+4+5+2+", "CMD_endround"}) {
            feed(window, line);
            settle();
        }
        feed(window, "CMD_startround+" + std::to_string(round) + "+");
        settle();
    }
}
BENCHMARK(BM_RoundEndAndStartAndPaint)->Unit(benchmark::kMillisecond);

// A ball clicked in the open row, drawn.
void BM_BallClickAndPaint(benchmark::State &state)
{
    auto program = windowIn(State::Play);
    MainWindow &window = program->mainWindow();
    QWidget *hole = window.board()->findChild<QWidget *>("try_b2");
    for (auto _ : state) {
        QTest::mouseClick(hole, Qt::LeftButton);
        settle();
    }
}
BENCHMARK(BM_BallClickAndPaint)->Unit(benchmark::kMillisecond);

// The board panel rendered the first time, when its kept picture (and in
// play the lit row's band) is painted (first:1), and again with both kept
// (first:0); the difference between play:1 and play:0 of a first render is
// what the first time a row is lit costs.
void BM_PanelRender(benchmark::State &state)
{
    auto program = windowIn(state.range(1) == 1 ? State::Play : State::Start);
    MainWindow &window = program->mainWindow();
    const qreal ratio = window.devicePixelRatioF();
    QPixmap surface(window.board()->size() * ratio);
    surface.setDevicePixelRatio(ratio);
    auto panel = std::make_unique<kalvex::BoardPanel>(window.session());
    panel->render(&surface);
    for (auto _ : state) {
        if (state.range(0) == 1) {
            state.PauseTiming();
            panel = std::make_unique<kalvex::BoardPanel>(window.session());
            state.ResumeTiming();
        }
        panel->render(&surface);
    }
}
BENCHMARK(BM_PanelRender)
    ->ArgNames({"first", "play"})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

int grab(const QString &directory)
{
    QDir().mkpath(directory);
    const std::pair<State, const char *> states[] = {
        {State::Start, "start.png"}, {State::Play, "play.png"}, {State::End, "end.png"}};
    for (const auto &[state, name] : states) {
        auto program = windowIn(state);
        if (!program->mainWindow().grab().save(QDir(directory).filePath(name))) {
            std::fprintf(stderr, "cannot write %s\n", name);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    QTemporaryDir runtime;
    qputenv("KALVEX_HOME", home.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // Nothing listens here: the window sends nowhere.
    qputenv("KALVEX_PORT", "1");
    qputenv("KALVEX_LOBBY_PORT", "1");
    qputenv("KALVEX_LOBBY_URL", "http://127.0.0.1:1/none");
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0);
    // The window is not connected: what it would send fails quietly here.
    kalvex::setErrorSink([](kalvex::ErrorOrigin, const std::string &) {});
    if (argc == 3 && std::string(argv[1]) == "--grab")
        return grab(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
