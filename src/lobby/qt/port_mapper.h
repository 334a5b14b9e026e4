#pragma once
// PortMapper: asks the home router to forward the hosted game's TCP port to
// this machine, so that players on the internet can reach it, and keeps that
// forwarding for as long as the game is hosted.

#include <QObject>
#include <QString>

#include <memory>

namespace kalvex {

class PortMapper : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~PortMapper() override = default;

    // Asks for a forwarding of TCP `port` (same port outside and inside) and
    // keeps it alive (renewing it before its lease ends) until release().
    // Answers later with mapped() or unavailable(); never blocks the caller.
    virtual void request(quint16 port) = 0;
    // Removes the forwarding asked for, if any. Safe to call at any time,
    // also when nothing was asked for or the router never answered.
    virtual void release() = 0;

signals:
    // The router forwards `externalPort` at `externalAddress` to this machine.
    void mapped(const QString &externalAddress, quint16 externalPort);
    // No router answered, or it refused: `reason` says which, in words a
    // player understands.
    void unavailable(const QString &reason);
};

// The mapper that talks to the router (UPnP IGD; NAT-PMP where available).
std::unique_ptr<PortMapper> makeRouterPortMapper(QObject *parent = nullptr);

} // namespace kalvex
