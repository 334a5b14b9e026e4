#pragma once
// The round clock: seconds left, its text, text colour and bar width.

#include "net/colour_text.h"
#include "net/shown_text.h"

#include <string>

namespace kalvex {

class RoundClock
{
public:
    // Pale yellow while 20 seconds or more are left, red below.
    static constexpr ColourValue kCalmColour = 0x9DE3E0;  // red 224, green 227, blue 157
    static constexpr ColourValue kHurryColour = 0x0000FF; // red 255
    // The colour before the first tick: yellow green (208, 217, 38).
    static constexpr ColourValue kDesignColour = 0x26D9D0;
    static constexpr int kDesignBarWidth = 135;

    int secondsleft() const { return seconds; }
    bool running() const { return isRunning; }
    const std::string &text() const { return clockText; }
    ColourValue colour() const { return textColour; }
    int barWidth() const { return bar; }

    void setSeconds(int value) { seconds = value; }
    void setRunning(bool run) { isRunning = run; }

    struct Tick
    {
        // The clock has reached zero (and stays there on later ticks).
        bool expired = false;
        // The "time" cue is due.
        bool cue = false;
    };
    // One second passes.
    Tick tick();
    // The round's time ran out on the server: "0:00" and an empty bar.
    void showTimeUp();

    // The most the clock shows: a foreign host may send any round time, and
    // the clock's label has room for two digits of minutes.
    static constexpr int kMaxShownSeconds = 99 * 60 + 59;

    // "m:ss", minutes without a leading zero; below zero shows as 0:00, above
    // kMaxShownSeconds as 99:59.
    static std::string format(int total);

private:
    int seconds = 0;
    bool isRunning = false;
    std::string clockText = withArgs(translate("RoundClock", "Time: %1"), {"0:00"});
    ColourValue textColour = kDesignColour;
    int bar = kDesignBarWidth;
};

} // namespace kalvex
