// The hosting program as a player runs it (the real main window, server and
// error reporter, offscreen), driven the way a host drives it: once the named
// players are seated it starts a game from the game options dialog and sits
// the game out as a spectator. The host's own client starts games only from
// its window, so a test that needs a game from outside uses this program.
//
//   kalvex-hostile-host ROUNDS NAME...
//
// Standard output: "ready" once the host's client holds slot 1, "started"
// when round 1 began, then the status line when the game is won.
// Standard error: every error report, and the text of every message box
// that opens ("box: ..."); a box is closed at once so that the run goes on.

#include "app/qt/error_box.h"
#include "app/qt/kalvex_application.h"
#include "app/qt/program.h"
#include "net/error_report.h"
#include "windows/qt/gamestart_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kalvex;

namespace {

// Reports every message box that is shown, and closes it.
class BoxWatch : public QObject
{
public:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(object)) {
                std::fprintf(stderr, "box: %s\n", box->text().toLocal8Bit().constData());
                std::fflush(stderr);
                QTimer::singleShot(0, box, [box] { box->done(0); });
            }
        }
        return false;
    }
};

void say(const std::string &line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    KalvexApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kalvex"));
    if (argc < 3) {
        std::fprintf(stderr, "usage: kalvex-hostile-host ROUNDS NAME...\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::vector<std::string> players(argv + 2, argv + argc);

    ErrorBox::install();
    ErrorSink shown = setErrorSink({});
    setErrorSink([shown](ErrorOrigin origin, const std::string &text) {
        std::fprintf(stderr, "error (%s): %s\n", origin == ErrorOrigin::Local ? "local" : "peer",
                     text.c_str());
        std::fflush(stderr);
        shown(origin, text);
    });
    BoxWatch boxes;
    application.installEventFilter(&boxes);

    Program program({"Host", "127.0.0.1", "true"});
    MainWindow &window = program.mainWindow();
    window.show();
    const ClientSession &session = window.session();

    enum class Stage
    {
        Login,
        Seating,
        Starting,
        Playing,
        Over
    } stage = Stage::Login;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        switch (stage) {
        case Stage::Login:
            if (session.loggedin() && session.myslot() == 1) {
                say("ready");
                stage = Stage::Seating;
            }
            break;
        case Stage::Seating: {
            int seated = 0;
            for (const std::string &name : players) {
                for (int slot = 2; slot <= 10; ++slot) {
                    if (session.roster().seat(slot)->name == name) {
                        ++seated;
                        break;
                    }
                }
            }
            if (seated < static_cast<int>(players.size()))
                break;
            // File, Start Game, as the host clicks it.
            window.action("action_startgame")->trigger();
            Tgamestart *options = program.windows().gamestart;
            options->setRounds(rounds);
            options->setSix(1);
            options->setBonus(0);
            if (auto *start = options->findChild<QAbstractButton *>("button_start"))
                start->click();
            stage = Stage::Starting;
            break;
        }
        case Stage::Starting:
            if (session.roundText() == "ROUND: 1/" + std::to_string(rounds)) {
                window.action("action_justwatch")->trigger();
                say("started");
                stage = Stage::Playing;
            }
            break;
        case Stage::Playing:
            if (session.statusText().ends_with("has Won the Game!")) {
                say(session.statusText());
                stage = Stage::Over;
            }
            break;
        case Stage::Over:
            break;
        }
    });
    driver.start(50);
    return QApplication::exec();
}
