#pragma once
// A small HTTP/1.0 server on 127.0.0.1 for download tests: it records each
// request and answers with a prepared reply, optionally holding the
// connection open after a first part. Given a TLS configuration it speaks
// HTTPS.

#include <QByteArray>
#include <QList>
#include <QSslConfiguration>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace kalvex::testing {

class HttpTestServer : public QObject
{
public:
    explicit HttpTestServer(const QSslConfiguration *tls = nullptr)
    {
        if (tls) {
            auto secure = std::make_unique<QSslServer>();
            secure->setSslConfiguration(*tls);
            server = std::move(secure);
            scheme = QStringLiteral("https");
        } else {
            server = std::make_unique<QTcpServer>();
        }
        server->listen(QHostAddress::LocalHost, 0);
        // Emitted once a connection is ready, after its TLS handshake.
        QObject::connect(server.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket *socket = server->nextPendingConnection()) {
                socket->setParent(this);
                QObject::connect(socket, &QTcpSocket::readyRead, this,
                                 [this, socket] { onRequestData(socket); });
            }
        });
    }

    quint16 port() const { return server->serverPort(); }
    QString url(const QString &path) const { return urlOnHost(QStringLiteral("127.0.0.1"), path); }
    // The address of a path through another name of this computer.
    QString urlOnHost(const QString &host, const QString &path) const
    {
        return QStringLiteral("%1://%2:%3%4").arg(scheme, host).arg(port()).arg(path);
    }

    // The whole answer: status line, headers, body. With holdOpen the
    // connection stays open after it (a stalled transfer).
    void answer(const QByteArray &reply, bool holdOpen = false)
    {
        response = reply;
        stall = holdOpen;
    }
    // A different answer for one path.
    void answerPath(const QByteArray &path, const QByteArray &reply) { byPath[path] = reply; }
    static QByteArray ok(const QByteArray &body, qint64 announcedLength = -1)
    {
        return "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
               QByteArray::number(announcedLength < 0 ? body.size() : announcedLength) +
               "\r\n\r\n" + body;
    }

    // Whether a GET of this path has arrived.
    bool requested(const QByteArray &path) const
    {
        for (const QByteArray &request : requests)
            if (request.startsWith("GET " + path + " "))
                return true;
        return false;
    }

    QList<QByteArray> requests;

private:
    void onRequestData(QTcpSocket *socket)
    {
        pending[socket] += socket->readAll();
        if (!pending[socket].contains("\r\n\r\n"))
            return;
        const QByteArray request = pending.take(socket);
        requests << request;
        const QByteArray path = request.split(' ').value(1);
        socket->write(byPath.value(path, response));
        if (!stall)
            socket->disconnectFromHost();
    }

    std::unique_ptr<QTcpServer> server;
    QString scheme = QStringLiteral("http");
    QHash<QTcpSocket *, QByteArray> pending;
    QByteArray response;
    QHash<QByteArray, QByteArray> byPath;
    bool stall = false;
};

} // namespace kalvex::testing
