// The kalvex-lobby program: one lobby per user, its window, the event loop.

#include "app/qt/kalvex_application.h"
#include "app/qt/single_instance.h"
#include "app/qt/translations.h"
#include "lobby/qt/game_room.h"
#include "lobby/qt/lobby_window.h"
#include "lobby/qt/password_store.h"
#include "lobby/qt/port_mapper.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc == 2 &&
        (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0)) {
        if (std::strcmp(argv[1], "--version") == 0)
            std::puts("kalvex-lobby 1.0.5");
        else
            std::puts("Usage: kalvex-lobby\n"
                      "Finds Kalvex games on this network and in an internet chat room, and\n"
                      "starts the game to host one, join one, or play alone. See kalvex-lobby(6).");
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }

    kalvex::KalvexApplication application(argc, argv);
    // The game's name, so that both keep their files in the same place.
    QApplication::setApplicationName(QStringLiteral("kalvex"));
    QApplication::setDesktopFileName(QStringLiteral("kalvex"));
    Q_INIT_RESOURCE(desktop_icons);
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("kalvex"), QIcon(QStringLiteral(":/icons/kalvex-64.png"))));
    // The game's catalogue holds the lobby's texts too.
    kalvex::installTranslations(application, QStringLiteral("kalvex"));

    kalvex::SingleInstance guard(QStringLiteral("orbo77lobby"));
    if (guard.anotherInstanceRuns())
        return 0;

    kalvex::LobbyWindow window(kalvex::LobbyWindow::portsFromEnvironment(),
                               {kalvex::makeXmppGameRoom(), kalvex::makeRouterPortMapper(),
                                kalvex::makeDesktopPasswordStore()});
    QObject::connect(&guard, &kalvex::SingleInstance::raiseRequested, &window,
                     &kalvex::LobbyWindow::bringForward);
    window.show();
    return QApplication::exec();
}
