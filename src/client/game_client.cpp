#include "client/game_client.h"

#include "chat/transcript.h"

namespace kalvex {

GameClient::GameClient(ClientPorts clientPorts, Transcript &transcript)
    : ports(clientPorts), lines(transcript), composer(*this, transcript),
      game(ports, transcript, composer)
{}

void GameClient::systemLine(std::string_view text)
{
    lines.addlinetochat("0+" + std::string(text), ClientSession::syscolour);
}

std::optional<std::string> GameClient::seatName(int slot) const
{
    return game.seatName(slot);
}

void GameClient::send(const std::string &bytes)
{
    ports.link.send(bytes);
}

bool GameClient::chatterSoundsOn() const
{
    return ports.chat != nullptr && ports.chat->chatterSoundsOn();
}

void GameClient::playChatterSound(std::string_view name)
{
    if (ports.chat != nullptr)
        ports.chat->playChatterSound(name);
}

void GameClient::saveTextColour()
{
    if (ports.chat != nullptr)
        ports.chat->saveTextColour();
}

} // namespace kalvex
