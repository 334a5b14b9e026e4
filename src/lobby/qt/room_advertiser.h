#pragma once
// RoomAdvertiser: while the lobby hosts a game and is in the internet room,
// it advertises the game there with an address players outside can reach:
// the one the player typed (port forwarded by hand), else the one the router
// maps, else none ("not reachable from outside"), never a private one. It
// asks the router for the mapping while hosting in the room and gives it
// back when the game ends or the lobby closes.

#include "lobby/game_advert.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class QHostAddress;

namespace kalvex {

class GameRoom;
class PortMapper;

// The game this lobby hosts, once it listens.
struct HostedGame
{
    std::string hostName;
    int port = 0;
    bool operator==(const HostedGame &) const = default;
};

// True for an address the internet can route to this side: not loop-back,
// private (RFC 1918), shared (100.64/10), link-local, or unique-local.
bool isPublicAddress(const QHostAddress &address);

// The connections the hosted game holds: the players and watchers at it.
int connectionsToLocalPort(int port);

class RoomAdvertiser : public QObject
{
    Q_OBJECT

public:
    // How often the players at the table are counted anew.
    static constexpr int kRecountMs = 2000;

    RoomAdvertiser(GameRoom &room, PortMapper &mapper, QObject *parent = nullptr);
    // Gives the router's mapping back.
    ~RoomAdvertiser() override;

    void setInRoom(bool inRoom);
    void setHostedGame(const std::optional<HostedGame> &game);
    // As typed: "host" or "host:port"; empty to ask the router. False (and
    // nothing changed) when the text is no address.
    bool setReachableAddress(const QString &text);

    // What is advertised now, nothing when nothing is.
    const std::optional<GameAdvert> &advertised() const { return current; }
    bool mappingRequested() const { return requested; }
    // A sentence on how players outside reach the hosted game; empty when
    // not hosting in the room.
    QString reachabilityText() const;

signals:
    void reachabilityChanged();

private:
    void mapped(const QString &address, quint16 port);
    void unavailable(const QString &reason);
    void update();

    GameRoom &room;
    PortMapper &mapper;
    QTimer recount;
    bool inRoom = false;
    std::optional<HostedGame> hosted;
    // The typed address, the router's, and why the router gave none.
    std::optional<std::pair<std::string, int>> typed;
    std::optional<std::pair<std::string, int>> routed;
    QString routerProblem;
    bool requested = false;
    std::optional<GameAdvert> current;
};

} // namespace kalvex
