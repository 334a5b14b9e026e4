#pragma once
// XmppGameRoom: the game room as a multi-user chat room on an XMPP server,
// through gloox, on the program's event loop (see XmppSocketConnection).
// It logs in (anonymously or with an account), enters the room under the
// player's name, carries the game advertisement in its room presence, and
// tries again after a failure with a growing pause, except after failures
// that only the user can mend (a bad password, a taken name, a server that
// will not encrypt).
//
// Every server but one on the loop-back network must encrypt (STARTTLS) with
// a certificate that the system trusts for the XMPP domain; a server named
// on the standard port is looked for where its DNS service records point.
//
// What it tells:
// - occupantChanged() for everyone in the room, this lobby included (with
//   its own advert as the room passes it on); the advert is nothing when an
//   occupant advertises none or one that breaks the advert's rules;
// - chatReceived() for every line said in the room, this lobby's own as the
//   room sends them back (as the game's server does), with the game chat's
//   rules applied; the room's past chat is not asked for;
// - failed() with the seconds until it tries again by itself, 0 when it
//   waits for the user; nicknameTaken() instead when the name is in use;
// - left() after leave(), when it was in the room or about to try again.
// Every signal is emitted from the event loop, never from inside gloox, so
// that a slot may do anything (open a dialog, leave, enter again); signals
// of a session that was left since are dropped.

#include "lobby/qt/game_room.h"

#include <gloox/gloox.h>
#include <gloox/mucroomhandler.h>

#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace gloox {
class Client;
class Message;
class MUCRoom;
class Presence;
} // namespace gloox

namespace kalvex {

class XmppSocketConnection;

class XmppGameRoom : public GameRoom
{
    Q_OBJECT

public:
    // The server is pinged this often; one that has not answered by the
    // next ping is gone (a link that died without a word, a laptop that
    // slept). The traffic also keeps routers from dropping an idle link.
    static constexpr int kKeepAliveMs = 60000;
    // A room that is being created by someone else is locked for a moment:
    // entering is tried again this often, this many times, before the room
    // counts as missing.
    static constexpr int kLockedRoomRetryMs = 500;
    static constexpr int kLockedRoomRetries = 20;

    explicit XmppGameRoom(QObject *parent = nullptr);
    ~XmppGameRoom() override;

    void enter(const RoomAccount &account) override;
    void leave() override;
    void say(const QString &text) override;
    void advertise(const std::optional<GameAdvert> &advert) override;

    // In the room now (entered() came, and nothing ended it since).
    bool inRoom() const;

    // The link to the server is encrypted (TLS).
    bool encrypted() const;

    // How often the server is pinged (tests shorten it).
    void setKeepAliveInterval(int ms) { keepAliveTimer.setInterval(ms); }

private:
    struct Session;

    void connectSession();
    void joinRoom();
    void endSession();
    // A failure: the session ends; after `retry` a new one starts after a
    // growing pause, else the room waits for the user.
    void fail(const QString &reason, bool retry);
    void retryLockedRoom();
    QString disconnectReason(gloox::ConnectionError error) const;
    QString roomErrorReason(gloox::StanzaError error) const;
    // Runs `signal` from the event loop, unless the room was entered again
    // or left by then.
    void post(std::function<void()> signal);
    void reapEndedSessions();

    // What the current session's client and room report (Session passes
    // on the reports of the current session only).
    void sessionConnected();
    void sessionDisconnected(gloox::ConnectionError error);
    bool sessionTlsConnected(const gloox::CertInfo &info);
    void occupantPresence(const gloox::MUCRoomParticipant &participant,
                          const gloox::Presence &presence);
    void roomMessage(const gloox::Message &message, bool privateMessage);
    void roomError(gloox::StanzaError error);
    void keepAlive();
    // Puts the current advert (or none) into this lobby's room presence.
    void sendAdvert();

    RoomAccount account;
    std::optional<GameAdvert> currentAdvert;
    std::unique_ptr<Session> session;
    std::vector<std::unique_ptr<Session>> endedSessions;
    // Counts enter() and leave(): a posted signal of an older count is stale.
    quint64 generation = 0;
    int failures = 0;
    int lockedRoomRetries = 0;
    QString tlsProblem;
    QTimer retryTimer;
    QTimer lockedRoomTimer;
    QTimer keepAliveTimer;
};

} // namespace kalvex
