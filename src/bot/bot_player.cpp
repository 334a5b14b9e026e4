#include "bot/bot_player.h"

#include "bot/board_play.h"
#include "net/message.h"

#include <algorithm>

namespace kalvex::bot {

namespace {

constexpr int kGreetingPhrase = 1;
constexpr int kGoodGamePhrase = 2;
// The phrase buttons unlock after about a second; a locked phrase is tried
// again after this long.
constexpr int kPhraseRetryMs = 1200;
// Time for the last words to leave before the link closes.
constexpr int kLeaveDelayMs = 500;
// A row is never answered at once: a joiner's game options arrive just after
// its row opens.
constexpr int kLeastThinkingMs = 50;

int levelThinkingTime(Level level)
{
    switch (level) {
    case Level::Easy:
        return 4000;
    case Level::Normal:
        return 3000;
    case Level::Expert:
        return 1800;
    }
    return 3000;
}

} // namespace

BotPlayer::BotPlayer(BotSurroundings &surroundings, BotOptions botOptions)
    : around(surroundings), options(std::move(botOptions)),
      core(ClientPorts{.link = *this, .owner = *this, .sounds = this, .tally = this}, transcript),
      solver(options.level, 6, options.seed), random(options.seed),
      thinkMean(options.thinkMs >= 0 ? options.thinkMs : levelThinkingTime(options.level))
{
    transcript.setListener(this);
    core.session().setPlayername(options.name);
    core.session().setStartButtonVisible(false);
    core.chat().setPhrase(kGreetingPhrase, kGreeting);
    core.chat().setPhrase(kGoodGamePhrase, kGoodGame);
}

void BotPlayer::handleLine(std::string_view line)
{
    try {
        core.session().handleLine(line);
    } catch (const std::exception &error) {
        // What the server sent could not be read; the next line is handled
        // as usual, as in the window.
        around.log(std::string("error: ") + error.what());
    }
}

void BotPlayer::dispatchTick()
{
    core.chat().tick();
}

void BotPlayer::clockTick()
{
    core.session().clockTick();
}

void BotPlayer::connectionClosed()
{
    around.log("the connection closed");
    leaving = true;
    pending.clear();
    around.leave(kExitDone);
}

int BotPlayer::thinkingDelay()
{
    if (thinkMean <= 0)
        return 0;
    // Between 60 and 140 percent of the mean.
    return std::uniform_int_distribution<int>(thinkMean * 6 / 10, thinkMean * 14 / 10)(random);
}

void BotPlayer::schedule(Action action, int delayMs, int row)
{
    if (leaving)
        return;
    pending.push_back({action, delayMs, row});
    if (!timerRunning) {
        timerRunning = true;
        around.startTimer(pending.front().delayMs);
    }
}

void BotPlayer::timerFired()
{
    timerRunning = false;
    if (pending.empty())
        return;
    const Pending due = pending.front();
    pending.pop_front();
    run(due);
    if (!pending.empty() && !timerRunning && !leaving) {
        timerRunning = true;
        around.startTimer(pending.front().delayMs);
    }
}

void BotPlayer::run(const Pending &due)
{
    switch (due.action) {
    case Action::Greet:
        say(kGreetingPhrase, Action::Greet);
        break;
    case Action::Guess:
        guess(due.row);
        break;
    case Action::GoodGame:
        say(kGoodGamePhrase, Action::GoodGame);
        break;
    case Action::Leave:
        leaving = true;
        pending.clear();
        around.leave(kExitDone);
        break;
    }
}

void BotPlayer::say(int phrase, Action retry)
{
    if (!core.chat().chatterready()) {
        pending.push_front({retry, kPhraseRetryMs, 0});
        return;
    }
    core.chat().phraseClicked(phrase);
}

void BotPlayer::guess(int row)
{
    // The round may have ended, or the clock run out, while thinking; a
    // player set to watch sits the round out.
    if (row == 0 || row != core.session().board().openRow() || core.session().justWatch())
        return;
    if (enterCode(core.session(), decideFromBoard(solver, core.session())))
        guessedRow = row;
}

void BotPlayer::send(const std::string &bytes)
{
    around.send(bytes);
}

void BotPlayer::itemsAppended(std::size_t firstItem)
{
    // The line's words as shown, smilies by their codes, one blank between
    // them (the transcript sets its own blanks around heads and smilies).
    std::string words;
    const auto &items = transcript.items();
    for (std::size_t i = firstItem; i < items.size(); ++i) {
        words += ' ';
        if (items[i].kind == TranscriptItem::Kind::Text)
            words += items[i].text;
        else
            words +=
                std::string(kSmileyMarker) + std::to_string(items[i].picture + kFirstSmileyCode);
    }
    std::string line;
    for (char c : words) {
        if (c != ' ' || (!line.empty() && line.back() != ' '))
            line += c;
    }
    if (!line.empty() && line.back() == ' ')
        line.pop_back();
    around.log(line);
}

void BotPlayer::playsounds(Cue cue)
{
    // The right cue sounds when this player found the code.
    if (cue == Cue::Right)
        around.report("round " + currentRound() + ": found the code on row " +
                      std::to_string(guessedRow));
    // The turn cue sounds when a row opens for this player.
    if (cue == Cue::Turn) {
        // A row offered again while its guess is being thought out is one row.
        const int row = core.session().board().openRow();
        const bool due = std::any_of(pending.begin(), pending.end(), [row](const Pending &p) {
            return p.action == Action::Guess && p.row == row;
        });
        if (!due)
            schedule(Action::Guess, std::max(kLeastThinkingMs, thinkingDelay()), row);
    }
}

std::string BotPlayer::currentRound() const
{
    // The round text reads "ROUND: 3/5".
    const std::string &text = core.session().roundText();
    const auto start = text.find(' ') + 1;
    return text.substr(start, text.find('/') - start);
}

void BotPlayer::addgame(std::string_view winner)
{
    ++games;
    std::string summary = "game " + std::to_string(games) + " won by " +
                          (winner == "addtomine" ? options.name : std::string(winner)) + ":";
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        const SeatLine *seat = core.session().roster().seat(slot);
        if (seat != nullptr && seat->name != kWaitingName)
            summary += " " + seat->name + " " + seat->score + ",";
    }
    summary.pop_back();
    around.report(summary);
    schedule(Action::GoodGame, thinkingDelay() / 2);
    if (options.games > 0 && games >= options.games)
        schedule(Action::Leave, kLeaveDelayMs);
}

void BotPlayer::loadinifile()
{
    // The server announced this player's own login.
    if (greeted)
        return;
    greeted = true;
    schedule(Action::Greet, thinkingDelay() / 2);
}

void BotPlayer::gameIsFull()
{
    around.log("Game is full");
    leaving = true;
    pending.clear();
    around.leave(kExitFull);
}

void BotPlayer::roundClock(bool run)
{
    around.roundClock(run);
}

} // namespace kalvex::bot
