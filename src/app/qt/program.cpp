#include "app/qt/program.h"

#include "app/qt/file_places.h"
#include "server/qt/tserver.h"
#include "windows/qt/about_form.h"
#include "windows/qt/download_form.h"
#include "windows/qt/gamestart_form.h"
#include "windows/qt/help_form.h"
#include "windows/qt/phrases_form.h"
#include "windows/qt/spylist_form.h"

#include <QDialog>

namespace kalvex {

namespace {

QWidget *tallyWindow(Tchat &main)
{
    auto *window = new QDialog(&main);
    window->setObjectName(QStringLiteral("tallylist"));
    window->setWindowTitle(QStringLiteral("Kalvex  - Tally List"));
    return window;
}

} // namespace

Program::Program(const QStringList &arguments) : chat(std::make_unique<Tchat>())
{
    Tchat &main = *chat;
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
