#pragma once
// Ports that record every call and the lines the transcript shows, and a
// session fixture around a game client wired to them.

#include "chat/transcript.h"
#include "client/game_client.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kalvex::testing {

struct RecordingOutput : LinkPort,
                         SessionPort,
                         SoundPort,
                         ChatPort,
                         TallyPort,
                         SpectatorPort,
                         BoardView,
                         TranscriptListener
{
    std::vector<std::string> sent;
    // The transcript's lines as "slot+text", and the colour each was shown in.
    std::vector<std::string> lines;
    std::vector<ColourValue> lineColours;
    std::vector<std::string> chatterPlayed;
    std::vector<Cue> cues;
    std::vector<int> tally;
    std::vector<std::string> games;
    std::vector<std::pair<int, std::string>> spiesIn;
    std::vector<std::pair<int, std::string>> spiesOut;
    std::vector<bool> clockCalls;
    int iniLoads = 0;
    int fullBoxes = 0;
    int redraws = 0;
    int colourSaves = 0;
    bool chatterOn = true;
    const Transcript *shown = nullptr;

    ClientPorts ports()
    {
        return {.link = *this,
                .owner = *this,
                .sounds = this,
                .chat = this,
                .tally = this,
                .spectators = this,
                .view = this};
    }

    void send(const std::string &bytes) override { sent.push_back(bytes); }
    void playsounds(Cue cue) override { cues.push_back(cue); }
    bool chatterSoundsOn() const override { return chatterOn; }
    void playChatterSound(std::string_view name) override { chatterPlayed.emplace_back(name); }
    void saveTextColour() override { ++colourSaves; }
    void addtomineincrease(int column) override { tally.push_back(column); }
    void addgame(std::string_view winner) override { games.emplace_back(winner); }
    void loadinifile() override { ++iniLoads; }
    void spyEntered(int slot, std::string_view name) override { spiesIn.emplace_back(slot, name); }
    void spyLeft(int slot, std::string_view name) override { spiesOut.emplace_back(slot, name); }
    void gameIsFull() override { ++fullBoxes; }
    void roundClock(bool run) override { clockCalls.push_back(run); }
    void modelChanged() override { ++redraws; }

    // The line as it was given: the transcript shows a blank after the head
    // (up to the first ":", or nothing) and after the last word.
    void itemsAppended(std::size_t firstItem) override
    {
        const auto &items = shown->items();
        std::string text;
        for (std::size_t i = firstItem; i < items.size(); ++i) {
            if (items[i].kind == TranscriptItem::Kind::Text)
                text += items[i].text;
            else
                text += std::string(kSmileyMarker) +
                        std::to_string(items[i].picture + kFirstSmileyCode);
        }
        const std::size_t colon = text.find(':');
        text.erase(colon == std::string::npos ? 0 : colon + 1, 1);
        text.pop_back();
        const int style = items[firstItem].style;
        const int slot = style == kSystemStyle ? 0 : style - 5;
        lines.push_back(std::to_string(slot) + "+" + text);
        lineColours.push_back(shown->style(style).colour);
    }
    void itemsDropped(std::size_t) override {}
    void stylesChanged(StyleChange) override {}
    void transcriptCleared() override {}

    int cueCount(Cue cue) const
    {
        return static_cast<int>(std::count(cues.begin(), cues.end(), cue));
    }

    void forget()
    {
        const Transcript *watched = shown;
        *this = RecordingOutput{};
        shown = watched;
    }
};

// A game client on recording ports, its transcript's lines recorded too.
// Without the optional ports it has only the link and the session's owner.
template <typename Output = RecordingOutput> struct RecordedClient
{
    explicit RecordedClient(bool optionalPorts = true)
        : client(optionalPorts ? out.ports() : ClientPorts{.link = out, .owner = out}, transcript)
    {
        out.shown = &transcript;
        transcript.setListener(&out);
    }

    Output out;
    Transcript transcript;
    GameClient client;
};

using test::wire;

class SessionTest : public ::testing::Test
{
protected:
    RecordedClient<> recorded;
    RecordingOutput &out = recorded.out;
    GameClient &client = recorded.client;
    ClientSession &session = client.session();

    void feed(std::string_view line) { session.handleLine(line); }

    // Logs in as `name` in `slot`, with the other seats listed, and forgets
    // what that produced.
    void loginAs(int slot, const std::string &name = "Ann")
    {
        session.setPlayername(name);
        feed("CMD_sendlogininfo+" + std::to_string(slot));
        feed("CMD_newplayerinfo+" + std::to_string(slot) + "+" + name);
        out.forget();
    }
    void seatPlayer(int slot, const std::string &name)
    {
        feed("CMD_existingplayers+" + std::to_string(slot) + "+" + name);
        out.forget();
    }
    // A game of `rounds` rounds of `seconds` seconds, round 1 running and row 1 open.
    void playRound(int rounds = 5, int seconds = 120, bool six = false)
    {
        feed("CMD_startgame+Bob+" + std::to_string(rounds) + "+" + std::to_string(seconds) + "+0+" +
             (six ? "1" : "0") + "+");
        feed("CMD_startround+1+");
        feed("CMD_nextplayer+" + std::to_string(session.myslot()) + "+1+");
        out.forget();
    }
    const SeatLine &seat(int slot) { return *session.roster().seat(slot); }
    int countCue(Cue cue) const { return out.cueCount(cue); }
};

} // namespace kalvex::testing
