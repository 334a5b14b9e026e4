#pragma once
// The lobby link: games started from the lobby connect to 127.0.0.1 on the
// lobby port and hold the connection while they run. Nothing is sent on a
// link; what a peer sends is dropped unread, only its close matters.

#include <QObject>
#include <QTcpServer>

namespace kalvex {

class LobbyLinkListener : public QObject
{
    Q_OBJECT

public:
    explicit LobbyLinkListener(QObject *parent = nullptr);
    ~LobbyLinkListener() override;

    // Listens on 127.0.0.1:port; false (with the reason) when it cannot.
    bool listen(quint16 port, QString *error = nullptr);
    bool listening() const { return server.isListening(); }
    int openLinks() const { return links; }

signals:
    // A game linked or a link closed.
    void linksChanged(int openLinks);

private:
    void accept();

    QTcpServer server;
    int links = 0;
};

} // namespace kalvex
