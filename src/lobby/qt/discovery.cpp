#include "lobby/qt/discovery.h"

#include "app/launch_plan.h"

#include <QLoggingCategory>
#include <QNetworkInterface>

Q_LOGGING_CATEGORY(lcLobby, "kalvex.lobby", QtWarningMsg)

namespace kalvex {

quint16 discoveryPort()
{
    const QByteArray value = qgetenv("KALVEX_DISCOVERY_PORT");
    return static_cast<quint16>(
        portFromText(value.isNull() ? nullptr : value.constData(), kDefaultDiscoveryPort));
}

DiscoveryListener::DiscoveryListener(QObject *parent) : QObject(parent)
{
    connect(&socket, &QUdpSocket::readyRead, this, &DiscoveryListener::readPending);
}

bool DiscoveryListener::listen(quint16 port, QString *error)
{
    if (socket.bind(QHostAddress::AnyIPv4, port,
                    QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
        return true;
    if (error != nullptr)
        *error = socket.errorString();
    return false;
}

void DiscoveryListener::readPending()
{
    QByteArray buffer(static_cast<int>(maxDiscoveryDatagramSize()) + 1, Qt::Uninitialized);
    while (socket.hasPendingDatagrams()) {
        QHostAddress sender;
        // A larger datagram is cut to one byte too many and so refused.
        const qint64 size = socket.readDatagram(buffer.data(), buffer.size(), &sender);
        if (size < 0)
            continue;
        const std::optional<GameAnnouncement> announcement =
            decodeAnnouncement(std::string_view(buffer.constData(), static_cast<size_t>(size)));
        if (!announcement) {
            qCDebug(lcLobby) << "ignored a datagram of" << size << "bytes from" << sender;
            continue;
        }
        bool mapped = false;
        const QHostAddress v4(sender.toIPv4Address(&mapped));
        emit announced(mapped ? v4.toString() : sender.toString(), announcement->port,
                       QString::fromStdString(announcement->hostName));
    }
}

GameAnnouncer::GameAnnouncer(QObject *parent) : QObject(parent)
{
    timer.setInterval(kIntervalMs);
    connect(&timer, &QTimer::timeout, this, &GameAnnouncer::announce);
}

QList<QHostAddress> GameAnnouncer::broadcastTargets()
{
    QList<QHostAddress> targets;
    if (qEnvironmentVariableIsSet("KALVEX_DISCOVERY_BROADCAST")) {
        const QHostAddress only(qEnvironmentVariable("KALVEX_DISCOVERY_BROADCAST"));
        if (only.isNull() || only.protocol() != QAbstractSocket::IPv4Protocol)
            qCWarning(lcLobby) << "KALVEX_DISCOVERY_BROADCAST holds no IPv4 address";
        else
            targets.append(only);
        return targets;
    }
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            flags.testFlag(QNetworkInterface::IsLoopBack) ||
            !flags.testFlag(QNetworkInterface::CanBroadcast))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol &&
                !entry.broadcast().isNull() && !targets.contains(entry.broadcast()))
                targets.append(entry.broadcast());
        }
    }
    return targets;
}

bool GameAnnouncer::start(const GameAnnouncement &announcement, quint16 discoveryPort)
{
    const std::optional<std::string> bytes = encodeAnnouncement(announcement);
    if (!bytes) {
        stop();
        return false;
    }
    datagram = QByteArray::fromStdString(*bytes);
    port = discoveryPort;
    announce();
    timer.start();
    return true;
}

void GameAnnouncer::stop()
{
    timer.stop();
}

void GameAnnouncer::announce()
{
    // Looked up each time: an interface may come up while the game runs.
    for (const QHostAddress &target : broadcastTargets()) {
        if (socket.writeDatagram(datagram, target, port) < 0)
            qCDebug(lcLobby) << "announcement to" << target << "failed:" << socket.errorString();
    }
}

} // namespace kalvex
