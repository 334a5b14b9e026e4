#pragma once
// GameClient: one player's side of a game without any window. It owns the
// client session and the chat composer and wires them to the transcript:
// the session writes its lines there itself, the composer sends through the
// same link. It talks outward through the ports in ClientPorts; the main
// window and the computer player each give the ones they have.

#include "chat/chat_composer.h"
#include "chat/chat_host.h"
#include "client/client_ports.h"
#include "client/client_session.h"

#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

class Transcript;

class GameClient : private ChatHost
{
public:
    // The transcript is the one its view draws; it outlives the client.
    GameClient(ClientPorts ports, Transcript &transcript);
    GameClient(const GameClient &) = delete;
    GameClient &operator=(const GameClient &) = delete;

    ClientSession &session() { return game; }
    const ClientSession &session() const { return game; }
    ChatComposer &chat() { return composer; }
    const ChatComposer &chat() const { return composer; }
    Transcript &transcript() { return lines; }

    // Ports whose owners come after the client.
    void setTally(TallyPort *port) { ports.tally = port; }
    void setSpectators(SpectatorPort *port) { ports.spectators = port; }

    // A system line "0+text" in the system colour.
    void systemLine(std::string_view text);
    // The name on the seat line of a slot (1 to 10); nothing for a slot
    // without a seat line.
    std::optional<std::string> seatName(int slot) const override;

private:
    void send(const std::string &bytes) override;
    bool loggedin() const override { return game.loggedin(); }
    int myslot() const override { return game.myslot(); }
    bool chatterSoundsOn() const override;
    void playChatterSound(std::string_view name) override;
    void saveTextColour() override;

    ClientPorts ports;
    Transcript &lines;
    ChatComposer composer;
    ClientSession game;
};

} // namespace kalvex
