#include "soak_run.h"

#include "app/qt/program.h"
#include "bot/board_play.h"
#include "windows/qt/gamestart_form.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <map>

namespace kalvex::bot {

namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Kilobytes of a /proc status field ("VmRSS", "VmHWM") of a process.
long statusKb(qint64 pid, const char *field)
{
    QFile file(pid == 0 ? QStringLiteral("/proc/self/status")
                        : QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ":";
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

const char *const kLevels[] = {"easy", "normal", "expert"};

} // namespace

SoakRun::SoakRun(SoakOptions soakOptions) : options(std::move(soakOptions)) {}

SoakRun::~SoakRun()
{
    for (auto &bot : bots) {
        if (bot->state() != QProcess::NotRunning) {
            bot->kill();
            bot->waitForFinished(5000);
        }
    }
}

bool SoakRun::waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastReport = 0;
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop pause;
        QTimer::singleShot(20, &pause, &QEventLoop::quit);
        pause.exec();
        if (progress && clock.elapsed() / 10000 != lastReport) {
            lastReport = clock.elapsed() / 10000;
            std::fprintf(stderr, "soak: %s\n", qPrintable(progress()));
        }
        // An error box of the window counts as a failure; it is closed.
        if (QWidget *box = QApplication::activeModalWidget()) {
            fail("an error box appeared: " + box->windowTitle());
            box->close();
        }
    }
    return true;
}

void SoakRun::fail(const QString &why)
{
    ++failures;
    std::fprintf(stderr, "soak: %s\n", qPrintable(why));
}

