#include "app/qt/client_link.h"
#include "app/qt/app_log.h"

#include "net/error_report.h"

#include <algorithm>

namespace kalvex {

ClientLink::ClientLink(QObject *parent) : QObject(parent)
{
    sock.OnRead = [this](TSock &sender, int) { received(sender); };
    sock.OnInfo = [this](TSock &, TSocketInfo, const QString &text) {
        if (text == QLatin1String("Socket Closed") && onClosed)
            onClosed();
    };
    Timer1.setObjectName(QStringLiteral("Timer1"));
    sock.setObjectName(QStringLiteral("sock"));
    Timer1.setInterval(kTickMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { tick(); });
    // The queue starts with a line, so the timer runs from the start.
    Timer1.start();
}

void ClientLink::open(const QString &host, const QString &port)
{
    sock.setHostName(host);
    sock.setPortName(port);
    sock.Open();
}

void ClientLink::send(std::string_view bytes)
{
    sock.Send(bytes);
}

void ClientLink::received(TSock &sender)
{
    const std::string bytes = sender.ReceiveText();
    if (receivedlist.receive(sender.id(), bytes) == ReceiveResult::Overflow)
        qCWarning(lcApp) << "dropped an oversized or excess message from the game server";
    wake();
}

void ClientLink::tick()
{
    sinceTick.start();
    if (Timer1.interval() != kTickMs)
        Timer1.setInterval(kTickMs);
    const InboundLine line = receivedlist.take();
    guarded(ErrorOrigin::Local, [&] {
        if (onLine)
            onLine(line.text);
    });
    guarded(ErrorOrigin::Local, [&] {
        if (afterTick)
            afterTick();
    });
    // An idle link makes no wake-ups: nothing waits and nothing counts.
    if (receivedlist.empty() && !(countingTicks && countingTicks()))
        Timer1.stop();
}

void ClientLink::wake()
{
    if (Timer1.isActive())
        return;
    // A line that finds the timer asleep is taken as soon as the read event
    // has ended, unless the last tick was less than an interval ago: the pace
    // stays one line per tick, in arrival order.
    const qint64 since = sinceTick.isValid() ? sinceTick.elapsed() : kTickMs;
    Timer1.start(static_cast<int>(std::clamp<qint64>(kTickMs - since, 0, kTickMs)));
}

} // namespace kalvex
