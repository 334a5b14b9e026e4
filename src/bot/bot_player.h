#pragma once
// The computer player: a client session like the window's, with a solver in
// place of the person. It greets when it is logged in, waits a human-like
// while, enters its guess on the open row ball by ball and presses check,
// says "Good Game Everyone!" when a game ends, and leaves after its games.

#include "bot/solver.h"
#include "chat/transcript.h"
#include "client/game_client.h"

#include <deque>
#include <random>
#include <string>

namespace kalvex::bot {

struct BotOptions
{
    std::string name = "Computer 1";
    Level level = Level::Normal;
    // Games to play before leaving; 0 plays until the connection closes.
    int games = 0;
    // Mean thinking time per row in milliseconds; -1 takes the level's own.
    int thinkMs = -1;
    std::uint32_t seed = 1;
};

// What the computer player asks of its surroundings: the game link, one
// timer, the round clock and the way out.
class BotSurroundings
{
public:
    virtual ~BotSurroundings() = default;
    virtual void send(const std::string &bytes) = 0;
    // Calls BotPlayer::timerFired() once, after ms milliseconds.
    virtual void startTimer(int ms) = 0;
    // Calls BotPlayer::clockTick() every second while running.
    virtual void roundClock(bool run) = 0;
    // Closes the link and ends the player with an exit code.
    virtual void leave(int exitCode) = 0;
    // A transcript line or a notice, for the log.
    virtual void log(std::string_view text) {}
    // The outcome of a finished game: the winner and every seat's score.
    virtual void report(std::string_view text) {}
};

// The game client's ports it uses: the link, the session's events, the
// sound cues (a row opened, the code found) and the tally (a game ended).
class BotPlayer : private LinkPort,
                  private SessionPort,
                  private SoundPort,
                  private TallyPort,
                  private TranscriptListener
{
public:
    static constexpr std::string_view kGreeting = "Hello";
    static constexpr std::string_view kGoodGame = "Good Game Everyone!";
    // Exit codes handed to leave().
    static constexpr int kExitDone = 0;
    static constexpr int kExitFull = 3;

    BotPlayer(BotSurroundings &surroundings, BotOptions options);

    // One received line, without its terminator.
    void handleLine(std::string_view line);
    // One tick of the 10 ms dispatch timer (paces the phrase buttons).
    void dispatchTick();
    // True while the phrase buttons wait for dispatch ticks.
    bool needsTicks() const { return !core.chat().chatterready(); }
    void timerFired();
    void clockTick();
    // The game link closed.
    void connectionClosed();

    const ClientSession &session() const { return core.session(); }
    int gamesPlayed() const { return games; }

private:
    enum class Action
    {
        Greet,
        Guess,
        GoodGame,
        Leave
    };
    struct Pending
    {
        Action action;
        int delayMs;
        // The row a guess is for.
        int row = 0;
    };

    // LinkPort
    void send(const std::string &bytes) override;
    // SessionPort
    void loadinifile() override;
    void gameIsFull() override;
    void roundClock(bool run) override;
    // SoundPort
    void playsounds(Cue cue) override;
    // TallyPort
    void addtomineincrease(int column) override {}
    void addgame(std::string_view winner) override;
    // TranscriptListener: each line shown goes to the log.
    void itemsAppended(std::size_t firstItem) override;
    void itemsDropped(std::size_t count) override {}
    void stylesChanged(StyleChange change) override {}
    void transcriptCleared() override {}

    void schedule(Action action, int delayMs, int row = 0);
    void run(const Pending &due);
    void say(int phrase, Action retry);
    void guess(int row);
    int thinkingDelay();
    std::string currentRound() const;

    BotSurroundings &around;
    BotOptions options;
    // Bounded like the window's; read only for the log.
    Transcript transcript;
    GameClient core;
    Solver solver;
    std::mt19937 random;
    int thinkMean = 0;
    std::deque<Pending> pending;
    bool timerRunning = false;
    bool greeted = false;
    bool leaving = false;
    int games = 0;
    // The row of the latest guess sent.
    int guessedRow = 0;
};

} // namespace kalvex::bot
