#pragma once
// The computer players a hosting window has added: each is a kalvex-bot
// program joining 127.0.0.1 on the game port. A player whose seat is removed
// loses its connection and ends by itself; the rest end with this object.
//
// Use from the main window's File menu:
//   "Add Computer Player" enabled while canAdd(session);
//   its action calls add(session.roster(), port);
//   a "Level" submenu of easy / normal / expert calls setLevel().

#include "bot/solver.h"
#include "client/client_session.h"

#include <QObject>
#include <QProcess>
#include <QString>

#include <memory>
#include <vector>

namespace kalvex::bot {

class ComputerPlayers : public QObject
{
    Q_OBJECT

public:
    explicit ComputerPlayers(QObject *parent = nullptr);
    ~ComputerPlayers() override;

    Level level() const { return chosen; }
    void setLevel(Level level) { chosen = level; }

    // Hosting, logged in and a seat free (counting players still joining).
    bool canAdd(const ClientSession &session) const;
    // Starts a player at the chosen level with the next free name and
    // returns that name; empty when the program could not be started.
    QString add(const Roster &roster, quint16 port);

    // kalvex-bot beside the running program, else the one of the build.
    static QString program();
    // Players started and not ended.
    int running() const;

signals:
    // A player could not be started, or ended with an error (its own words).
    void failed(const QString &name, const QString &why);

private:
    struct Player
    {
        QString name;
        std::unique_ptr<QProcess> process;
        bool seated = false;
    };
    std::vector<std::string> joiningNames(const Roster &roster);

    Level chosen = Level::Normal;
    std::vector<Player> players;
};

} // namespace kalvex::bot
