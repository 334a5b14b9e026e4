#pragma once
// Runs a computer player on a real game link: the socket endpoint, the
// inbound queue with its 10 ms dispatch timer, the thinking timer and the
// one-second round clock.

#include "bot/bot_player.h"
#include "net/inbound_queue.h"
#include "net/qt/tsock.h"

#include <QObject>
#include <QTimer>

namespace kalvex::bot {

class BotConnection : public QObject, private BotSurroundings
{
    Q_OBJECT

public:
    BotConnection(BotOptions options, const QString &host, const QString &port, bool verbose,
                  QObject *parent = nullptr);

    // Opens the link; the rest follows from the server's messages.
    void start();
    const BotPlayer &player() const { return bot; }

signals:
    // The player is done; the exit code of the program.
    void finished(int exitCode);

private:
    void send(const std::string &bytes) override;
    void startTimer(int ms) override;
    void roundClock(bool run) override;
    void leave(int exitCode) override;
    void log(std::string_view text) override;
    void report(std::string_view text) override;

    void received();
    void dispatchTick();
    void wakeDispatch();

    QString playerName;
    bool verbose;
    TSock sock;
    InboundQueue queue;
    QTimer dispatchTimer;
    QTimer thinkTimer;
    QTimer clockTimer;
    bool done = false;
    // The link closed; the close is handled once the queue is empty.
    bool closePending = false;
    BotPlayer bot;
};

} // namespace kalvex::bot
