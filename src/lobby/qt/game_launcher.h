#pragma once
// Starts the game program with a lobby's command line and watches it end.
// One game at a time: the game itself keeps one instance per user.

#include "lobby/game_command.h"

#include <QObject>
#include <QProcess>

#include <memory>

namespace kalvex {

class GameLauncher : public QObject
{
    Q_OBJECT

public:
    explicit GameLauncher(QObject *parent = nullptr);
    // A game still running goes on after the lobby has ended.
    ~GameLauncher() override;

    // The game program: "kalvex" beside the lobby's own executable, else the
    // first on PATH; empty when there is none.
    static QString findGameProgram();

    // Starts the game; false (with a message for the user) when no game
    // program is found or a game started here still runs. A program that is
    // found but fails to run is reported later through startFailed.
    bool start(const GameCommand &command, QString *problem);
    bool running() const;

    // The environment games start with (the lobby's own at first). The
    // lobby port is always the one this lobby listens on.
    void setEnvironment(const QProcessEnvironment &environment) { baseEnvironment = environment; }
    void setLinkPort(quint16 port) { linkPort = port; }
    qint64 processId() const;
    const GameCommand &lastCommand() const { return command; }

signals:
    void startFailed(const QString &message);
    // The game program has ended (it had started).
    void ended();

private:
    void finished();

    std::unique_ptr<QProcess> process;
    GameCommand command;
    QProcessEnvironment baseEnvironment = QProcessEnvironment::systemEnvironment();
    quint16 linkPort = 0;
};

} // namespace kalvex
