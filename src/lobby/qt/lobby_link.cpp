#include "lobby/qt/lobby_link.h"

#include <QTcpSocket>

namespace kalvex {

namespace {

// No game sends anything; a local program that does gets its bytes dropped
// in small reads, so that it cannot grow the lobby's memory.
constexpr qint64 kReadBufferBytes = 4096;
// More links than any user has games: a local flood is refused.
constexpr int kMaxLinks = 64;

} // namespace

LobbyLinkListener::LobbyLinkListener(QObject *parent) : QObject(parent)
{
    connect(&server, &QTcpServer::newConnection, this, &LobbyLinkListener::accept);
}

LobbyLinkListener::~LobbyLinkListener()
{
    // Links still open close with the lobby; their ends count for nothing.
    const auto open = findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly);
    for (QTcpSocket *link : open)
        link->disconnect(this);
}

bool LobbyLinkListener::listen(quint16 port, QString *error)
{
    if (server.listen(QHostAddress::LocalHost, port))
        return true;
    if (error != nullptr)
        *error = server.errorString();
    return false;
}

void LobbyLinkListener::accept()
{
    while (QTcpSocket *link = server.nextPendingConnection()) {
        if (links >= kMaxLinks) {
            link->abort();
            link->deleteLater();
            continue;
        }
        link->setParent(this);
        link->setReadBufferSize(kReadBufferBytes);
        ++links;
        connect(link, &QTcpSocket::readyRead, link, [link] { link->skip(link->bytesAvailable()); });
        connect(link, &QTcpSocket::disconnected, this, [this, link] {
            link->deleteLater();
            --links;
            emit linksChanged(links);
        });
        emit linksChanged(links);
    }
}

} // namespace kalvex
