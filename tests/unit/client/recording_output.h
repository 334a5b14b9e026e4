#pragma once
// A ClientOutput that records every call, and a session fixture around it.

#include "client/client_session.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kalvex::testing {

struct RecordingOutput : ClientOutput
{
    std::vector<std::string> sent;
    std::vector<std::string> lines;
    std::vector<ColourValue> lineColours;
    std::vector<std::string> chats;
    std::vector<std::string> chatterSounds;
    std::vector<Cue> cues;
    std::vector<int> tally;
    std::vector<std::string> games;
    std::vector<std::pair<int, std::string>> spiesIn;
    std::vector<std::pair<int, std::string>> spiesOut;
    std::vector<bool> clockCalls;
    int iniLoads = 0;
    int fullBoxes = 0;
    int redraws = 0;

    void send(const std::string &bytes) override { sent.push_back(bytes); }
    void addlinetochat(std::string_view line, ColourValue colour) override
    {
        lines.emplace_back(line);
        lineColours.push_back(colour);
    }
    void chatrecieved(std::string_view fields) override { chats.emplace_back(fields); }
    void playasound(std::string_view fields) override { chatterSounds.emplace_back(fields); }
    void playsounds(Cue cue) override { cues.push_back(cue); }
    void addtomineincrease(int column) override { tally.push_back(column); }
    void addgame(std::string_view winner) override { games.emplace_back(winner); }
    void loadinifile() override { ++iniLoads; }
    void spyEntered(int slot, std::string_view name) override { spiesIn.emplace_back(slot, name); }
    void spyLeft(int slot, std::string_view name) override { spiesOut.emplace_back(slot, name); }
    void gameIsFull() override { ++fullBoxes; }
    void roundClock(bool run) override { clockCalls.push_back(run); }
    void modelChanged() override { ++redraws; }

    int cueCount(Cue cue) const
    {
        return static_cast<int>(std::count(cues.begin(), cues.end(), cue));
    }

    void forget() { *this = RecordingOutput{}; }
};

using test::wire;

class SessionTest : public ::testing::Test
{
protected:
    RecordingOutput out;
    ClientSession session{out};

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
