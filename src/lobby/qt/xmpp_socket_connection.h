#pragma once
// XmppSocketConnection: gloox's transport over a QTcpSocket, so that the
// room lives on the program's one event loop. Name lookup and connecting
// never block (gloox's own TCP connection does both blocking); received
// bytes are handed to gloox as Qt reports them, so nothing polls. TLS and
// the XMPP stream stay gloox's: it encrypts above this transport.

#include <gloox/connectionbase.h>

#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

namespace kalvex {

class XmppSocketConnection : public QObject, public gloox::ConnectionBase
{
    Q_OBJECT

public:
    // A server that has not answered a connection attempt by then is
    // taken as unreachable.
    static constexpr int kConnectTimeoutMs = 15000;

    XmppSocketConnection(gloox::ConnectionDataHandler *handler, const QString &host, quint16 port);
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

    // Why the connection failed or ended, in words (the socket's own).
    QString errorText() const { return lastError; }

private:
    void connected();
    void readReady();
    void failed(gloox::ConnectionError reason, const QString &text);
    void release();

    QString hostName;
    quint16 portNumber = 0;
    QTcpSocket *socket = nullptr;
    QTimer connectTimer;
    QString lastError;
    long int bytesIn = 0;
    long int bytesOut = 0;
};

} // namespace kalvex
