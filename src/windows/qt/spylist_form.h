#pragma once
// Tspylist: the always-on-top list of spectators, from which the host can
// remove one.
//
// Wiring (main window):
//   ClientOutput::spyEntered(slot, name): addlinetochat(spylist->addentry(slot, name, myslot))
//   ClientOutput::spyLeft(slot, name):    if (auto line = spylist->removeentry(slot, name))
//   addlinetochat(*line) hostpress:                           spylist->setHosting(true)
//   connect(spylist, &Tspylist::kickRequested, [this](int slot) { session.kicking(slot); });
//   View menu "Spy List":                spylist->show()

#include "windows/qt/secondary_window.h"
#include "windows/spy_roster.h"

#include <optional>
#include <string>
#include <string_view>

class QAction;
class QListWidget;
class QMenu;

namespace kalvex {

class Tspylist : public SecondaryWindow
{
    Q_OBJECT

public:
    explicit Tspylist(QWidget *mainWindow, const QPixmap &background = {});

    // Lists "slot: name"; answers the system line for the transcript:
    // "0+You are spying." for this client's own slot, else "0+<name> is spying.".
    std::string addentry(int slot, std::string_view name, int myslot);
    // Deletes the entry for that slot and name; answers "0+<name> has left."
    // when it was listed, nothing otherwise.
    std::optional<std::string> removeentry(int slot, std::string_view name);

    // "Remove From Game" is usable only once this instance hosts.
    void setHosting(bool hosting);
    // The entry under the mouse pointer (updated on every move over the
    // list), or -1.
    int pointedEntry() const { return pointed; }
    QMenu *contextMenu() const { return menu; }
    // "Remove From Game" for the pointed entry.
    void removeFromGame();

signals:
    // The host asks to remove the spectator in this slot; the client session
    // sends it only while hosting and logged in.
    void kickRequested(int slot);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updatePointed(const QPoint &viewportPos);

    SpyRoster roster;
    QListWidget *list;
    QMenu *menu;
    QAction *removeAction;
    int pointed = -1;
};

} // namespace kalvex
