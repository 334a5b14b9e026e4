#pragma once
// TServer: the game server's host in the hosting instance. It owns the
// listening endpoint Sock1, one endpoint per connected slot, the inbound
// queue with its dispatch timer (object name "socktimer") and the game clock
// (object name "timer1"), and hands their events to the game rules
// (GameServer). It is never shown.
//
// Use from the main window:
//   auto *server = new TServer(this);          // at start, listening nowhere
//   server->startListening(port);              // when the instance hosts
// startListening binds every local address; it throws ESockException
// ("Listen - Error Binding Socket", ...) for the caller to show. Once
// listening the server runs by itself until it is destroyed.

#include "net/inbound_queue.h"
#include "net/qt/tsock.h"
#include "server/game_server.h"
#include "server/server_ports.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>

namespace kalvex {

class TServer : public QObject, private ServerOutbox, private ServerClock
{
    Q_OBJECT

public:
    // The secret codes come from a generator seeded from the clock.
    explicit TServer(QObject *parent = nullptr);
    // The secret codes come from the given source (tests).
    explicit TServer(std::unique_ptr<RandomSource> random, QObject *parent = nullptr);
    ~TServer() override;

    // Starts listening on every local address; throws ESockException.
    // Port 0 picks a free port (see listeningPort).
    void startListening(quint16 port);
    bool isListening() const { return Sock1.Listen(); }
    quint16 listeningPort() const { return Sock1.boundPort(); }

    // The rules' state, for the window's diagnostics and for tests.
    const GameServer &rules() const { return engine; }
    // Lines received and not yet dispatched.
    std::size_t queuedLines() const { return receivedlist.size(); }

    // What one connection may have waiting: a client of this game sends a
    // few lines a second, so a connection past this floods and is closed.
    static constexpr InboundLimits kPeerLimits{
        .maxTail = LineFramer::kDefaultMaxTail, .maxLines = 256, .maxBytes = 256 * 1024};

    // Dispatch and clock intervals.
    static constexpr int kDispatchMs = 10;
    static constexpr int kClockMs = 1000;

private:
    // ServerOutbox
    void send(int slot, std::string_view bytes) override;
    void close(int slot) override;
    void setClockEnabled(bool enabled) override;
    void log(std::string_view text) override;
    // ServerClock
    std::int64_t nowMs() const override;

    void Sock1Accept();
    void endpointRead(TSock &sender, ConnectionId connection);
    void endpointInfo(TSock &sender, ConnectionId connection, TSocketInfo category,
                      const QString &text);
    void dispatchTick();
    void gameClockTick();
    void checkLogins();
    void scheduleLoginCheck();
    void wakeDispatch();

    TSock Sock1{this};
    // The endpoint of each slot, 1 to 10 (index 0 unused).
    std::array<QPointer<TSock>, kMaxPlayers + 1> endpoints{};
    InboundQueue receivedlist{std::string(), kPeerLimits};
    QTimer dispatchTimer{this};
    QTimer gameClock{this};
    QTimer loginTimer{this};
    QElapsedTimer uptime;
    // When the dispatch last took a line.
    std::int64_t lastTickMs = -kDispatchMs;
    std::unique_ptr<RandomSource> random;
    GameServer engine;
};

} // namespace kalvex
