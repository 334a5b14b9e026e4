#include "net/qt/tsock.h"

#include "net/error_report.h"
#include "net/qt/host_lookup.h"
#include "net/qt/net_log.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <atomic>

namespace kalvex {

namespace {

// One receive call takes at most this much.
constexpr qint64 kReadChunk = 32768;
// Room for a burst of joiners without a SYN retry.
constexpr int kListenBacklog = 64;
// A closed connection is given this long to deliver what was sent before it
// is cut.
constexpr int kLingerMs = 10000;

std::uint64_t nextSerial()
{
    static std::uint64_t counter = 0;
    return ++counter;
}

const char *categoryName(TSocketInfo category)
{
    switch (category) {
    case TSocketInfo::Lookup:
        return "Lookup";
    case TSocketInfo::Connect:
        return "Connect";
    case TSocketInfo::Close:
        return "Close";
    case TSocketInfo::Listen:
        return "Listen";
    case TSocketInfo::Receive:
        return "Receive";
    case TSocketInfo::Send:
        return "Send";
    case TSocketInfo::Accept:
        return "Accept";
    case TSocketInfo::Error:
        return "Error";
    }
    return "";
}

int codeForNetworkError(const QString &description)
{
    if (description.contains(QLatin1String("timed out"), Qt::CaseInsensitive))
        return wsa::kTimedOut;
    if (description.contains(QLatin1String("Host unreachable"), Qt::CaseInsensitive))
        return wsa::kHostUnreachable;
    if (description.contains(QLatin1String("Network unreachable"), Qt::CaseInsensitive))
        return wsa::kNetworkUnreachable;
    if (description.contains(QLatin1String("in use"), Qt::CaseInsensitive))
        return wsa::kAddressInUse;
    return wsa::kNetworkDown;
}

int codeForSocketError(QAbstractSocket::SocketError error, const QString &description)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return wsa::kConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError:
        return wsa::kConnectionReset;
    case QAbstractSocket::HostNotFoundError:
        return wsa::kHostNotFound;
    case QAbstractSocket::SocketAccessError:
        return wsa::kAccess;
    case QAbstractSocket::SocketResourceError:
        return wsa::kNoBuffers;
    case QAbstractSocket::SocketTimeoutError:
        return wsa::kTimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return wsa::kMessageSize;
    case QAbstractSocket::NetworkError:
        return codeForNetworkError(description);
    case QAbstractSocket::AddressInUseError:
        return wsa::kAddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return wsa::kAddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return wsa::kNotSupported;
    case QAbstractSocket::TemporaryError:
        return wsa::kWouldBlock;
    case QAbstractSocket::OperationError:
        return wsa::kInvalid;
    default:
        return wsa::kUnknown;
    }
}

QString dottedAddress(const QHostAddress &address)
{
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4).toString() : address.toString();
}

// Closes a socket that its endpoint no longer wants, letting what was
// written reach the peer first. The application holds it meanwhile, so that
// a socket still lingering when the program ends is deleted with the rest.
void lingerAndDelete(QTcpSocket *socket)
{
    socket->disconnect();
    QCoreApplication *application = QCoreApplication::instance();
    const bool applicationThread = application && application->thread() == socket->thread();
    socket->setParent(applicationThread ? application : nullptr);
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kLingerMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

} // namespace

TSock::TSock(QObject *parent) : QObject(parent), serial(nextSerial()) {}

TSock::~TSock()
{
    if (stream != nullptr)
        lingerAndDelete(std::exchange(stream, nullptr));
}

void TSock::info(TSocketInfo category, const QString &text)
{
    qCDebug(lcNet) << "sock" << serial << categoryName(category) << text;
    if (!OnInfo)
        return;
    try {
        OnInfo(*this, category, text);
    } catch (...) {
        throw ESockException(socktext::kInfoHandlerFailed);
    }
}

void TSock::setHostName(const QString &name)
{
    if (connected)
        info(TSocketInfo::Lookup, QStringLiteral("Setting HostName While Connected Has No Effect"));
    host = name;
}

void TSock::setPortName(const QString &name)
{
    if (connected)
        info(TSocketInfo::Lookup, QStringLiteral("Setting PortName While Connected Has No Effect"));
    port = name;
}

