#include "server/qt/tserver.h"

#include "net/error_report.h"
#include "server/random_source.h"

#include <QLoggingCategory>

#include <algorithm>

namespace kalvex {

Q_LOGGING_CATEGORY(lcServer, "kalvex.server", QtWarningMsg)

TServer::TServer(QObject *parent)
    : TServer(std::make_unique<SeededRandom>(SeededRandom::clockSeed()), parent)
{}

TServer::TServer(std::unique_ptr<RandomSource> randomSource, QObject *parent)
    : QObject(parent), random(std::move(randomSource)), engine(*this, *random, *this)
{
    setObjectName(QStringLiteral("Server"));
    uptime.start();
    Sock1.setObjectName(QStringLiteral("Sock1"));
    // What a peer causes is logged, never shown in a box.
    Sock1.OnAccept = [this](TSock &) { guarded(ErrorOrigin::Peer, [this] { Sock1Accept(); }); };

    dispatchTimer.setObjectName(QStringLiteral("socktimer"));
    dispatchTimer.setInterval(kDispatchMs);
    connect(&dispatchTimer, &QTimer::timeout, this, &TServer::dispatchTick);
    // The queue starts with one empty line, passed over on the first tick.
    dispatchTimer.start();

    gameClock.setObjectName(QStringLiteral("timer1"));
    gameClock.setInterval(kClockMs);
    gameClock.setTimerType(Qt::PreciseTimer);
    connect(&gameClock, &QTimer::timeout, this, &TServer::gameClockTick);

    loginTimer.setObjectName(QStringLiteral("loginTimer"));
    loginTimer.setSingleShot(true);
    connect(&loginTimer, &QTimer::timeout, this, &TServer::checkLogins);
}

TServer::~TServer()
{
    // The endpoints go with Sock1; their departures need not reach the rules.
    for (QPointer<TSock> &endpoint : endpoints) {
        if (endpoint) {
            endpoint->OnInfo = nullptr;
            endpoint->OnDisconnect = nullptr;
            endpoint->OnRead = nullptr;
        }
    }
}

void TServer::startListening(quint16 port)
{
    Sock1.setPortName(QString::number(port));
    Sock1.setListen(true);
}

void TServer::Sock1Accept()
{
    TSock *endpoint = nullptr;
    // A failed system accept leaves every slot as it was.
    if (!Sock1.Accept(endpoint) || endpoint == nullptr)
        return;
    const Admission admission = engine.acceptConnection();
    if (admission.refused()) {
        guarded(ErrorOrigin::Peer, [&] { endpoint->Send(admission.greeting); });
        endpoint->Close();
        endpoint->deleteLater();
        return;
    }
    const ConnectionId connection = admission.connection;
    endpoint->Tag = admission.slot;
    endpoint->OnRead = [this, connection](TSock &sender, int) {
        guarded(ErrorOrigin::Peer, [&] { endpointRead(sender, connection); });
    };
    endpoint->OnDisconnect = [this, connection](TSock &) {
        guarded(ErrorOrigin::Peer, [&] { engine.peerDisconnected(connection); });
    };
    endpoint->OnInfo = [this, connection](TSock &sender, TSocketInfo category,
                                          const QString &text) {
        endpointInfo(sender, connection, category, text);
    };
    endpoints[admission.slot] = endpoint;
    guarded(ErrorOrigin::Peer, [&] { endpoint->Send(admission.greeting); });
    scheduleLoginCheck();
}

void TServer::endpointRead(TSock &sender, ConnectionId connection)
{
    const std::string bytes = sender.ReceiveText();
    const auto admit = [this, connection](std::string_view line) {
        return engine.admitLine(connection, line);
    };
    if (receivedlist.receive(connection, bytes, admit) == ReceiveResult::Overflow) {
        qCInfo(lcServer) << "closing slot" << sender.Tag << "past its share of the queue";
        if (engine.players().connectedSlotOf(connection) != 0)
            close(sender.Tag);
    }
    wakeDispatch();
}

void TServer::endpointInfo(TSock &sender, ConnectionId connection, TSocketInfo category,
                           const QString &text)
{
    if (category != TSocketInfo::Close || text != QLatin1String("Socket Closed"))
        return;
    // Lines of a connection that has gone would only be dropped.
    receivedlist.discard(connection);
    guarded(ErrorOrigin::Peer, [&] { engine.socketClosed(connection); });
    const int slot = sender.Tag;
    if (slot >= 1 && slot <= kMaxPlayers && endpoints[slot] == &sender) {
        endpoints[slot] = nullptr;
        sender.deleteLater();
    }
    scheduleLoginCheck();
}

void TServer::dispatchTick()
{
    // A tick that came early (the first line after a sleep) sets the pace back.
    lastTickMs = nowMs();
    if (dispatchTimer.interval() != kDispatchMs)
        dispatchTimer.setInterval(kDispatchMs);
    // Lines left by a connection that has gone would only be dropped: they
    // are passed over without taking a tick each.
    InboundLine line = receivedlist.take();
    while (line.connection != kNoConnection && !receivedlist.empty() &&
           engine.players().connectedSlotOf(line.connection) == 0)
        line = receivedlist.take();
    guarded(ErrorOrigin::Peer, [&] { engine.handleLine(line.connection, line.text); });
    // Asleep while nothing waits; a received line wakes it.
    if (receivedlist.empty())
        dispatchTimer.stop();
    scheduleLoginCheck();
}

void TServer::wakeDispatch()
{
    if (dispatchTimer.isActive() || receivedlist.empty())
        return;
    // A line that finds the dispatch asleep is taken as soon as the read
    // event has ended, unless the last tick was less than an interval ago:
    // the pace stays one line per tick, in arrival order.
    const std::int64_t wait = kDispatchMs - (nowMs() - lastTickMs);
    dispatchTimer.start(static_cast<int>(std::clamp<std::int64_t>(wait, 0, kDispatchMs)));
}

void TServer::gameClockTick()
{
    guarded(ErrorOrigin::Peer, [&] { engine.clockTick(); });
}

void TServer::checkLogins()
{
    guarded(ErrorOrigin::Peer, [&] { engine.checkLoginDeadlines(); });
    scheduleLoginCheck();
}

void TServer::scheduleLoginCheck()
{
    const std::optional<std::int64_t> due = engine.nextLoginDeadline();
    if (!due) {
        loginTimer.stop();
        return;
    }
    const std::int64_t wait = std::max<std::int64_t>(0, *due - nowMs());
    loginTimer.start(static_cast<int>(std::min<std::int64_t>(wait, GameServer::kLoginDeadlineMs)));
}

void TServer::send(int slot, std::string_view bytes)
{
    TSock *endpoint = endpoints[slot];
    if (endpoint == nullptr)
        return;
    // A send that fails belongs to that one peer: it is logged, never shown.
    try {
        endpoint->Send(bytes);
    } catch (const std::exception &error) {
        qCInfo(lcServer) << "send to slot" << slot << "failed:" << error.what();
    }
}

void TServer::close(int slot)
{
    if (TSock *endpoint = endpoints[slot])
        endpoint->Close();
}

void TServer::setClockEnabled(bool enabled)
{
    // Enabling a running clock keeps its phase.
    if (!enabled)
        gameClock.stop();
    else if (!gameClock.isActive())
        gameClock.start();
}

void TServer::log(std::string_view text)
{
    qCInfo(lcServer) << QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::int64_t TServer::nowMs() const
{
    return uptime.elapsed();
}

} // namespace kalvex
