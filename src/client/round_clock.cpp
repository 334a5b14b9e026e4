#include "client/round_clock.h"

#include "net/shown_text.h"

#include <algorithm>

namespace kalvex {

std::string RoundClock::format(int total)
{
    const int value = std::clamp(total, 0, kMaxShownSeconds);
    const int minutes = value / 60;
    const int secs = value % 60;
    std::string text = std::to_string(minutes) + ":";
    if (secs < 10)
        text += '0';
    return text + std::to_string(secs);
}

RoundClock::Tick RoundClock::tick()
{
    // Counting down from the lowest value would overflow: anything below 2
    // reaches zero on this tick.
    if (seconds < 2) {
        seconds = 0;
        clockText = withArgs(translate("RoundClock", "Time: %1"), {"0:00"});
        bar = 0;
        return {true, false};
    }
    --seconds;
    bar = seconds;
    textColour = seconds < 20 ? kHurryColour : kCalmColour;
    const bool cue = seconds == 20 || seconds == 15 || seconds <= 10;
    clockText = withArgs(translate("RoundClock", "Time: %1"), {format(seconds)});
    return {false, cue};
}

void RoundClock::showTimeUp()
{
    clockText = "0:00";
    bar = 0;
}

} // namespace kalvex
