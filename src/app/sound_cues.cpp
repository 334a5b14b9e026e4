#include "app/sound_cues.h"

namespace kalvex {

std::string_view cueName(Cue cue, TurnSound turn)
{
    switch (cue) {
    case Cue::Click:
        return "click";
    case Cue::Entered:
        return "entered";
    case Cue::Right:
        return "right";
    case Cue::Wrong:
        return "wrong";
    case Cue::Time:
        return "time";
    case Cue::TimeUp:
        return "timeup";
    case Cue::RoundOver:
        return "roundover";
    case Cue::Winner:
        return "winner";
    case Cue::Turn:
        return turn == TurnSound::New ? "turnnew" : "turn";
    case Cue::Mention:
        return "mention";
    }
    return {};
}

void SoundCues::playsounds(Cue cue)
{
    if (playSoundsOn)
        backend.play(cueName(cue, turn));
}

bool SoundCues::playChatter(std::string_view name)
{
    if (!chatterSoundsOn)
        return false;
    const std::optional<int> n = chatterSoundNumber(name);
    if (!n)
        return false;
    backend.play(chatterSoundName(*n));
    return true;
}

} // namespace kalvex
