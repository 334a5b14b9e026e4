#include "lobby/qt/xmpp_game_room.h"

#include "lobby/qt/xmpp_advert_extension.h"
#include "lobby/qt/xmpp_room_rules.h"
#include "lobby/qt/xmpp_socket_connection.h"
#include "lobby/qt/xmpp_tls_bridge.h"
#include "net/qt/display_text.h"

#include <gloox/client.h>
#include <gloox/connectionlistener.h>
#include <gloox/event.h>
#include <gloox/eventhandler.h>
#include <gloox/jid.h>
#include <gloox/message.h>
#include <gloox/mucroom.h>
#include <gloox/presence.h>

#include <QHostAddress>
#include <QLoggingCategory>
#include <QRandomGenerator>

namespace kalvex {

namespace {

Q_LOGGING_CATEGORY(lcRoom, "kalvex.lobby.room", QtWarningMsg)

constexpr quint16 kDefaultXmppPort = 5222;

std::string utf8(const QString &text)
{
    return text.toStdString();
}

QString shown(const std::string &text)
{
    return displayText(text);
}

std::string randomResource()
{
    return "kalvex-" + QString::number(QRandomGenerator::global()->generate(), 16).toStdString();
}

} // namespace

// One connection's client and room. It passes gloox's reports on to the
// room while it is the current session; once it ended (owner cleared) they
// go nowhere, so that gloox may finish a callback that ended it.
class XmppGameRoom::Session : public gloox::ConnectionListener,
                              public gloox::MUCRoomHandler,
                              public gloox::EventHandler
{
public:
    explicit Session(XmppGameRoom *room) : owner(room) {}
    // The room goes before the client it was made with.
    ~Session() override
    {
        room.reset();
        client.reset();
    }

    XmppGameRoom *owner;
    std::unique_ptr<gloox::Client> client;
    std::unique_ptr<gloox::MUCRoom> room;
    XmppSocketConnection *connection = nullptr; // owned by the client
    QString host;
    bool loopback = false;
    bool loggedIn = false;
    bool entered = false;
    bool pingUnanswered = false;

private:
    // Any answer to a ping, an error too, shows that the server is there.
    void handleEvent(const gloox::Event &event) override
    {
        if (event.eventType() != gloox::Event::PingPing)
            pingUnanswered = false;
    }
    void onConnect() override
    {
        if (owner)
            owner->sessionConnected();
    }
    void onDisconnect(gloox::ConnectionError error) override
    {
        if (owner)
            owner->sessionDisconnected(error);
    }
    bool onTLSConnect(const gloox::CertInfo &info) override
    {
        return owner && owner->sessionTlsConnected(info);
    }
    void handleMUCParticipantPresence(gloox::MUCRoom *, const gloox::MUCRoomParticipant participant,
                                      const gloox::Presence &presence) override
    {
        if (owner)
            owner->occupantPresence(participant, presence);
    }
    void handleMUCMessage(gloox::MUCRoom *, const gloox::Message &message,
                          bool privateMessage) override
    {
        if (owner)
            owner->roomMessage(message, privateMessage);
    }
    // The first lobby in makes the room with the server's defaults and
    // opens it at once for everyone else.
    bool handleMUCRoomCreation(gloox::MUCRoom *) override { return true; }
    void handleMUCSubject(gloox::MUCRoom *, const std::string &, const std::string &) override {}
    void handleMUCInviteDecline(gloox::MUCRoom *, const gloox::JID &, const std::string &) override
    {}
    void handleMUCError(gloox::MUCRoom *, gloox::StanzaError error) override
    {
        if (owner)
            owner->roomError(error);
    }
    void handleMUCInfo(gloox::MUCRoom *, int, const std::string &, const gloox::DataForm *) override
    {}
    void handleMUCItems(gloox::MUCRoom *, const gloox::Disco::ItemList &) override {}
};

std::unique_ptr<GameRoom> makeXmppGameRoom(QObject *parent)
{
    return std::make_unique<XmppGameRoom>(parent);
}

XmppGameRoom::XmppGameRoom(QObject *parent) : GameRoom(parent)
{
    retryTimer.setSingleShot(true);
    connect(&retryTimer, &QTimer::timeout, this, &XmppGameRoom::connectSession);
    lockedRoomTimer.setSingleShot(true);
    lockedRoomTimer.setInterval(kLockedRoomRetryMs);
    connect(&lockedRoomTimer, &QTimer::timeout, this, &XmppGameRoom::joinRoom);
    keepAliveTimer.setInterval(kKeepAliveMs);
    connect(&keepAliveTimer, &QTimer::timeout, this, &XmppGameRoom::keepAlive);
}

XmppGameRoom::~XmppGameRoom()
{
    ++generation;
    endSession();
    reapEndedSessions();
}

bool XmppGameRoom::inRoom() const
{
    return session && session->entered;
}

bool XmppGameRoom::encrypted() const
{
    return session && session->connection && session->connection->encrypted();
}

void XmppGameRoom::enter(const RoomAccount &newAccount)
{
    ++generation;
    endSession();
    retryTimer.stop();
    account = newAccount;
    failures = 0;
    connectSession();
}

void XmppGameRoom::leave()
{
    ++generation;
    const bool active = session || retryTimer.isActive();
    retryTimer.stop();
    endSession();
    if (active)
        post([this] { emit left(); });
}

void XmppGameRoom::connectSession()
{
    endSession();
    lockedRoomRetries = 0;
    tlsProblem.clear();

    const QString server = account.server.trimmed();
    const gloox::JID roomJid(utf8(account.room.trimmed() + QLatin1Char('/') + account.nickname));
    if (!roomJid || roomJid.username().empty() || roomJid.resource().empty()) {
        fail(tr("\"%1\" is no room address (like kalvex@conference.example.org), or \"%2\" no "
                "name that can be used in it.")
                 .arg(account.room, account.nickname),
             false);
        return;
    }

    auto next = std::make_unique<Session>(this);
    if (account.anonymous) {
        if (server.isEmpty()) {
            fail(tr("Please enter the server."), false);
            return;
        }
        next->client = std::make_unique<gloox::Client>(utf8(server));
    } else {
        const gloox::JID user(utf8(account.jid.trimmed()));
        if (!user || user.username().empty()) {
            fail(tr("\"%1\" is no account (like name@example.org).").arg(account.jid), false);
            return;
        }
        next->client = std::make_unique<gloox::Client>(user.bareJID(), utf8(account.password));
    }
    next->client->setResource(randomResource());
    next->host = server.isEmpty() ? shown(next->client->server()) : server;
    next->loopback = isLoopbackServer(next->host);
    next->client->setTls(next->loopback ? gloox::TLSOptional : gloox::TLSRequired);
    next->client->setCompression(false);
    next->client->disableRoster();
    next->client->registerConnectionListener(next.get());
    next->client->registerStanzaExtension(new XmppAdvertExtension());
    const quint16 port = account.port ? account.port : kDefaultXmppPort;
    // A server named on the standard port may have its service elsewhere:
    // its DNS service records say where.
    const bool named = QHostAddress(next->host).isNull();
    const auto lookup = named && !next->loopback && port == kDefaultXmppPort
                            ? XmppSocketConnection::Lookup::ServiceRecords
                            : XmppSocketConnection::Lookup::Direct;
    next->connection = new XmppSocketConnection(next->client.get(), next->host, port, lookup);
    next->client->setConnectionImpl(next->connection);
    next->client->setEncryptionImpl(
        new XmppTlsBridge(next->client.get(), next->connection, next->client->server()));

    session = std::move(next);
    qCDebug(lcRoom) << "connecting to" << session->host << account.port;
    session->client->connect(false);
}

void XmppGameRoom::sessionConnected()
{
    if (!session)
        return;
    // gloox reports a stream it could not log in on (no way of logging in
    // that both sides know) as connected all the same.
    if (!session->client->authed()) {
        fail(disconnectReason(gloox::ConnNoSupportedAuth), false);
        return;
    }
    session->loggedIn = true;
    keepAliveTimer.start();
    joinRoom();
}

void XmppGameRoom::keepAlive()
{
    if (!session || !session->loggedIn)
        return;
    if (session->pingUnanswered) {
        fail(tr("The connection to the server %1 was lost: it does not answer.").arg(session->host),
             true);
        return;
    }
    session->pingUnanswered = true;
    session->client->xmppPing(gloox::JID(session->client->server()), session.get());
}

void XmppGameRoom::joinRoom()
{
    if (!session || !session->loggedIn)
        return;
    // A room that answered with an error cannot be joined again: a new one.
    if (session->room) {
        session->room->removeMUCRoomHandler();
        session->room.reset();
    }
    const gloox::JID roomJid(utf8(account.room.trimmed() + QLatin1Char('/') + account.nickname));
    session->room = std::make_unique<gloox::MUCRoom>(session->client.get(), roomJid, session.get());
    // The room's past chat is not shown, as a game shows none to newcomers.
    session->room->setRequestHistory(0, gloox::MUCRoom::HistoryMaxStanzas);
    session->room->join();
}

void XmppGameRoom::endSession()
{
    lockedRoomTimer.stop();
    keepAliveTimer.stop();
    if (!session)
        return;
    std::unique_ptr<Session> ending = std::move(session);
    ending->owner = nullptr;
    // The unavailable presence takes the advertisement away at once.
    if (ending->room && ending->entered)
        ending->room->leave();
    // This may run inside one of gloox's callbacks: the connection closes
    // and the session goes when control is back in the event loop.
    endedSessions.push_back(std::move(ending));
    QMetaObject::invokeMethod(this, &XmppGameRoom::reapEndedSessions, Qt::QueuedConnection);
}

void XmppGameRoom::reapEndedSessions()
{
    for (const std::unique_ptr<Session> &ended : endedSessions)
        ended->client->disconnect();
    endedSessions.clear();
}

void XmppGameRoom::post(std::function<void()> signal)
{
    QMetaObject::invokeMethod(
        this,
        [this, signal = std::move(signal), sent = generation] {
            if (sent == generation)
                signal();
        },
        Qt::QueuedConnection);
}

void XmppGameRoom::fail(const QString &reason, bool retry)
{
    endSession();
    int seconds = 0;
    if (retry) {
        ++failures;
        seconds = retryDelaySeconds(failures);
        retryTimer.start(seconds * 1000);
    }
    qCDebug(lcRoom) << "failed:" << reason << "retry in" << seconds;
    post([this, reason, seconds] { emit failed(reason, seconds); });
}

void XmppGameRoom::sessionDisconnected(gloox::ConnectionError error)
{
    if (!session)
        return;
    const bool wasInRoom = session->entered;
    const QString reason = disconnectReason(error);
    // Only the user can mend these; trying again would only repeat them.
    const bool userMustAct = error == gloox::ConnAuthenticationFailed ||
                             error == gloox::ConnNoSupportedAuth ||
                             error == gloox::ConnTlsNotAvailable || error == gloox::ConnTlsFailed ||
                             (error == gloox::ConnStreamError &&
                              session->client->streamError() == gloox::StreamErrorHostUnknown);
    if (wasInRoom)
        failures = 0;
    fail(reason, !userMustAct);
}

QString XmppGameRoom::disconnectReason(gloox::ConnectionError error) const
{
    const QString host = session ? session->host : account.server;
    const QString socketText =
        session && session->connection ? session->connection->errorText() : QString();
    if (session && session->connection && session->connection->flooded())
        return tr("The server %1 sent far more than a room needs: the lobby left it.").arg(host);
    switch (error) {
    case gloox::ConnAuthenticationFailed:
        return tr("The server %1 refused the login: bad password or unknown account.").arg(host);
    case gloox::ConnNoSupportedAuth:
        return account.anonymous
                   ? tr("The server %1 does not allow anonymous login: please use an account.")
                         .arg(host)
                   : tr("The server %1 offers no way to log in that the lobby knows.").arg(host);
    case gloox::ConnTlsNotAvailable:
        return tr("The server %1 offers no encrypted connection (TLS), so the lobby does not "
                  "log in there.")
            .arg(host);
    case gloox::ConnTlsFailed:
        return tlsProblem.isEmpty()
                   ? tr("The encrypted connection to the server %1 failed.").arg(host)
                   : tlsProblem;
    case gloox::ConnDnsError:
        return tr("Cannot find the server %1.").arg(host);
    case gloox::ConnConnectionRefused:
    case gloox::ConnIoError:
        return tr("Cannot reach the server %1 (%2).").arg(host, socketText);
    case gloox::ConnStreamError:
        if (session && session->client->streamError() == gloox::StreamErrorHostUnknown)
            return tr("The server %1 does not serve \"%2\": please check the server and the "
                      "account.")
                .arg(host, shown(session->client->server()));
        [[fallthrough]];
    case gloox::ConnStreamVersionError:
    case gloox::ConnParseError: {
        const std::string text = session ? session->client->streamErrorText() : std::string();
        return text.empty() ? tr("The server %1 closed the connection.").arg(host)
                            : tr("The server %1 closed the connection: %2")
                                  .arg(host, shown(roomChatText(text)));
    }
    default:
        return tr("The connection to the server %1 was lost.").arg(host);
    }
}

bool XmppGameRoom::sessionTlsConnected(const gloox::CertInfo &info)
{
    // Only a loop-back server goes without a trusted certificate: it is
    // this machine.
    if (!session || session->loopback || info.status == gloox::CertOk)
        return true;
    QStringList problems;
    if (info.status & gloox::CertWrongPeer)
        problems << tr("it is for another server");
    if (info.status & (gloox::CertSignerUnknown | gloox::CertInvalid | gloox::CertSignerNotCa))
        problems << tr("no trusted authority signed it");
    if (info.status & gloox::CertExpired)
        problems << tr("it has expired");
    if (info.status & gloox::CertNotActive)
        problems << tr("it is not valid yet");
    if (info.status & gloox::CertRevoked)
        problems << tr("it was revoked");
    tlsProblem = tr("The server %1 cannot prove who it is: its certificate is refused (%2).")
                     .arg(session->host, problems.join(QLatin1String(", ")));
    return false;
}

void XmppGameRoom::occupantPresence(const gloox::MUCRoomParticipant &participant,
                                    const gloox::Presence &presence)
{
    if (!session || !participant.nick)
        return;
    const QString nickname = shown(roomNicknameText(participant.nick->resource()));
    const bool gone = presence.presence() == gloox::Presence::Unavailable;

    if (participant.flags & gloox::UserSelf) {
        if (gone) {
            if (participant.flags & gloox::UserNickChanged)
                return;
            QString why = tr("You are no longer in the room.");
            if (participant.flags & gloox::UserKicked)
                why = tr("You were removed from the room.");
            else if (participant.flags & gloox::UserBanned)
                why = tr("You are banned from the room.");
            else if (participant.flags & gloox::UserRoomDestroyed)
                why = tr("The room was closed.");
            session->entered = false;
            fail(why, true);
            return;
        }
        if (!session->entered) {
            session->entered = true;
            failures = 0;
            post([this, nickname] { emit entered(nickname); });
            if (currentAdvert) {
                // The room hears of it with the next presence.
                sendAdvert();
                return;
            }
        }
    } else if (gone) {
        post([this, nickname] { emit occupantLeft(nickname); });
        return;
    }

    std::optional<GameAdvert> advert;
    if (const auto *extension =
            presence.findExtension<XmppAdvertExtension>(XmppAdvertExtension::kType))
        advert = extension->advert();
    post([this, nickname, advert] { emit occupantChanged(nickname, advert); });
}

void XmppGameRoom::roomMessage(const gloox::Message &message, bool privateMessage)
{
    if (!session || privateMessage || message.when())
        return;
    const std::string body = message.body();
    if (body.empty())
        return;
    const QString nickname = shown(roomNicknameText(message.from().resource()));
    const QString text = shown(roomChatText(body));
    post([this, nickname, text] { emit chatReceived(nickname, text); });
}

void XmppGameRoom::roomError(gloox::StanzaError error)
{
    if (!session)
        return;
    if (session->entered) {
        // A refused message or presence: the room goes on.
        qCDebug(lcRoom) << "room error" << int(error);
        return;
    }
    switch (error) {
    case gloox::StanzaErrorConflict: {
        // After a lost connection the server may still hold this lobby's
        // old self in the room, under its name, until it notices.
        if (failures > 0) {
            fail(tr("The name %1 is still in use in the room, perhaps by this lobby's lost "
                    "connection.")
                     .arg(account.nickname),
                 true);
            return;
        }
        const QString suggestion = shown(suggestedNickname(utf8(account.nickname)));
        endSession();
        post([this, suggestion] { emit nicknameTaken(suggestion); });
        return;
    }
    case gloox::StanzaErrorItemNotFound:
        // Someone else is creating the room and it is still locked.
        if (lockedRoomRetries < kLockedRoomRetries) {
            ++lockedRoomRetries;
            lockedRoomTimer.start();
            return;
        }
        break;
    default:
        break;
    }
    const bool userMustAct =
        error == gloox::StanzaErrorJidMalformed || error == gloox::StanzaErrorNotAcceptable;
    fail(roomErrorReason(error), !userMustAct);
}

QString XmppGameRoom::roomErrorReason(gloox::StanzaError error) const
{
    const QString room = account.room.trimmed();
    switch (error) {
    case gloox::StanzaErrorItemNotFound:
        return tr("The room %1 does not exist.").arg(room);
    case gloox::StanzaErrorNotAllowed:
        return tr("The room %1 does not exist, and the server does not let the lobby create it.")
            .arg(room);
    case gloox::StanzaErrorRegistrationRequired:
        return tr("The room %1 is for its members only.").arg(room);
    case gloox::StanzaErrorForbidden:
        return tr("The room %1 does not let you in.").arg(room);
    case gloox::StanzaErrorNotAuthorized:
        return tr("The room %1 wants a password.").arg(room);
    case gloox::StanzaErrorServiceUnavailable:
        return tr("The room %1 is full, or its server does not answer.").arg(room);
    case gloox::StanzaErrorRemoteServerNotFound:
    case gloox::StanzaErrorRemoteServerTimeout:
        return tr("The server of the room %1 cannot be reached.").arg(room);
    case gloox::StanzaErrorJidMalformed:
    case gloox::StanzaErrorNotAcceptable:
        return tr("The name \"%1\" cannot be used in the room %2.").arg(account.nickname, room);
    default:
        return tr("The room %1 refused entry (error %2).").arg(room).arg(int(error));
    }
}

void XmppGameRoom::say(const QString &text)
{
    if (!inRoom())
        return;
    const std::string line = roomChatText(wireText(text));
    if (line.find_first_not_of(' ') == std::string::npos)
        return;
    session->room->send(line);
}

void XmppGameRoom::advertise(const std::optional<GameAdvert> &advert)
{
    std::optional<GameAdvert> next = advert;
    if (next) {
        if (const std::optional<std::string> problem = advertProblem(*next)) {
            qCWarning(lcRoom) << "not advertised:" << QString::fromStdString(*problem);
            next.reset();
        }
    }
    if (next == currentAdvert)
        return;
    currentAdvert = next;
    if (inRoom())
        sendAdvert();
}

void XmppGameRoom::sendAdvert()
{
    // gloox adds its presence extensions to every presence it sends: the
    // advert is one only while in the room, so that it goes to the room
    // alone (not to an account's contacts with the presence of logging in).
    session->client->removePresenceExtension(XmppAdvertExtension::kType);
    if (currentAdvert)
        session->client->addPresenceExtension(new XmppAdvertExtension(currentAdvert));
    session->room->setPresence(gloox::Presence::Available);
}

} // namespace kalvex
