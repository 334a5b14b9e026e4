#include "app/qt/program.h"

#include "app/qt/file_places.h"
#include "chat/transcript.h"
#include "client/game_client.h"
#include "net/error_report.h"
#include "server/qt/tserver.h"
#include "tally/qt/tally_list.h"
#include "windows/qt/about_form.h"
#include "windows/qt/download_form.h"
#include "windows/qt/gamestart_form.h"
#include "windows/qt/help_form.h"
#include "windows/qt/phrases_form.h"
#include "windows/qt/spylist_form.h"

#include <QMessageBox>
#include <QTimer>

namespace kalvex {

namespace {

// The game client's tally events go to the tally window while it exists.
class TallyWindowPort : public TallyPort
{
public:
    explicit TallyWindowPort(Ttallylist *tally) : window(tally) {}
    void addtomineincrease(int column) override
    {
        if (window)
            window->addtomineincrease(column);
    }
    void addgame(std::string_view winner) override
    {
        if (window)
            window->addgame(winner);
    }

private:
    QPointer<Ttallylist> window;
};

// Spectators coming and going are listed in the spy list and told in the
// transcript.
class SpyListPort : public SpectatorPort
{
public:
    SpyListPort(GameClient &gameClient, Tspylist *spylist) : client(gameClient), list(spylist) {}
    void spyEntered(int slot, std::string_view name) override
    {
        if (list)
            show(list->addentry(slot, name, client.session().myslot()));
    }
    void spyLeft(int slot, std::string_view name) override
    {
        if (!list)
            return;
        if (const auto line = list->removeentry(slot, name))
            show(*line);
    }

private:
    // The list answers whole system lines, "0+text".
    void show(std::string_view line) { client.transcript().addlinetochat(line, kSysColour); }

    GameClient &client;
    QPointer<Tspylist> list;
};

Ttallylist *tallyWindow(MainWindow &main)
{
    // The tally fails inside game events (a game won, a round started): its
    // box opens after the event, so that the dispatch goes on meanwhile.
    auto *window = new Ttallylist(programDirectory(), &main, [](const QString &text) {
        QTimer::singleShot(
            0, [message = text.toStdString()] { reportError(ErrorOrigin::Local, message); });
    });
    // Every box of the program bears its name.
    window->setConfirmer([window](const QString &question) {
        return QMessageBox::question(window, QStringLiteral("Kalvex"), question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    });
    window->setBackground(main.backgroundTile());
    window->setSeats(
        [&main] { return main.session().myslot(); },
        [&main](int slot) { return main.client().seatName(slot).value_or(std::string()); });
    return window;
}

} // namespace

Program::Program(const QStringList &arguments) : chat(std::make_unique<MainWindow>())
{
    MainWindow &main = *chat;
    const QPixmap &tile = main.backgroundTile();
    others.tallylist = tallyWindow(main);
    others.about = new Tabout(&main, tile);
    others.gamestart = new Tgamestart(&main, tile);
    others.help = new Thelp(&main, tile);
    others.phrases = new Tphrases(&main, tile);
    others.server = new TServer(&main);
    others.spylist = new Tspylist(&main, tile);
    others.download = new Tdownload(programDirectory(), &main);
    tallyPort = std::make_unique<TallyWindowPort>(others.tallylist);
    spectatorPort = std::make_unique<SpyListPort>(main.client(), others.spylist);
    main.client().setTally(tallyPort.get());
    main.client().setSpectators(spectatorPort.get());
    main.setWindows(others);
    main.setArguments(arguments);
}

Program::~Program() = default;

} // namespace kalvex
