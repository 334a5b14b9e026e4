#pragma once
// Tspylist: the always-on-top list of spectators, from which the host can
// remove one.
// The program feeds it from the game client's spectator port (addentry,
// removeentry, whose lines go to the transcript) and tells it when this
// instance hosts; kickRequested goes to the session's `kicking`.

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
