#pragma once
// GameRoom: the lobby's place on the internet, a chat room that players
// enter under their names; its people, its chat, and the games that hosting
// people advertise in it.

#include "lobby/game_advert.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace kalvex {

struct RoomAccount
{
    QString server;         // the server's host name or address
    quint16 port = 5222;
    bool anonymous = true;  // anonymous login where the server allows it
    QString jid;            // user@server, when not anonymous
    QString password;
    QString room;           // room@conference.server
    QString nickname;       // the player's name in the room
};

class GameRoom : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~GameRoom() override = default;

    // Connects, logs in and enters the room; answers with entered() or
    // failed(). Never blocks the caller.
    virtual void enter(const RoomAccount &account) = 0;
    // Leaves the room and disconnects (the advertisement goes with it).
    virtual void leave() = 0;
    // Sends a line to the room's chat.
    virtual void say(const QString &text) = 0;
    // Puts an advertisement into this lobby's room presence, or takes it
    // out (nothing).
    virtual void advertise(const std::optional<GameAdvert> &advert) = 0;

signals:
    void entered(const QString &nickname);
    void left();
    // Someone is in the room, or changed their presence; `advert` is the
    // game they advertise, nothing when none (or none that could be read).
    void occupantChanged(const QString &nickname, const std::optional<GameAdvert> &advert);
    void occupantLeft(const QString &nickname);
    void chatReceived(const QString &nickname, const QString &text);
    // The nickname is taken in the room; `suggestion` is one that may not be.
    void nicknameTaken(const QString &suggestion);
    // Something went wrong, in words; when `retryInSeconds` > 0 the room
    // tries again by itself after that long.
    void failed(const QString &reason, int retryInSeconds);
};

// The room on an XMPP server (multi-user chat).
std::unique_ptr<GameRoom> makeXmppGameRoom(QObject *parent = nullptr);

} // namespace kalvex