void TSock::setListen(bool on)
{
    if (!on) {
        if (!listening)
            return;
        listening = false;
        Close();
        info(TSocketInfo::Listen, QStringLiteral("Listening Stopped"));
        return;
    }
    if (listening) {
        info(TSocketInfo::Listen, QStringLiteral("Listening Already Running"));
        return;
    }
    if (hasSocket())
        throw ESockException(socktext::kListenInUse);
    info(TSocketInfo::Lookup, QStringLiteral("Lookup Of Port ") + port);
    const quint16 number = lookupPort(port);
    auto *listener = new QTcpServer(this);
    listener->setListenBacklogSize(kListenBacklog);
    // Every local address, IPv4 alone where the system has no IPv6.
    bool bound = listener->listen(QHostAddress::Any, number);
    if (!bound && listener->serverError() == QAbstractSocket::UnsupportedSocketOperationError)
        bound = listener->listen(QHostAddress::AnyIPv4, number);
    if (!bound) {
        const auto error = listener->serverError();
        delete listener;
        const bool bindFailed = error == QAbstractSocket::AddressInUseError ||
                                error == QAbstractSocket::SocketAccessError ||
                                error == QAbstractSocket::SocketAddressNotAvailableError;
        throw ESockException(bindFailed ? socktext::kListenBind : socktext::kListenStart);
    }
    server = listener;
    connect(server, &QTcpServer::newConnection, this,
            [this] { guarded(ErrorOrigin::Local, [this] { acceptEvent(); }); });
    listening = true;
    info(TSocketInfo::Listen, QStringLiteral("Listening Started"));
}

quint16 TSock::boundPort() const
{
    return server != nullptr ? server->serverPort() : 0;
}

bool TSock::Open()
{
    if (hasSocket())
        return connected;
    info(TSocketInfo::Lookup, QStringLiteral("Lookup Of Port ") + port);
    const quint16 number = lookupPort(port);
    info(TSocketInfo::Lookup, QStringLiteral("Lookup Of Host ") + host);
    const QHostAddress address = lookupHost(host);
    attachStream(new QTcpSocket(this));
    stream->connectToHost(address, number);
    return connected;
}

void TSock::attachStream(QTcpSocket *socket)
{
    stream = socket;
    socket->setParent(this);
    auto guard = [this](void (TSock::*handler)()) {
        return [this, handler] {
            guarded(ErrorOrigin::Local, [this, handler] { (this->*handler)(); });
        };
    };
    connect(socket, &QIODevice::readyRead, this, guard(&TSock::readEvent));
    connect(socket, &QIODevice::bytesWritten, this, guard(&TSock::writeEvent));
    connect(socket, &QAbstractSocket::connected, this, guard(&TSock::connectEvent));
    connect(socket, &QAbstractSocket::disconnected, this, guard(&TSock::closeEvent));
    connect(socket, &QAbstractSocket::errorOccurred, this, guard(&TSock::onStreamError));
}

void TSock::releaseStream()
{
    if (stream != nullptr)
        lingerAndDelete(std::exchange(stream, nullptr));
}

bool TSock::Accept(TSock *&accepted)
{
    if (!listening || server == nullptr)
        throw ESockException(socktext::kAcceptNotListening);
    QTcpSocket *socket = server->nextPendingConnection();
    if (socket == nullptr) {
        info(TSocketInfo::Accept, QStringLiteral("Could Not Accept Connection"));
        return false;
    }
    auto *endpoint = new TSock(this);
    endpoint->OnRead = OnRead;
    endpoint->OnWrite = OnWrite;
    endpoint->OnDisconnect = OnDisconnect;
    endpoint->OnInfo = OnInfo;
    endpoint->port = port;
    endpoint->host = dottedAddress(socket->peerAddress());
    endpoint->connected = true;
    endpoint->attachStream(socket);
    accepted = endpoint;
    // What arrived, or a close, before the endpoint existed is delivered as
    // events of its own once the caller has it.
    QPointer<TSock> pending(endpoint);
    QTimer::singleShot(0, endpoint, [pending] {
        if (!pending || pending->stream == nullptr)
            return;
        guarded(ErrorOrigin::Local, [&] {
            if (pending->stream->bytesAvailable() > 0)
                pending->readEvent();
            if (pending && pending->stream != nullptr &&
                pending->stream->state() == QAbstractSocket::UnconnectedState)
                pending->closeEvent();
        });
    });
    info(TSocketInfo::Accept, QStringLiteral("Created New TSock Structure"));
    return true;
}

void TSock::Send(std::string_view text)
{
    if (!hasSocket())
        throw ESockException(socktext::kSendNotConnected);
    if (listening || server != nullptr)
        throw ESockException(socktext::kSendOnListener);
    sendBuffer.append(text);
    flushSendBuffer();
}

