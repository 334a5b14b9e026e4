#include "lobby/qt/room_advertiser.h"

#include "lobby/game_address.h"
#include "lobby/qt/game_room.h"
#include "lobby/qt/port_mapper.h"
#include "lobby/tcp_connection_table.h"
#include "net/message.h"

#include <QFile>
#include <QHostAddress>

namespace kalvex {

bool isPublicAddress(const QHostAddress &address)
{
    if (address.isNull() || address.isLoopback() || address.isLinkLocal() ||
        address.isMulticast() || address.isBroadcast() || address.isUniqueLocalUnicast())
        return false;
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (!isV4)
        return !address.isSiteLocal() && address != QHostAddress::AnyIPv6;
    const auto within = [v4](quint32 network, int bits) {
        return (v4 >> (32 - bits)) == (network >> (32 - bits));
    };
    return !within(0x00000000, 8) && !within(0x0A000000, 8) && !within(0xAC100000, 12) &&
           !within(0xC0A80000, 16) && !within(0x64400000, 10) && !within(0xA9FE0000, 16);
}

int connectionsToLocalPort(int port)
{
    int count = 0;
    for (const char *table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        // The table of a busy machine is large; the game's lines come first
        // only by chance, so it is read whole, but within a bound.
        if (file.open(QIODevice::ReadOnly))
            count += establishedConnectionsTo(file.read(16 * 1024 * 1024).toStdString(), port);
    }
    // More connections than the game seats cannot be players.
    return std::min(count, kMaxAdvertSeated);
}

RoomAdvertiser::RoomAdvertiser(GameRoom &room, PortMapper &mapper, QObject *parent)
    : QObject(parent), room(room), mapper(mapper)
{
    recount.setInterval(kRecountMs);
    connect(&recount, &QTimer::timeout, this, &RoomAdvertiser::update);
    connect(&mapper, &PortMapper::mapped, this, &RoomAdvertiser::mapped);
    connect(&mapper, &PortMapper::unavailable, this, &RoomAdvertiser::unavailable);
}

RoomAdvertiser::~RoomAdvertiser()
{
    mapper.disconnect(this);
    if (requested)
        mapper.release();
}

void RoomAdvertiser::setInRoom(bool entered)
{
    if (inRoom == entered)
        return;
    // On the way out the advertisement is taken back first, so that nobody
    // lists the game from a presence that lingers.
    if (!entered && current)
        room.advertise(std::nullopt);
    inRoom = entered;
    if (!inRoom)
        current.reset();
    update();
}

void RoomAdvertiser::setHostedGame(const std::optional<HostedGame> &game)
{
    if (hosted == game)
        return;
    hosted = game;
    if (!hosted) {
        if (requested)
            mapper.release();
        requested = false;
        routed.reset();
        routerProblem.clear();
    }
    update();
}

bool RoomAdvertiser::setReachableAddress(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        typed.reset();
    } else {
        // Without a port: the port the game is hosted on (0 until then).
        const std::optional<GameAddress> address = parseHostAndPort(text.toStdString(), 0);
        if (!address)
            return false;
        typed = std::pair(address->host, address->port);
    }
    update();
    return true;
}

void RoomAdvertiser::mapped(const QString &address, quint16 port)
{
    if (!requested)
        return;
    if (isPublicAddress(QHostAddress(address))) {
        routed = std::pair(address.toStdString(), static_cast<int>(port));
        routerProblem.clear();
    } else {
        routed.reset();
        routerProblem = tr("your router forwards the port, but its own outside "
                           "address %1 is private (another router stands before "
                           "it)")
                            .arg(address);
    }
    update();
}

void RoomAdvertiser::unavailable(const QString &reason)
{
    if (!requested)
        return;
    routed.reset();
    routerProblem = reason;
    update();
}

void RoomAdvertiser::update()
{
    const bool advertising = inRoom && hosted;
    // The router is asked only when no address was typed: a port forwarded
    // by hand needs no mapping.
    const bool wantMapping = advertising && !typed;
    if (wantMapping && !requested) {
        requested = true;
        routerProblem.clear();
        mapper.request(static_cast<quint16>(hosted->port));
    } else if (typed && requested) {
        requested = false;
        routed.reset();
        routerProblem.clear();
        mapper.release();
    }

    std::optional<GameAdvert> next;
    if (advertising) {
        GameAdvert advert;
        advert.hostName = hosted->hostName;
        advert.port = hosted->port;
        if (const auto &where = typed ? typed : routed) {
            advert.address = where->first;
            advert.port = where->second != 0 ? where->second : hosted->port;
        }
        advert.seated = connectionsToLocalPort(hosted->port);
        // The game tells the lobby nothing of its rounds: a table is
        // advertised as open for as long as it is hosted.
        advert.running = false;
        advert.programVersion = std::string(kVersion);
        next = advert;
    }
    if (advertising && !recount.isActive())
        recount.start();
    else if (!advertising)
        recount.stop();
    if (inRoom && next != current) {
        current = next;
        room.advertise(current);
    }
    emit reachabilityChanged();
}

QString RoomAdvertiser::reachabilityText() const
{
    if (!current)
        return {};
    const QString where =
        current->reachable()
            ? QString::fromStdString(displayAddress({current->address, current->port}))
            : QString();
    if (typed)
        return tr("Your game is listed in the room at %1 (the address you typed).").arg(where);
    if (routed)
        return tr("Your router forwards port %1: your game is listed in the room at %2.")
            .arg(QString::number(current->port), where);
    if (!routerProblem.isEmpty()) {
        QString reason = routerProblem;
        while (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        return tr("Players outside cannot reach your game: %1. Forward TCP port %2 to this "
                  "computer by hand and type your outside address below; until then your game "
                  "is listed as not reachable from outside.")
            .arg(reason, QString::number(hosted->port));
    }
    return tr("Asking your router to forward TCP port %1...").arg(hosted->port);
}

} // namespace kalvex
