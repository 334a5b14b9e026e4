#pragma once
// Finding games on the local network: every lobby listens for
// announcements on the discovery port (shared with other lobbies on the
// same machine); a lobby whose game hosts announces it every two seconds.

#include "lobby/discovery_datagram.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace kalvex {

// The discovery port: $KALVEX_DISCOVERY_PORT, default 7773.
quint16 discoveryPort();

class DiscoveryListener : public QObject
{
    Q_OBJECT

public:
    explicit DiscoveryListener(QObject *parent = nullptr);

    bool listen(quint16 port, QString *error = nullptr);

signals:
    // A well-formed announcement from this address.
    void announced(const QString &address, int port, const QString &hostName);

private:
    void readPending();

    QUdpSocket socket;
};

class GameAnnouncer : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 2000;

    explicit GameAnnouncer(QObject *parent = nullptr);

    // Where announcements go: the address in $KALVEX_DISCOVERY_BROADCAST
    // alone when set (nothing when it is no address), else the broadcast
    // address of every IPv4 interface that is up and not loop-back.
    static QList<QHostAddress> broadcastTargets();

    // Announces now and every kIntervalMs until stopped; false when the
    // announcement cannot be made (a name or port no reader accepts).
    bool start(const GameAnnouncement &announcement, quint16 discoveryPort);
    void stop();
    bool active() const { return timer.isActive(); }

private:
    void announce();

    QUdpSocket socket;
    QTimer timer;
    QByteArray datagram;
    quint16 port = 0;
};

} // namespace kalvex
