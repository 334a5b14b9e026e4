#pragma once
// What the chat composer needs from the main window. The main window
// implements it; tests use a recording fake.

#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

class ChatHost
{
public:
    virtual ~ChatHost() = default;

    // One whole message (terminator included) on the game link.
    virtual void send(const std::string &bytes) = 0;
    // The server's login request has arrived.
    virtual bool loggedin() const = 0;
    // This client's slot, 0 until logged in.
    virtual int myslot() const = 0;
    // The name on the seat line of a slot (1 to 10); nothing for a slot
    // without a seat line.
    virtual std::optional<std::string> seatName(int slot) const = 0;
    // "Play Chatter Sounds" is checked.
    virtual bool chatterSoundsOn() const = 0;
    // Plays a stored chatter sound ("wave1" to "wave20") without waiting.
    virtual void playChatterSound(std::string_view name) = 0;
    // The user chose a text colour: the settings file keeps it.
    virtual void saveTextColour() = 0;
};

} // namespace kalvex
