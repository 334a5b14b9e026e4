#include "bot/qt/bot_connection.h"

#include "net/chat_limits.h"

#include <QTextStream>

#include <cstdio>

namespace kalvex::bot {

namespace {

constexpr int kDispatchMs = 10;
constexpr int kClockMs = 1000;
constexpr int kExitNoConnection = 1;

} // namespace

BotConnection::BotConnection(BotOptions options, const QString &host, const QString &port,
                             bool verbose, QObject *parent)
    : QObject(parent), playerName(QString::fromStdString(options.name)), verbose(verbose),
      // A relayed chat carries its sender's name besides the text.
      queue("receivedlist", {.maxTail = kMaxReceivedLineBytes}), bot(*this, std::move(options))
{
    sock.setHostName(host);
    sock.setPortName(port);
    sock.OnRead = [this](TSock &, int) { received(); };
    // The lines that arrived with the close (a "CMD_full" answer, say) are
    // handled first; the dispatch timer reports the close once they are done.
    sock.OnDisconnect = [this](TSock &) {
        closePending = true;
        wakeDispatch();
    };
    sock.OnInfo = [this](TSock &, TSocketInfo category, const QString &text) {
        if (category != TSocketInfo::Error || done)
            return;
        log("network error: " + text.toStdString());
        if (!sock.Connected())
            leave(kExitNoConnection);
    };

    dispatchTimer.setInterval(kDispatchMs);
    connect(&dispatchTimer, &QTimer::timeout, this, &BotConnection::dispatchTick);
    thinkTimer.setSingleShot(true);
    connect(&thinkTimer, &QTimer::timeout, this, [this] {
        bot.timerFired();
        wakeDispatch();
    });
    clockTimer.setInterval(kClockMs);
    connect(&clockTimer, &QTimer::timeout, this, [this] { bot.clockTick(); });
}

void BotConnection::start()
{
    try {
        sock.Open();
    } catch (const std::exception &error) {
        log(std::string("cannot connect: ") + error.what());
        QTimer::singleShot(0, this, [this] { leave(kExitNoConnection); });
    }
}

void BotConnection::received()
{
    if (queue.receive(sock.id(), sock.ReceiveText()) == ReceiveResult::Overflow)
        log("the server sent more than a message may hold; the excess was dropped");
    wakeDispatch();
}

void BotConnection::wakeDispatch()
{
    if (!done && !dispatchTimer.isActive() && (!queue.empty() || closePending || bot.needsTicks()))
        dispatchTimer.start();
}

void BotConnection::dispatchTick()
{
    // One line per tick, as the window takes them; asleep when idle.
    if (!queue.empty())
        bot.handleLine(queue.take().text);
    if (done)
        return;
    bot.dispatchTick();
    if (closePending && queue.empty() && !done) {
        closePending = false;
        bot.connectionClosed();
        return;
    }
    if (queue.empty() && !bot.needsTicks())
        dispatchTimer.stop();
}

void BotConnection::send(const std::string &bytes)
{
    if (done || !sock.hasSocket())
        return;
    try {
        sock.Send(bytes);
    } catch (const std::exception &error) {
        log(std::string("cannot send: ") + error.what());
    }
    wakeDispatch();
}

void BotConnection::startTimer(int ms)
{
    thinkTimer.start(ms);
}

void BotConnection::roundClock(bool run)
{
    if (run)
        clockTimer.start();
    else
        clockTimer.stop();
}

void BotConnection::leave(int exitCode)
{
    if (done)
        return;
    done = true;
    dispatchTimer.stop();
    thinkTimer.stop();
    clockTimer.stop();
    sock.Close();
    emit finished(exitCode);
}

void BotConnection::log(std::string_view text)
{
    if (!verbose)
        return;
    std::fprintf(stderr, "[%s] %.*s\n", playerName.toLocal8Bit().constData(),
                 static_cast<int>(text.size()), text.data());
}

} // namespace kalvex::bot

namespace kalvex::bot {

void BotConnection::report(std::string_view text)
{
    std::printf("[%s] %.*s\n", playerName.toLocal8Bit().constData(), static_cast<int>(text.size()),
                text.data());
    std::fflush(stdout);
}

} // namespace kalvex::bot
