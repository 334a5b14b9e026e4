// kalvex-soak [--games N] [--bots N] [--rounds N] [--think-ms MS] [--bot PATH]
//
// Hosts N games in the real main window (offscreen) with nine computer
// players and the host playing, back to back, and prints what it measured.
// Exit code 0 when every game ended with a winner and nothing went wrong.

#include "soak_run.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kalvex::bot::SoakOptions options;
    options.botProgram = QCoreApplication::applicationDirPath() + "/kalvex-bot";
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--games") == 0 && value > 0)
            options.games = value;
        else if (std::strcmp(argv[i], "--bots") == 0 && value > 0 && value <= 9)
            options.bots = value;
        else if (std::strcmp(argv[i], "--rounds") == 0 && value > 0 && value <= 10)
            options.rounds = value;
        else if (std::strcmp(argv[i], "--think-ms") == 0 && value >= 0)
            options.thinkMs = value;
        else if (std::strcmp(argv[i], "--bot") == 0)
            options.botProgram = QString::fromLocal8Bit(argv[i + 1]);
        else {
            std::fprintf(stderr, "usage: kalvex-soak [--games N] [--bots 1-9] [--rounds 1-10]"
                                 " [--think-ms MS] [--bot PATH]\n");
            return 2;
        }
    }
    kalvex::bot::SoakRun soak(options);
    return soak.run();
}
