// The kalvex program: one running instance per user, every window created
// once, then the event loop.

#include "app/launch_plan.h"
#include "app/qt/cursor_blink_limit.h"
#include "app/qt/error_box.h"
#include "app/qt/kalvex_application.h"
#include "app/qt/program.h"
#include "app/qt/single_instance.h"
#include "app/qt/start_up_leftovers.h"
#include "app/qt/translations.h"
#include "windows/qt/windows_resources.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The program's icon, from the desktop's theme when installed, else the
// copy stored in the program.
static QIcon programIcon()
{
    Q_INIT_RESOURCE(desktop_icons);
    QIcon stored;
    for (int size : {16, 32, 48, 64, 128, 256})
        stored.addFile(QStringLiteral(":/icons/kalvex-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("kalvex"), stored);
}

int main(int argc, char **argv)
{
    // Answered before anything needs a display.
    const std::vector<std::string> given(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const std::optional<std::string> text = kalvex::informationText(given)) {
        std::fputs(text->c_str(), stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }

    kalvex::KalvexApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kalvex"));
    QApplication::setDesktopFileName(QStringLiteral("kalvex"));
    QApplication::setWindowIcon(programIcon());
    kalvex::installTranslations(application, QStringLiteral("kalvex"));

    kalvex::SingleInstance guard(QStringLiteral("77obro"));
    if (guard.anotherInstanceRuns())
        return 0;

    kalvex::limitPaintingThreads();
    kalvex::ErrorBox::install();
    kalvex::CursorBlinkLimit cursorBlinkLimit;
    if (!kalvex::jpegDecoderAvailable())
        std::fprintf(stderr, "kalvex: Qt's JPEG image plugin is missing, so the lobby picture "
                             "cannot be shown; install the package that provides "
                             "imageformats/libqjpeg.so.\n");
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    kalvex::Program program(arguments);
    kalvex::MainWindow &window = program.mainWindow();
    QObject::connect(&guard, &kalvex::SingleInstance::raiseRequested, &window,
                     &kalvex::MainWindow::bringForward);
    window.show();
    kalvex::trimHeapAfterStartUp(&window);
    return QApplication::exec();
}
