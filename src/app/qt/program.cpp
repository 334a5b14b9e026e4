#include "app/qt/program.h"

#include "app/qt/file_places.h"
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
    window->setSeats([&main] { return main.session().myslot(); },
                     [&main](int slot) { return main.seatName(slot).value_or(std::string()); });
    QPointer<Ttallylist> tally(window);
    main.setTallyHooks({[tally](int column) {
                            if (tally)
                                tally->addtomineincrease(column);
                        },
                        [tally](std::string_view winner) {
                            if (tally)
                                tally->addgame(winner);
                        }});
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
    main.setWindows(others);
    main.setArguments(arguments);
}

Program::~Program() = default;

} // namespace kalvex
