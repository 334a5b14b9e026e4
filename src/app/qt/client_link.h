#pragma once
// The client's game link: the endpoint `sock`, its inbound queue and the
// dispatch timer (object name "Timer1") that hands one received line per
// tick onward.

#include "net/chat_limits.h"
#include "net/inbound_queue.h"
#include "net/qt/tsock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string_view>

namespace kalvex {

class ClientLink : public QObject
{
    Q_OBJECT

public:
    // Requested every millisecond by design; the platform's timers tick at
    // best every 10 ms, and the phrase buttons' lock counts these ticks.
    static constexpr int kTickMs = 10;

    explicit ClientLink(QObject *parent = nullptr);

    TSock &socket() { return sock; }
    const InboundQueue &queue() const { return receivedlist; }

    // Sets the endpoint's host and port and starts connecting.
    void open(const QString &host, const QString &port);
    // One whole message on the link. Throws ESockException when the link
    // was never opened or is closed.
    void send(std::string_view bytes);

    // One dispatch tick: the oldest line to onLine, then afterTick; once the
    // link has closed and nothing waits any more, onClosed.
    void tick();
    // Makes sure the timer runs (a line arrived, or a countdown started).
    void wake();
    bool ticking() const { return dispatchTimer.isActive(); }

    // The dispatch of one received line (without its terminator). What it
    // throws is reported once the tick has ended, so that a box the report
    // opens does not hold up the lines behind it.
    std::function<void(std::string_view line)> onLine;
    // Runs after each tick's line.
    std::function<void()> afterTick;
    // Whether something counts ticks even while no line waits.
    std::function<bool()> countingTicks;
    // The link reported "Socket Closed" and every line received before the
    // close has been dispatched.
    std::function<void()> onClosed;

private:
    void received(TSock &sender);
    // Runs a step of the tick; an error is reported after the tick.
    template <typename Step> void runStep(Step &&step);

    TSock sock;
    // A relayed chat carries its sender's name besides the text, so lines may
    // be longer than one message of the server's own cap.
    InboundQueue receivedlist{"receivedlist", {.maxTail = kMaxReceivedLineBytes}};
    QTimer dispatchTimer;
    // Since the last tick, so that a woken timer keeps the pace.
    QElapsedTimer sinceTick;
    // The close waits for the lines that came before it.
    bool closePending = false;
};

} // namespace kalvex
