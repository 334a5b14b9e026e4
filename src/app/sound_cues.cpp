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

std::optional<int> chatterSoundNumber(std::string_view name)
{
    constexpr std::string_view prefix = "wave";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 2)
        return std::nullopt;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = name[i];
        if (c != prefix[i] && c != prefix[i] - 'a' + 'A')
            return std::nullopt;
    }
    const std::string_view digits = name.substr(prefix.size());
    if (digits.front() == '0')
        return std::nullopt;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > kChatterSoundCount)
        return std::nullopt;
    return n;
}

std::string chatterSoundName(int n)
{
    return "wave" + std::to_string(n);
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
