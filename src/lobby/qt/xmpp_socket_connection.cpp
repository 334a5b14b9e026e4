#include "lobby/qt/xmpp_socket_connection.h"

#include "lobby/qt/xmpp_tls_bridge.h"

#include <gloox/connectiondatahandler.h>

#include <QCoreApplication>
#include <QDnsLookup>
#include <QSslSocket>

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
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return gloox::ConnTlsFailed;
    default:
        return gloox::ConnIoError;
    }
}

} // namespace

XmppSocketConnection::XmppSocketConnection(gloox::ConnectionDataHandler *handler,
                                           const QString &host, quint16 port, Lookup lookup)
    : gloox::ConnectionBase(handler), hostName(host), portNumber(port), lookupKind(lookup)
{
    m_server = host.toStdString();
    m_port = port;
    connectTimer.setSingleShot(true);
    connectTimer.setInterval(kConnectTimeoutMs);
    QObject::connect(&connectTimer, &QTimer::timeout, this,
                     [this] { attemptFailed(gloox::ConnConnectionRefused, tr("no answer")); });
}

XmppSocketConnection::~XmppSocketConnection()
{
    release();
}

gloox::ConnectionError XmppSocketConnection::connect()
{
    if (m_state != gloox::StateDisconnected)
        return gloox::ConnNoError;
    m_state = gloox::StateConnecting;
    endpoints.clear();
    nextEndpoint = 0;
    if (lookupKind == Lookup::ServiceRecords) {
        serviceLookup =
            new QDnsLookup(QDnsLookup::SRV, QStringLiteral("_xmpp-client._tcp.") + hostName, this);
        QObject::connect(serviceLookup, &QDnsLookup::finished, this,
                         &XmppSocketConnection::serviceLookedUp);
        connectTimer.start();
        serviceLookup->lookup();
    } else {
        endpoints.push_back({hostName, portNumber});
        tryNext();
    }
    return gloox::ConnNoError;
}

void XmppSocketConnection::serviceLookedUp()
{
    connectTimer.stop();
    if (serviceLookup->error() == QDnsLookup::NoError) {
        // Qt gives them ordered by priority, and by weight within one.
        for (const QDnsServiceRecord &record : serviceLookup->serviceRecords()) {
            QString target = record.target();
            if (target.endsWith(QLatin1Char('.')))
                target.chop(1);
            // "." says that the domain offers no such service here.
            if (!target.isEmpty() && record.port() != 0)
                endpoints.push_back({target, record.port()});
        }
    }
    if (endpoints.empty())
        endpoints.push_back({hostName, portNumber});
    serviceLookup->deleteLater();
    serviceLookup = nullptr;
    tryNext();
}

void XmppSocketConnection::tryNext()
{
    if (m_state != gloox::StateConnecting)
        return;
    if (nextEndpoint >= endpoints.size()) {
        failed(lastReason, lastError);
        return;
    }
    const Endpoint endpoint = endpoints[nextEndpoint++];
    release();
    socket = new QSslSocket();
    QObject::connect(socket, &QSslSocket::connected, this, &XmppSocketConnection::connected);
    QObject::connect(socket, &QSslSocket::readyRead, this, &XmppSocketConnection::readReady);
    QObject::connect(socket, &QSslSocket::sslErrors, this,
                     &XmppSocketConnection::certificateFaults);
    QObject::connect(socket, &QSslSocket::encrypted, this,
                     &XmppSocketConnection::handshakeFinished);
    QObject::connect(socket, &QSslSocket::errorOccurred, this,
                     [this](QAbstractSocket::SocketError error) {
                         if (m_state == gloox::StateConnecting)
                             attemptFailed(connectionError(error), socket->errorString());
                         else
                             failed(connectionError(error), socket->errorString());
                     });
    connectTimer.start();
    socket->connectToHost(endpoint.host, endpoint.port);
}

void XmppSocketConnection::attemptFailed(gloox::ConnectionError reason, const QString &text)
{
    if (m_state != gloox::StateConnecting)
        return;
    lastReason = reason;
    lastError = text;
    if (serviceLookup) {
        // No answer to the lookup in time: the domain itself is tried.
        serviceLookup->abort();
        return;
    }
    // Not from inside the socket's own signal: it is replaced.
    QMetaObject::invokeMethod(this, &XmppSocketConnection::tryNext, Qt::QueuedConnection);
}

void XmppSocketConnection::connected()
{
    connectTimer.stop();
    socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    m_state = gloox::StateConnected;
    if (m_handler)
        m_handler->handleConnect(this);
}

bool XmppSocketConnection::startEncryption(XmppTlsBridge *tls, const std::string &domain)
{
    if (!socket || m_state != gloox::StateConnected || !QSslSocket::supportsSsl())
        return false;
    tlsBridge = tls;
    socket->setPeerVerifyName(QString::fromStdString(domain));
    socket->startClientEncryption();
    return true;
}

bool XmppSocketConnection::encrypted() const
{
    return socket && socket->isEncrypted();
}

void XmppSocketConnection::certificateFaults(const QList<QSslError> &errors)
{
    // The handshake goes on only when the room takes the certificate as it is.
    if (tlsBridge && tlsBridge->handshakeDone(errors) && socket)
        socket->ignoreSslErrors();
}

void XmppSocketConnection::handshakeFinished()
{
    if (tlsBridge)
        tlsBridge->handshakeDone({});
}

void XmppSocketConnection::readReady()
{
    if (!socket || m_state != gloox::StateConnected)
        return;
    const QByteArray bytes = socket->readAll();
    bytesIn += bytes.size();
    if (!minuteStart.isValid() || minuteStart.hasExpired(60000)) {
        minuteStart.start();
        bytesThisMinute = 0;
    }
    bytesThisMinute += bytes.size();
    if (bytesThisMinute > kMaxBytesPerMinute) {
        tooMuch = true;
        failed(gloox::ConnIoError, tr("it sends too much"));
        return;
    }
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
    if (serviceLookup) {
        serviceLookup->disconnect(this);
        serviceLookup->abort();
        serviceLookup->deleteLater();
        serviceLookup = nullptr;
    }
    release();
}

void XmppSocketConnection::release()
{
    if (!socket)
        return;
    QSslSocket *closing = socket;
    socket = nullptr;
    closing->disconnect(this);
    if (closing->state() != QAbstractSocket::ConnectedState) {
        closing->abort();
        closing->deleteLater();
        return;
    }
    // The socket outlives this connection until what is pending is sent,
    // or until the application ends.
    closing->setParent(QCoreApplication::instance());
    QObject::connect(closing, &QSslSocket::disconnected, closing, &QObject::deleteLater);
    QObject::connect(closing, &QSslSocket::errorOccurred, closing, &QObject::deleteLater);
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
    return new XmppSocketConnection(m_handler, hostName, portNumber, lookupKind);
}

} // namespace kalvex
