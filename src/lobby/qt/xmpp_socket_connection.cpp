#include "lobby/qt/xmpp_socket_connection.h"

#include <gloox/connectiondatahandler.h>

#include <QTcpSocket>

namespace kalvex {

namespace {

// A socket that was closed politely is kept this long at most, so that
// what was last sent (the room's goodbye) still leaves.
constexpr int kLingerMs = 5000;

gloox::ConnectionError connectionError(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return gloox::ConnDnsError;
    case QAbstractSocket::ConnectionRefusedError:
        return gloox::ConnConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError:
        return gloox::ConnStreamClosed;
    default:
        return gloox::ConnIoError;
    }
}

} // namespace

XmppSocketConnection::XmppSocketConnection(gloox::ConnectionDataHandler *handler,
                                           const QString &host, quint16 port)
    : gloox::ConnectionBase(handler), hostName(host), portNumber(port)
{
    m_server = host.toStdString();
    m_port = port;
    connectTimer.setSingleShot(true);
    connectTimer.setInterval(kConnectTimeoutMs);
    QObject::connect(&connectTimer, &QTimer::timeout, this,
                     [this] { failed(gloox::ConnConnectionRefused, QStringLiteral("no answer")); });
}

XmppSocketConnection::~XmppSocketConnection()
{
    release();
}

gloox::ConnectionError XmppSocketConnection::connect()
{
    if (socket)
        return gloox::ConnNoError;
    socket = new QTcpSocket();
    QObject::connect(socket, &QTcpSocket::connected, this, &XmppSocketConnection::connected);
    QObject::connect(socket, &QTcpSocket::readyRead, this, &XmppSocketConnection::readReady);
    QObject::connect(socket, &QTcpSocket::errorOccurred, this,
                     [this](QAbstractSocket::SocketError error) {
                         failed(connectionError(error), socket->errorString());
                     });
    m_state = gloox::StateConnecting;
    connectTimer.start();
    socket->connectToHost(hostName, portNumber);
    return gloox::ConnNoError;
}

void XmppSocketConnection::connected()
{
    connectTimer.stop();
    socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_state = gloox::StateConnected;
    if (m_handler)
        m_handler->handleConnect(this);
}

void XmppSocketConnection::readReady()
{
    if (!socket || m_state != gloox::StateConnected)
        return;
    const QByteArray bytes = socket->readAll();
    bytesIn += bytes.size();
    if (m_handler && !bytes.isEmpty())
        m_handler->handleReceivedData(this, bytes.toStdString());
}

void XmppSocketConnection::failed(gloox::ConnectionError reason, const QString &text)
{
    if (m_state == gloox::StateDisconnected)
        return;
    lastError = text;
    m_state = gloox::StateDisconnected;
    connectTimer.stop();
    if (socket) {
        socket->disconnect(this);
        socket->abort();
    }
    if (m_handler)
        m_handler->handleDisconnect(this, reason);
}

gloox::ConnectionError XmppSocketConnection::recv(int)
{
    return m_state == gloox::StateConnected ? gloox::ConnNoError : gloox::ConnNotConnected;
}

gloox::ConnectionError XmppSocketConnection::receive()
{
    return recv();
}

bool XmppSocketConnection::send(const std::string &data)
{
    if (!socket || m_state != gloox::StateConnected)
        return false;
    const qint64 written = socket->write(data.data(), qint64(data.size()));
    if (written != qint64(data.size()))
        return false;
    bytesOut += long(written);
    return true;
}

void XmppSocketConnection::disconnect()
{
    m_state = gloox::StateDisconnected;
    connectTimer.stop();
    release();
}

void XmppSocketConnection::release()
{
    if (!socket)
        return;
    QTcpSocket *closing = socket;
    socket = nullptr;
    closing->disconnect(this);
    if (closing->state() != QAbstractSocket::ConnectedState) {
        closing->abort();
        closing->deleteLater();
        return;
    }
    // The socket outlives this connection until what is pending is sent.
    QObject::connect(closing, &QTcpSocket::disconnected, closing, &QObject::deleteLater);
    QObject::connect(closing, &QTcpSocket::errorOccurred, closing, &QObject::deleteLater);
    QTimer::singleShot(kLingerMs, closing, &QObject::deleteLater);
    closing->disconnectFromHost();
}

void XmppSocketConnection::getStatistics(long int &totalIn, long int &totalOut)
{
    totalIn = bytesIn;
    totalOut = bytesOut;
}

gloox::ConnectionBase *XmppSocketConnection::newInstance() const
{
    return new XmppSocketConnection(m_handler, hostName, portNumber);
}

} // namespace kalvex
