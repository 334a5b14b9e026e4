#include "client/client_session.h"

#include "chat/chat_composer.h"
#include "chat/transcript.h"
#include "client/name_mention.h"
#include "net/commands.h"
#include "net/dispatch.h"
#include "net/shown_text.h"

#include <algorithm>
#include <optional>

namespace kalvex {

namespace {

// Tells the window to redraw when an operation ends, also when a field
// that is not a number ended it early: what it changed stays changed.
class RedrawOnExit
{
public:
    explicit RedrawOnExit(BoardView *boardView) : view(boardView) {}
    ~RedrawOnExit()
    {
        try {
            if (view != nullptr)
                view->modelChanged();
        } catch (...) {
        }
    }
    RedrawOnExit(const RedrawOnExit &) = delete;
    RedrawOnExit &operator=(const RedrawOnExit &) = delete;

private:
    BoardView *view;
};

// The number that a field carries when it is the message's only field,
// with or without a "+" behind it.
int soleNumber(std::string_view rest)
{
    const auto plus = rest.find('+');
    return strToInt(plus == std::string_view::npos ? rest : rest.substr(0, plus));
}

std::array<int, kRowHoles> readCode(FieldReader &fields)
{
    std::array<int, kRowHoles> colours{};
    for (int &colour : colours)
        colour = fields.number();
    return colours;
}

// A flag field where a text that is not a number counts as 0.
int lenientFlag(FieldReader &fields)
{
    int value = 0;
    return tryStrToInt(fields.text(), value) ? value : 0;
}

} // namespace

ClientSession::ClientSession(const ClientPorts &ports, Transcript &lines, ChatComposer &composer)
    : out(ports), transcript(lines), chat(composer)
{
    clearall();
}

void ClientSession::setPlayername(std::string_view name)
{
    playerName = name;
    loginText = std::string(name) + kTerminator;
}

void ClientSession::systemLine(std::string_view text)
{
    transcript.addlinetochat("0+" + std::string(text), syscolour);
}

std::optional<std::string> ClientSession::seatName(int slot) const
{
    if (const SeatLine *line = seats.seat(slot))
        return line->name;
    return std::nullopt;
}

void ClientSession::cue(Cue which)
{
    if (out.sounds != nullptr)
        out.sounds->playsounds(which);
}

void ClientSession::tallyIncrease(int column)
{
    if (out.tally != nullptr)
        out.tally->addtomineincrease(column);
}

void ClientSession::handleLine(std::string_view line)
{
    RedrawOnExit redraw(out.view);
    dispatchLine(line, kClientCommands,
                 [this](std::size_t index, std::string_view rest) { dispatch(index, rest); });
}

void ClientSession::dispatch(std::size_t index, std::string_view rest)
{
    switch (index) {
    case clientCommand("CMD_sendlogininfo"):
        sendloginfo(rest);
        break;
    case clientCommand("CMD_chat"):
    case clientCommand("CMD_action"):
        chatReceived(rest);
        break;
    case clientCommand("CMD_newplayerinfo"):
    case clientCommand("CMD_existingplayers"):
        newplayerinfo(rest);
        break;
    case clientCommand("CMD_havewrongversion"):
        systemLine(
            withArgs(translate("ClientSession", "%1 has a different version of the game then you."),
                     {rest}));
        break;
    case clientCommand("CMD_wrongversion"):
        systemLine(
            translate("ClientSession", "You have a differnt version of the game then the host."));
        break;
    case clientCommand("CMD_playerdisconnected"):
        playerdisconnected(rest);
        break;
    case clientCommand("CMD_startgame"):
        startthegame(rest);
        break;
    case clientCommand("CMD_nextplayer"):
        getnextplayer(rest);
        break;
    case clientCommand("CMD_winner"):
        winner(rest);
        break;
    case clientCommand("CMD_full"):
        out.owner.gameIsFull();
        break;
    case clientCommand("CMD_justwatching"):
        justwatching(rest);
        break;
    case clientCommand("CMD_startround"):
        startround(rest);
        break;
    case clientCommand("CMD_yourresult"):
        yourresult(rest);
        break;
    case clientCommand("CMD_gotit"):
        gotit(rest);
        break;
    case clientCommand("CMD_nomoreguesses"):
        nomoreguesses(rest);
        break;
    case clientCommand("CMD_endround"):
        endround();
        break;
    case clientCommand("CMD_tiegame"):
        systemLine(translate("ClientSession", "The Game is tied, so you will play another round."));
        break;
    case clientCommand("CMD_timeup"):
        timeup(rest);
        break;
    case clientCommand("CMD_loadgame"):
        loadgame(rest);
        break;
    case clientCommand("CMD_didntgetit"):
        didntgetit(rest);
        break;
    case clientCommand("CMD_gottime"):
        gottime(rest);
        break;
    case clientCommand("CMD_setbonus"):
        setbonus(rest);
        break;
    case clientCommand("CMD_playasound"):
        chatterReceived(rest);
        break;
    default:
        break;
    }
}

void ClientSession::sendloginfo(std::string_view rest)
{
    const int slot = soleNumber(rest);
    mySlot = slot;
    loggedIn = true;
    out.link.send(Message("CMD_logininfo").field(slot).field(kVersion).open(loginText).wire());
}

namespace {

// The sender's slot of a relayed chat, action or chatter sound, if its first
// field is a number.
std::optional<int> senderSlot(std::string_view rest)
{
    int slot = 0;
    const auto plus = rest.find('+');
    if (plus == std::string_view::npos || !tryStrToInt(rest.substr(0, plus), slot))
        return std::nullopt;
    return slot;
}

// A relayed chat line or action, "slot+text|colour text", read once.
struct ReceivedChat
{
    // Nothing when the fields do not start with a number and a "+".
    std::optional<int> slot;
    // "slot+text", as the transcript shows it.
    std::string_view line;
    // The text after the "+".
    std::string_view text;
    // Red when there is no "|" or no readable colour behind it.
    ColourValue colour = kColourRed;
};

ReceivedChat readChat(std::string_view fields)
{
    ReceivedChat chat;
    chat.slot = senderSlot(fields);
    const std::size_t bar = fields.find('|');
    chat.line = fields.substr(0, bar);
    if (bar != std::string_view::npos)
        chat.colour = textToColour(fields.substr(bar + 1)).value_or(kColourRed);
    if (chat.slot) {
        chat.text = fields.substr(fields.find('+') + 1);
        chat.text = chat.text.substr(0, chat.text.find('|'));
    }
    return chat;
}

} // namespace

void ClientSession::chatReceived(std::string_view rest)
{
    const ReceivedChat received = readChat(rest);
    if (received.slot && seatMuted(*received.slot))
        return;
    transcript.addlinetochat(received.line, received.colour);
    if (!received.slot || *received.slot == mySlot || !loggedIn)
        return;
    if (mentionsName(received.text, seatName(*received.slot).value_or(std::string()), playerName))
        cue(Cue::Mention);
}

void ClientSession::chatterReceived(std::string_view rest)
{
    const std::optional<int> slot = senderSlot(rest);
    if (slot && seatMuted(*slot))
        return;
    chat.playasound(rest);
}

bool ClientSession::seatMuted(int slot) const
{
    return slot >= 1 && slot <= kMaxPlayers && muted[static_cast<std::size_t>(slot)];
}

void ClientSession::setSeatMuted(int slot, bool on)
{
    if (slot >= 1 && slot <= kMaxPlayers)
        muted[static_cast<std::size_t>(slot)] = on;
}

void ClientSession::newplayerinfo(std::string_view rest)
{
    FieldReader fields(rest);
    const int slot = fields.number();
    const std::string_view name = fields.rest();
    if (slot == mySlot) {
        systemLine(translate("ClientSession", "You are Connected."));
        out.owner.loadinifile();
    } else {
        systemLine(withArgs(translate("ClientSession", "%1 is Connected."), {name}));
    }
    if (slot > kMaxPlayers) {
        if (out.spectators != nullptr)
            out.spectators->spyEntered(slot, name);
    } else if (SeatLine *line = seats.seat(slot)) {
        line->name = name;
        setSeatMuted(slot, false);
    }
    cue(Cue::Entered);
}

void ClientSession::playerdisconnected(std::string_view rest)
{
    FieldReader fields(rest);
    const int slot = fields.number();
    if (slot > kMaxPlayers) {
        if (out.spectators != nullptr)
            out.spectators->spyLeft(slot, fields.rest());
        return;
    }
    SeatLine *line = seats.seat(slot);
    if (!line)
        return;
    if (line->name != kWaitingName)
        systemLine(withArgs(translate("ClientSession", "%1 disconnected."), {line->name}));
    line->name = kWaitingName;
    setSeatMuted(slot, false);
}

void ClientSession::justwatching(std::string_view rest)
{
    FieldReader fields(rest);
    const int slot = fields.number();
    SeatLine *line = seats.seat(slot);
    if (!line)
        return;
    const bool watching = fields.rest() == "1";
    if (slot == mySlot)
        justWatchChecked = watching;
    systemLine(withArgs(watching ? translate("ClientSession", "%1 is just watching")
                                 : translate("ClientSession", "%1 is now playing again"),
                        {line->name}));
    line->watching = watching;
}

void ClientSession::startthegame(std::string_view rest)
{
    startButton = false;
    justWatchChecked = false;
    winnerMarkerSeat = 0;
    timeBonusMarkerSeat = 0;
    clearall();

    FieldReader fields(rest);
    const std::string starter(fields.text());
    roundsTotal = fields.number();
    roundSeconds = fields.number();
    const int bonus = lenientFlag(fields);
    const int six = lenientFlag(fields);

    systemLine(withArgs(translate("ClientSession", "%1 has started a game."), {starter}));
    bonusBadge = bonus == 1;
    setGameType(six);
}

void ClientSession::setGameType(int sixFlag)
{
    gameTypeLabel = sixFlag == 1 ? translate("ClientSession", "Six Color Game")
                                 : translate("ClientSession", "Five Color Game");
    gameType = sixFlag;
}

void ClientSession::startround(std::string_view rest)
{
    FieldReader fields(rest);
    const std::string_view round = fields.text();
    strToInt(round);
    roundLabel =
        withArgs(translate("ClientSession", "ROUND: %1/%2"), {round, std::to_string(roundsTotal)});
    status = translate("ClientSession", "Round is starting");
    playBoard.setCheckButton(1, false);
    playBoard.reset();
    playBoard.clearCode();
    seats.clearRoundMarks();
    tallyIncrease(4);
    clock.setSeconds(roundSeconds);
    startClock();
}

void ClientSession::startClock()
{
    clock.setRunning(true);
    out.owner.roundClock(true);
}

void ClientSession::stopClock()
{
    clock.setRunning(false);
    out.owner.roundClock(false);
}

void ClientSession::openRowForEntry(int row)
{
    status = translate("ClientSession", "Be a MasterMind!");
    playBoard.openForEntry(row);
    selectedPosition = 1;
}

void ClientSession::getnextplayer(std::string_view rest)
{
    FieldReader fields(rest);
    const int slot = fields.number();
    const int row = fields.number();
    // A row or a seat that does not exist on this board has nothing to open.
    if (slot != 0 && (!seats.seat(slot) || !Board::validRow(row)))
        return;
    guessSlot = slot;
    activeRow = row;
    if (slot == 0) {
        status = translate("ClientSession", "Round has started.");
        return;
    }
    if (seatName(slot).value_or(std::string()) == playerName) {
        openRowForEntry(activeRow);
        cue(Cue::Turn);
    }
}

void ClientSession::yourresult(std::string_view rest)
{
    FieldReader fields(rest);
    if (fields.number() != mySlot)
        return;
    const int row = fields.number();
    const int greens = fields.number();
    const int yellows = fields.number();
    const int empties = fields.number();
    if (!Board::validRow(row))
        return;
    playBoard.showClue(row, greens, yellows, empties);
    cue(Cue::Wrong);
}

void ClientSession::gotit(std::string_view rest)
{
    FieldReader fields(rest);
    const int slot = fields.number();
    const int total = fields.number();
    const int points = fields.number();
    const int row = fields.number();
    const std::array<int, kRowHoles> code = readCode(fields);
    SeatLine *line = seats.seat(slot);
    if (!line)
        return;
    line->score = std::to_string(total);
    line->roundPoints = "+" + std::to_string(points);
    line->bold = true;
    line->solved = true;
    if (slot != mySlot)
        return;
    guessSlot = 0;
    status = translate("ClientSession", "You are a MasterMind!");
    playBoard.showSolved(row);
    playBoard.showCode(code);
    tallyIncrease(3);
    cue(Cue::Right);
}

void ClientSession::didntgetit(std::string_view rest)
{
    FieldReader fields(rest);
    if (SeatLine *line = seats.seat(fields.number())) {
        line->failed = true;
        line->roundPoints.clear();
    }
}

void ClientSession::nomoreguesses(std::string_view rest)
{
    FieldReader fields(rest);
    if (fields.number() != mySlot)
        return;
    const std::array<int, kRowHoles> code = readCode(fields);
    guessSlot = 0;
    playBoard.showCode(code);
    status = translate("ClientSession", "You are out of guesses.");
    if (SeatLine *line = seats.seat(mySlot))
        line->roundPoints.clear();
    playBoard.hideValueMarker(kBoardRows);
    stopClock();
    cue(Cue::TimeUp);
}

void ClientSession::timeup(std::string_view rest)
{
    FieldReader fields(rest);
    playBoard.showCode(readCode(fields));
    systemLine(translate("ClientSession", "Time is Up!."));
    clock.showTimeUp();
    cue(Cue::TimeUp);
}

void ClientSession::endround()
{
    status = translate("ClientSession", "Round is Over.. Please Wait..");
    stopClock();
    playBoard.hideCheckButton();
    guessSlot = 0;
    cue(Cue::RoundOver);
}

void ClientSession::gottime(std::string_view rest)
{
    FieldReader fields(rest);
    const std::string_view slotText = fields.text();
    const int slot = strToInt(slotText);
    const int total = fields.number();
    SeatLine *line = seats.seat(slot);
    if (!line)
        return;
    line->score = std::to_string(total);
    if (slotText == std::to_string(mySlot))
        systemLine(translate("ClientSession", "You got the Time Bonus."));
    else
        systemLine(withArgs(translate("ClientSession", "%1 got the Time Bonus."), {line->name}));
    timeBonusMarkerSeat = slot;
}

void ClientSession::winner(std::string_view rest)
{
    FieldReader fields(rest);
    const int slot = fields.number();
    const SeatLine *line = seats.seat(slot);
    if (!line)
        return;
    const bool own = slot == mySlot;
    cue(Cue::Winner);
    status = own ? translate("ClientSession", "You have Won the Game!")
                 : withArgs(translate("ClientSession", "%1 has Won the Game!"), {line->name});
    winnerMarkerSeat = slot;
    systemLine(status);
    if (hostingFlag)
        startButton = true;
    if (out.tally != nullptr)
        out.tally->addgame(own ? std::string_view("addtomine") : std::string_view(line->name));
}

void ClientSession::loadgame(std::string_view rest)
{
    FieldReader fields(rest);
    fields.number(); // the newcomer's own slot
    roundsTotal = fields.number();
    const int round = fields.number();
    roundLabel = withArgs(translate("ClientSession", "ROUND: %1/%2"),
                          {std::to_string(round), std::to_string(roundsTotal)});
    roundSeconds = fields.number();
    clock.setSeconds(fields.number());
    const int row = fields.number();

    // The scores come in pairs of seat and score up to the end of the line;
    // a pair that is malformed or names no seat is passed over.
    const std::string tail = std::string(fields.rest()) + "+@";
    FieldReader pairs(tail);
    while (pairs.rest().find('+') != std::string_view::npos) {
        const std::string_view seatText = pairs.text();
        if (seatText == "@" || pairs.rest().find('+') == std::string_view::npos)
            break;
        const std::string_view scoreText = pairs.text();
        if (scoreText == "@")
            break;
        int seat = 0;
        int score = 0;
        if (!tryStrToInt(seatText, seat) || !tryStrToInt(scoreText, score))
            continue;
        if (SeatLine *line = seats.seat(seat))
            line->score = std::to_string(score);
    }

    const int left = clock.secondsleft();
    if (Board::validRow(row) && left > 5) {
        openRowForEntry(row);
        guessSlot = mySlot;
        cue(Cue::Turn);
    }
    if (left > 4)
        startClock();
}

void ClientSession::setbonus(std::string_view rest)
{
    FieldReader fields(rest);
    const int bonus = fields.number();
    const int six = fields.number();
    bonusBadge = bonus == 1;
    setGameType(six);
}

void ClientSession::clearall()
{
    playBoard.hideCheckButton();
    seats.clearMarks();
    playBoard.reset();
}

void ClientSession::sendWatching(int slot, bool watch)
{
    if (!loggedIn || slot > kMaxPlayers)
        return;
    out.link.send(Message("CMD_justwatch").field(slot).open(watch ? "1" : "2").wire());
}

void ClientSession::ballClick(int row, int position)
{
    RedrawOnExit redraw(out.view);
    if (guessSlot != mySlot)
        return;
    // A player who sits out and touches the board asks to play again.
    if (justWatchChecked)
        sendWatching(mySlot, false);
    if (!playBoard.cycle(row, position, sixColours()))
        return;
    // The keyboard goes on from the ball last clicked.
    selectedPosition = position;
    cue(Cue::Click);
}

void ClientSession::moveSelection(int step)
{
    RedrawOnExit redraw(out.view);
    if (guessSlot != mySlot || playBoard.openRow() == 0)
        return;
    selectedPosition = std::clamp(selectedPosition + step, 1, kRowHoles);
}

void ClientSession::colourKey(int colour)
{
    RedrawOnExit redraw(out.view);
    if (guessSlot != mySlot)
        return;
    if (justWatchChecked)
        sendWatching(mySlot, false);
    if (!playBoard.setColour(playBoard.openRow(), selectedPosition, colour, sixColours()))
        return;
    cue(Cue::Click);
}

void ClientSession::checkPress()
{
    RedrawOnExit redraw(out.view);
    if (guessSlot != mySlot || !playBoard.checkVisible())
        return;
    const std::array<int, kRowHoles> guess = playBoard.closeRow(playBoard.checkRow());
    if (loggedIn) {
        Message message("CMD_checkit");
        message.field(mySlot);
        for (int colour : guess)
            message.field(colour);
        out.link.send(message.wire());
    }
    playBoard.hideCheckButton();
}

void ClientSession::justWatchClick()
{
    sendWatching(mySlot, !justWatchChecked);
}

SeatMenuItems ClientSession::openSeatMenu(int slot)
{
    kickSlot = slot;
    SeatMenuItems items;
    items.remove = items.setWatching = items.unsetWatching = hostingFlag;
    if (seatName(slot).value_or(std::string()) == kWaitingName)
        items.remove = false;
    return items;
}

void ClientSession::kickMenuRemove()
{
    kicking(kickSlot);
}

void ClientSession::kicking(int slot)
{
    if (hostingFlag && loggedIn)
        out.link.send(Message("CMD_kickhim").field(mySlot).field(slot).wire());
}

void ClientSession::kickMenuSetWatching()
{
    sendWatching(kickSlot, true);
}

void ClientSession::kickMenuUnsetWatching()
{
    sendWatching(kickSlot, false);
}

void ClientSession::clockTick()
{
    RedrawOnExit redraw(out.view);
    if (!clock.running())
        return;
    const RoundClock::Tick tick = clock.tick();
    if (tick.expired) {
        guessSlot = 0;
        playBoard.hideCheckButton();
        return;
    }
    if (tick.cue)
        cue(Cue::Time);
}

} // namespace kalvex
