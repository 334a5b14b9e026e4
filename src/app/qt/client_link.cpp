#include "app/qt/client_link.h"
#include "app/qt/app_log.h"

#include "net/error_report.h"

#include <algorithm>
#include <string>

namespace kalvex {

ClientLink::ClientLink(QObject *parent) : QObject(parent)
{
    sock.OnRead = [this](TSock &sender, int) { received(sender); };
    sock.OnInfo = [this](TSock &, TSocketInfo, const QString &text) {
        if (text != QLatin1String("Socket Closed"))
            return;
        // The lines that arrived with the close (a "CMD_full" answer, say)
        // are handled first; the timer calls onClosed once they are done.
        closePending = true;
        wake();
    };
    dispatchTimer.setObjectName(QStringLiteral("Timer1"));
    sock.setObjectName(QStringLiteral("sock"));
    dispatchTimer.setInterval(kTickMs);
    connect(&dispatchTimer, &QTimer::timeout, this, [this] { tick(); });
    // The queue starts with a line, so the timer runs from the start.
    dispatchTimer.start();
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

template <typename Step> void ClientLink::runStep(Step &&step)
{
    std::string error;
    try {
        step();
        return;
    } catch (const std::exception &e) {
        error = e.what();
    } catch (...) {
        error = "Unknown error";
    }
    // A box opened inside the tick would hold the timer (a timer never fires
    // again while its own handler runs), and with it every later line.
    QTimer::singleShot(0, this, [error] { reportError(ErrorOrigin::Local, error); });
}

void ClientLink::tick()
{
    sinceTick.start();
    if (dispatchTimer.interval() != kTickMs)
        dispatchTimer.setInterval(kTickMs);
    const InboundLine line = receivedlist.take();
    runStep([&] {
        if (onLine)
            onLine(line.text);
    });
    runStep([&] {
        if (afterTick)
            afterTick();
    });
    if (closePending && receivedlist.empty()) {
        closePending = false;
        runStep([&] {
            if (onClosed)
                onClosed();
        });
    }
    // An idle link makes no wake-ups: nothing waits and nothing counts.
    if (receivedlist.empty() && !closePending && !(countingTicks && countingTicks()))
        dispatchTimer.stop();
}

void ClientLink::wake()
{
    if (dispatchTimer.isActive())
        return;
    // A line that finds the timer asleep is taken as soon as the read event
    // has ended, unless the last tick was less than an interval ago: the pace
    // stays one line per tick, in arrival order.
    const qint64 since = sinceTick.isValid() ? sinceTick.elapsed() : kTickMs;
    dispatchTimer.start(static_cast<int>(std::clamp<qint64>(kTickMs - since, 0, kTickMs)));
}

} // namespace kalvex
