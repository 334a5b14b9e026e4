#pragma once
// The running program: every window, created once in a fixed order with the
// main window first, living until the program ends.

#include "app/qt/main_window.h"

#include <QStringList>

#include <memory>

namespace kalvex {

class Program
{
public:
    // arguments: the command line without the program's name.
    explicit Program(const QStringList &arguments);
    ~Program();

    MainWindow &mainWindow() { return *chat; }
    const SecondaryWindows &windows() const { return others; }

private:
    // Declared before the main window, so that they outlive its game client.
    std::unique_ptr<TallyPort> tallyPort;
    std::unique_ptr<SpectatorPort> spectatorPort;
    std::unique_ptr<MainWindow> chat;
    SecondaryWindows others;
};

} // namespace kalvex
