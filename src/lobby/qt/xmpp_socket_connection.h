#pragma once
// XmppSocketConnection: gloox's transport over a QTcpSocket, so that the
// room lives on the program's one event loop. Name and service lookups and
// connecting never block (gloox's own TCP connection does all three
// blocking); received bytes are handed to gloox as Qt reports them, so
// nothing polls. The XMPP stream stays gloox's; when it has negotiated
// STARTTLS, the socket encrypts (see XmppTlsBridge).

#include <gloox/connectionbase.h>

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSslError>
#include <QString>
#include <QTimer>

#include <vector>

class QDnsLookup;
class QSslSocket;

namespace kalvex {

class XmppTlsBridge;

class XmppSocketConnection : public QObject, public gloox::ConnectionBase
{
    Q_OBJECT

public:
    // A server that has not answered a connection attempt by then is
    // taken as unreachable.
    static constexpr int kConnectTimeoutMs = 15000;
    // A room's traffic stays far below this; a server that sends more (one
    // endless stanza, which gloox would hold whole) is left.
    static constexpr qint64 kMaxBytesPerMinute = 16 * 1024 * 1024;

    enum class Lookup
    {
        // Connect to the host and port as given.
        Direct,
        // The host is an XMPP domain: connect where its DNS service records
        // (_xmpp-client._tcp) point, else to the host and port as given.
        ServiceRecords
    };

    XmppSocketConnection(gloox::ConnectionDataHandler *handler, const QString &host, quint16 port,
                         Lookup lookup = Lookup::Direct);
    ~XmppSocketConnection() override;

    gloox::ConnectionError connect() override;
    // Bytes arrive through the event loop; there is nothing to wait for.
    gloox::ConnectionError recv(int timeout = -1) override;
    gloox::ConnectionError receive() override;
    bool send(const std::string &data) override;
    // Sends what is pending and closes; the handler is not told (gloox
    // tells its listeners itself when it closes).
    void disconnect() override;
    void getStatistics(long int &totalIn, long int &totalOut) override;
    gloox::ConnectionBase *newInstance() const override;

    // Starts TLS on the connected socket, the certificate to be for
    // `domain`; the handshake's end goes to `tls`. False when no TLS can be
    // had (not connected, or no TLS library).
    bool startEncryption(XmppTlsBridge *tls, const std::string &domain);
    bool encrypted() const;

    // Why the connection failed or ended, in words (the socket's own).
    QString errorText() const { return lastError; }
    // The connection ended because the server sent too much.
    bool flooded() const { return tooMuch; }

private:
    struct Endpoint
    {
        QString host;
        quint16 port = 0;
    };

    void serviceLookedUp();
    // Tries the next endpoint, or fails with the last error when none is left.
    void tryNext();
    void attemptFailed(gloox::ConnectionError reason, const QString &text);
    void connected();
    void readReady();
    void certificateFaults(const QList<QSslError> &errors);
    void handshakeFinished();
    void failed(gloox::ConnectionError reason, const QString &text);
    void release();

    QString hostName;
    quint16 portNumber = 0;
    Lookup lookupKind = Lookup::Direct;
    QDnsLookup *serviceLookup = nullptr;
    std::vector<Endpoint> endpoints;
    std::size_t nextEndpoint = 0;
    gloox::ConnectionError lastReason = gloox::ConnConnectionRefused;
    QSslSocket *socket = nullptr;
    XmppTlsBridge *tlsBridge = nullptr;
    QTimer connectTimer;
    QString lastError;
    QElapsedTimer minuteStart;
    qint64 bytesThisMinute = 0;
    bool tooMuch = false;
    long int bytesIn = 0;
    long int bytesOut = 0;
};

} // namespace kalvex