int SoakRun::run()
{
    QTemporaryDir home;
    QTemporaryDir runtime;
    QTcpServer lobby;
    lobby.listen(QHostAddress::LocalHost, 0);
    const quint16 port = freePort();
    qputenv("KALVEX_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("KALVEX_PORT", QByteArray::number(port));
    qputenv("KALVEX_LOBBY_PORT", QByteArray::number(lobby.serverPort()));

    QElapsedTimer wall;
    wall.start();
    Program program({"Host", "127.0.0.1", "true"});
    MainWindow &window = program.mainWindow();
    window.show();
    ClientSession &session = window.session();
    progress = [&] {
        return QString::fromStdString(session.roundText() + " | " + session.statusText() +
                                      " | row " + std::to_string(session.board().openRow()) +
                                      " guessslot " + std::to_string(session.guessslot()));
    };
    if (!waitFor([&] { return session.loggedin() && session.myslot() == 1; }, 15000)) {
        fail("the host did not log in");
        return 1;
    }

    for (int n = 1; n <= options.bots; ++n) {
        auto bot = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KALVEX_PORT", QString::number(port));
        bot->setProcessEnvironment(env);
        bot->setProgram(options.botProgram);
        bot->setArguments({QStringLiteral("Computer %1").arg(n), "127.0.0.1", "--level",
                           kLevels[(n - 1) % 3], "--games", QString::number(options.games),
                           "--think-ms", QString::number(options.thinkMs), "--seed",
                           QString::number(n)});
        bot->start();
        const QString name = QStringLiteral("Computer %1").arg(n).toStdString().c_str();
        if (!bot->waitForStarted(10000) ||
            !waitFor([&] { return session.roster().seat(n + 1)->name == name.toStdString(); },
                     20000)) {
            fail("Computer " + QString::number(n) + " did not join");
            return 1;
        }
        bots.push_back(std::move(bot));
    }

    // The host plays too, with the expert's plan.
    Solver hostSolver(Level::Expert, 6, 77);
    QTimer hostHand;
    hostHand.setInterval(20);
    QObject::connect(&hostHand, &QTimer::timeout, [&] {
        if (session.guessslot() == session.myslot() && session.board().openRow() != 0)
            enterCode(session, decideFromBoard(hostSolver, session));
    });
    hostHand.start();

    const long hostStartKb = statusKb(0, "VmRSS");
    std::map<int, int> wins;
    int roundsPlayed = 0;
    int tieRounds = 0;
    for (int game = 1; game <= options.games; ++game) {
        window.action("action_startgame")->trigger();
        Tgamestart *dialog = program.windows().gamestart;
        if (dialog == nullptr || !dialog->isVisible()) {
            fail("the game options dialog did not open");
            break;
        }
        dialog->setRounds(options.rounds);
        dialog->setSix(game % 2);
        dialog->setBonus(game % 3 == 0 ? 1 : 0);
        dialog->startGame();
        if (!waitFor([&] { return session.winnerSeat() == 0 && session.roundText() != ""; },
                     10000) ||
            !waitFor([&] { return session.winnerSeat() != 0; }, 10 * 60 * 1000)) {
            fail(QStringLiteral("game %1 did not end").arg(game));
            break;
        }
        const std::string &round = session.roundText();
        const int rounds = std::atoi(round.c_str() + round.find(' ') + 1);
        roundsPlayed += rounds;
        tieRounds += rounds - options.rounds;
        ++wins[session.winnerSeat()];
        for (int slot = 1; slot <= options.bots + 1; ++slot) {
            if (session.roster().seat(slot)->name == std::string(kWaitingName))
                fail(QStringLiteral("seat %1 emptied during game %2").arg(slot).arg(game));
        }
        std::printf("game %d: %d round(s), won by %s with %s\n", game, rounds,
                    session.roster().seat(session.winnerSeat())->name.c_str(),
                    session.roster().seat(session.winnerSeat())->score.c_str());
        std::fflush(stdout);
    }
    const long hostEndKb = statusKb(0, "VmRSS");
    std::map<int, long> botPeakKb;
    for (std::size_t i = 0; i < bots.size(); ++i)
        botPeakKb[static_cast<int>(i) + 1] = statusKb(bots[i]->processId(), "VmHWM");

    // After their games the players leave on their own.
    for (std::size_t i = 0; i < bots.size(); ++i) {
        QProcess &bot = *bots[i];
        if (!waitFor([&] { return bot.state() == QProcess::NotRunning; }, 30000)) {
            fail(QStringLiteral("Computer %1 did not leave").arg(i + 1));
            continue;
        }
        if (bot.exitStatus() != QProcess::NormalExit || bot.exitCode() != 0)
            fail(QStringLiteral("Computer %1 ended with %2: %3")
                     .arg(i + 1)
                     .arg(bot.exitCode())
                     .arg(QString::fromLocal8Bit(bot.readAllStandardError())));
        const QByteArray out = bot.readAllStandardOutput();
        const int games = out.count(" won by ");
        if (games != options.games)
            fail(QStringLiteral("Computer %1 saw %2 games end").arg(i + 1).arg(games));
        int solves = 0;
        long rows = 0;
        for (const QByteArray &line : out.split('\n')) {
            const int at = line.indexOf("found the code on row ");
            if (at >= 0) {
                ++solves;
                rows += line.mid(at + 22).toInt();
            }
        }
        std::printf("Computer %zu (%s): %d solves, %.2f rows on average, peak memory %ld kB\n",
                    i + 1, kLevels[i % 3], solves, solves ? double(rows) / solves : 0.0,
                    botPeakKb[static_cast<int>(i) + 1]);
    }

    std::printf("%d games, %d rounds (%d tie rounds) in %.0f s; wins by seat:", options.games,
                roundsPlayed, tieRounds, wall.elapsed() / 1000.0);
    for (const auto &[seat, count] : wins)
        std::printf(" %d:%d", seat, count);
    std::printf("\nhost memory %ld kB after logging in, %ld kB after the last game\n", hostStartKb,
                hostEndKb);
    std::printf("%s\n", failures == 0 ? "soak passed" : "soak FAILED");
    return failures == 0 ? 0 : 1;
}

} // namespace kalvex::bot
