#pragma once
// A bare gloox client in the room, for what a lobby never does by itself:
// holding a new room locked for a while, or sending presence with odd
// elements in it. It runs on the event loop like the lobby's room.

#include "lobby/qt/xmpp_socket_connection.h"

#include <gloox/client.h>
#include <gloox/connectionlistener.h>
#include <gloox/mucroom.h>
#include <gloox/mucroomhandler.h>
#include <gloox/presence.h>
#include <gloox/tag.h>

#include <QString>

#include <memory>

namespace kalvex::testing {

class RawRoomClient : public gloox::ConnectionListener, public gloox::MUCRoomHandler
{
public:
    // Connects anonymously to the server on this loop-back port.
    RawRoomClient(const QString &domain, quint16 port)
        : client(std::make_unique<gloox::Client>(domain.toStdString()))
    {
        client->setTls(gloox::TLSDisabled);
        client->setCompression(false);
        client->disableRoster();
        client->registerConnectionListener(this);
        client->setConnectionImpl(new XmppSocketConnection(client.get(), domain, port));
        client->connect(false);
    }
    ~RawRoomClient() override
    {
        room.reset();
        client->removeConnectionListener(this);
        client->disconnect();
    }

    // Enters the room; a room it creates stays locked until unlock() when
    // `holdLocked`.
    void join(const QString &roomAndNick, bool holdLocked)
    {
        keepLocked = holdLocked;
        room = std::make_unique<gloox::MUCRoom>(client.get(), gloox::JID(roomAndNick.toStdString()),
                                                this);
        room->join();
    }
    void unlock() { room->acknowledgeInstantRoom(); }

    // Sends available presence to the room with this element in it.
    void sendPresenceWith(const std::string &roomAndNick, gloox::Tag *element)
    {
        gloox::Tag *presence = new gloox::Tag("presence");
        presence->addAttribute("to", roomAndNick);
        presence->addChild(element);
        client->send(presence);
    }

    bool connected = false;
    bool created = false;
    bool inRoom = false;
    int errors = 0;

private:
    void onConnect() override { connected = true; }
    void onDisconnect(gloox::ConnectionError) override { connected = false; }
    bool onTLSConnect(const gloox::CertInfo &) override { return true; }
    void handleMUCParticipantPresence(gloox::MUCRoom *, const gloox::MUCRoomParticipant participant,
                                      const gloox::Presence &) override
    {
        if (participant.flags & gloox::UserSelf)
            inRoom = true;
    }
    void handleMUCMessage(gloox::MUCRoom *, const gloox::Message &, bool) override {}
    bool handleMUCRoomCreation(gloox::MUCRoom *) override
    {
        created = true;
        return !keepLocked;
    }
    void handleMUCSubject(gloox::MUCRoom *, const std::string &, const std::string &) override {}
    void handleMUCInviteDecline(gloox::MUCRoom *, const gloox::JID &, const std::string &) override
    {}
    void handleMUCError(gloox::MUCRoom *, gloox::StanzaError) override { ++errors; }
    void handleMUCInfo(gloox::MUCRoom *, int, const std::string &, const gloox::DataForm *) override
    {}
    void handleMUCItems(gloox::MUCRoom *, const gloox::Disco::ItemList &) override {}

    std::unique_ptr<gloox::Client> client;
    std::unique_ptr<gloox::MUCRoom> room;
    bool keepLocked = false;
};

} // namespace kalvex::testing