void TSock::flushSendBuffer()
{
    if (sendBuffer.empty())
        return;
    info(TSocketInfo::Send, QStringLiteral("Non-Blocking Outgoing Data"));
    // Until the connection is made the network takes nothing.
    if (stream == nullptr || stream->state() != QAbstractSocket::ConnectedState)
        return;
    const qint64 taken = stream->write(sendBuffer.data(), static_cast<qint64>(sendBuffer.size()));
    if (taken > 0)
        sendBuffer.erase(0, static_cast<std::size_t>(taken));
    pushToNetwork();
    checkSendLimit();
}

void TSock::pushToNetwork()
{
    // The socket would write when control is back in the event loop, after
    // whatever drawing is waiting there; the message goes now. Its signals
    // stay quiet meanwhile, so that nothing runs inside the sender's call: a
    // failed write is reported from the event loop, as the socket reports it.
    {
        const QSignalBlocker quiet(stream);
        stream->flush();
    }
    if (stream->state() != QAbstractSocket::UnconnectedState)
        return;
    QPointer<QTcpSocket> failed(stream);
    QTimer::singleShot(0, this, [this, failed] {
        guarded(ErrorOrigin::Local, [this, failed] {
            if (stream == nullptr || stream != failed)
                return;
            QPointer<TSock> self(this);
            onStreamError();
            if (self && stream == failed)
                closeEvent();
        });
    });
}

void TSock::checkSendLimit()
{
    if (choking || stream == nullptr ||
        static_cast<std::size_t>(stream->bytesToWrite()) + sendBuffer.size() <= sendLimit)
        return;
    // Cut off outside the sender's call, as if the network had failed.
    choking = true;
    QTimer::singleShot(0, this, [this] {
        guarded(ErrorOrigin::Local, [this] {
            choking = false;
            if (stream == nullptr)
                return;
            QPointer<TSock> self(this);
            errorEvent(wsa::kNoBuffers);
            if (!self || stream == nullptr)
                return;
            sendBuffer.clear();
            QTcpSocket *dead = stream;
            dead->disconnect(this);
            dead->abort();
            closeEvent();
        });
    });
}

std::string TSock::ReceiveText()
{
    if (listening || server != nullptr)
        throw ESockException(socktext::kReceiveOnListener);
    if (stream == nullptr && receiveBuffer.empty())
        throw ESockException(socktext::kReceiveNotConnected);
    return std::exchange(receiveBuffer, {});
}

bool TSock::Close()
{
    const bool hadSocket = hasSocket();
    if (server != nullptr) {
        server->close();
        server->deleteLater();
        server = nullptr;
    }
    releaseStream();
    connected = false;
    if (!listening)
        info(TSocketInfo::Close, QStringLiteral("Socket Closed"));
    listening = false;
    return hadSocket;
}

void TSock::readEvent()
{
    QPointer<TSock> self(this);
    do {
        const QByteArray chunk = stream->read(kReadChunk);
        receiveBuffer.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
        info(TSocketInfo::Receive, QStringLiteral("Non-Blocking Incoming Data"));
        if (!self)
            return;
        if (OnRead)
            OnRead(*this, static_cast<int>(receiveBuffer.size()));
        if (!self)
            return;
    } while (stream != nullptr && stream->bytesAvailable() > 0);
}

void TSock::writeEvent()
{
    QPointer<TSock> self(this);
    if (!sendBuffer.empty())
        flushSendBuffer();
    info(TSocketInfo::Send, QStringLiteral("Non-Blocking Outgoing Data"));
    if (self && OnWrite)
        OnWrite(*this);
}

void TSock::connectEvent()
{
    QPointer<TSock> self(this);
    connected = true;
    info(TSocketInfo::Connect, QStringLiteral("Non-Blocking Socket Connected"));
    if (self && OnConnect)
        OnConnect(*this);
    // The first write notification of a fresh connection takes what was
    // sent while it was being made.
    if (self && stream != nullptr)
        writeEvent();
}

void TSock::closeEvent()
{
    QPointer<TSock> self(this);
    // Whatever arrived with the close is delivered before it.
    if (stream != nullptr && stream->bytesAvailable() > 0)
        readEvent();
    if (!self)
        return;
    if (OnDisconnect)
        OnDisconnect(*this);
    if (self)
        Close();
}

void TSock::errorEvent(int code)
{
    info(TSocketInfo::Error, QString::fromStdString(socketErrorText(code)));
}

void TSock::onStreamError()
{
    if (stream == nullptr)
        return;
    const auto error = stream->error();
    // A peer's orderly close is reported by the close event that follows.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    errorEvent(codeForSocketError(error, stream->errorString()));
}

void TSock::acceptEvent()
{
    if (OnAccept)
        OnAccept(*this);
}

} // namespace kalvex
