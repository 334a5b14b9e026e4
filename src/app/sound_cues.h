#pragma once
// The game's sound cues and chatter sounds, and the three switches of the
// Options menu that govern them. Plain C++: playback goes through a
// SoundBackend, which the program fills with Qt Multimedia and tests with a
// recording fake.

#include "chat/chat_composer.h"
#include "client/client_ports.h"

#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

// Plays the sounds stored in the program, by name ("click", "wave13").
class SoundBackend
{
public:
    virtual ~SoundBackend() = default;
    // Starts the named sound and returns at once; a sound still playing is cut
    // off. A name with no stored sound, or a machine without audio output,
    // plays nothing and reports nothing.
    virtual void play(std::string_view name) = 0;
};

// The row-open cue: "turn" (Classic) or "turnnew" (New). The values are the
// ones the settings file stores.
enum class TurnSound
{
    Classic = 0,
    New = 1
};

// The names of the stored sounds the program asks for.
std::string_view cueName(Cue cue, TurnSound turn);

// Decides which sound plays for a game event or a received chatter sound.
// The switches start at their design defaults: both on, Classic.
class SoundCues : public SoundPort
{
public:
    explicit SoundCues(SoundBackend &backend) : backend(backend) {}

    // "Play Sounds": the game cues.
    bool playSounds() const { return playSoundsOn; }
    void setPlaySounds(bool on) { playSoundsOn = on; }
    // "Play Chatter Sounds": received chatter sounds play while on; while off
    // the caller shows them as a transcript line instead.
    bool chatterSounds() const { return chatterSoundsOn; }
    void setChatterSounds(bool on) { chatterSoundsOn = on; }
    // "Turn Sound": Classic or New.
    TurnSound turnSound() const { return turn; }
    void setTurnSound(TurnSound choice) { turn = choice; }

    // A game cue: plays only while "Play Sounds" is on.
    void playsounds(Cue cue) override;
    // A received chatter sound by its wire name ("wave3"): plays while
    // "Play Chatter Sounds" is on, whatever "Play Sounds" says. Names other
    // than "wave1" to "wave20" play nothing. Returns whether it was played.
    bool playChatter(std::string_view name);

private:
    SoundBackend &backend;
    bool playSoundsOn = true;
    bool chatterSoundsOn = true;
    TurnSound turn = TurnSound::Classic;
};

} // namespace kalvex
