#include "server/game_server.h"

#include "net/chat_limits.h"
#include "net/commands.h"
#include "net/message.h"

#include <exception>

namespace kalvex {

namespace {

// The row of a player who has finished the round.
constexpr int kFinished = kBoardRows + 1;
// The server waits this long past the round time the players see.
constexpr int kGraceSeconds = 4;
constexpr int kTimeBonus = 5;

// A name is shown in every roster, transcript and tally: control characters
// (which the tally's text form cannot carry, and which no one can see) become
// blanks before anyone receives it.
std::string printableName(std::string_view name)
{
    std::string printable(name);
    for (char &c : printable) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return printable;
}

} // namespace

GameServer::GameServer(ServerOutbox &out, RandomSource &randomSource,
                       const ServerClock &serverClock)
    : outbox(out), random(randomSource), clock(serverClock)
{}

Admission GameServer::acceptConnection()
{
    Admission admission;
    const int slot = table.freeSlot();
    if (slot == 0) {
        admission.greeting = Message("CMD_full").wire();
        outbox.log("a connection was refused: all slots are taken");
        return admission;
    }
    admission.slot = slot;
    admission.connection = ++lastConnection;
    table.take(slot, admission.connection, clock.nowMs());
    admission.greeting = Message("CMD_sendlogininfo").open(slot).wire();
    return admission;
}

void GameServer::peerDisconnected(ConnectionId connection)
{
    const int slot = table.connectedSlotOf(connection);
    if (slot != 0)
        outbox.close(slot);
}

void GameServer::socketClosed(ConnectionId connection)
{
    const int slot = table.slotOf(connection);
    if (slot == 0)
        return;
    Player &p = table[slot];
    // Only a player the others have seen log in is announced as leaving.
    if (p.connected && p.loggedIn) {
        p.connected = false;
        sendToAllBut(slot, Message("CMD_playerdisconnected").field(slot).open(p.name).wire());
    }
    p.connected = false;
    p.loggedIn = false;
    p.loginQueued = false;
    p.name.clear();
    p.watching = false;
}

bool GameServer::admitLine(ConnectionId connection, std::string_view line)
{
    const int slot = table.connectedSlotOf(connection);
    if (slot == 0)
        return false;
    Player &p = table[slot];
    if (p.loggedIn || p.loginQueued)
        return true;
    const CommandLine parts = splitCommand(line);
    int named = 0;
    if (parts.command == "CMD_logininfo" &&
        tryStrToInt(FieldReader(parts.remainder).text(), named) && named == slot) {
        p.loginQueued = true;
        return true;
    }
    if (!p.earlyLineDropped) {
        p.earlyLineDropped = true;
        drop(slot, "a line before the login (and every further one until it)");
    }
    return false;
}

void GameServer::handleLine(ConnectionId connection, std::string_view line)
{
    const int sender = table.connectedSlotOf(connection);
    dispatchLine(line, kServerCommands, [&](std::size_t command, std::string_view remainder) {
        if (sender == 0)
            return outbox.log("dropped a line of a connection that has gone");
        if (command != serverCommand("CMD_logininfo") && !table[sender].loggedIn)
            return drop(sender, "a command before the login");
        try {
            handleCommand(sender, command, remainder);
        } catch (const std::exception &error) {
            drop(sender, error.what());
        }
    });
}

void GameServer::handleCommand(int sender, std::size_t command, std::string_view remainder)
{
    switch (command) {
    case serverCommand("CMD_logininfo"):
        return logininfo(sender, remainder);
    case serverCommand("CMD_kickhim"):
        return kickhim(sender, remainder);
    case serverCommand("CMD_chat"):
        return relayChat(sender, remainder, "CMD_chat", " chats: ");
    case serverCommand("CMD_action"):
        return relayChat(sender, remainder, "CMD_action", " ");
    case serverCommand("CMD_startgame"):
        return startgame(sender, remainder);
    case serverCommand("CMD_justwatch"):
        return justwatch(sender, remainder);
    case serverCommand("CMD_checkit"):
        return checkit(sender, remainder);
    case serverCommand("CMD_playasound"):
        return playasound(sender, remainder);
    }
}

void GameServer::checkLoginDeadlines()
{
    const std::int64_t now = clock.nowMs();
    for (int slot = 1; slot <= table.highslot(); ++slot) {
        const Player &p = table[slot];
        if (p.connected && !p.loggedIn && now - p.acceptedAtMs >= kLoginDeadlineMs) {
            outbox.log("closed a connection that did not log in within 30 seconds");
            outbox.close(slot);
        }
    }
}

std::optional<std::int64_t> GameServer::nextLoginDeadline() const
{
    std::optional<std::int64_t> next;
    for (int slot = 1; slot <= table.highslot(); ++slot) {
        const Player &p = table[slot];
        if (p.connected && !p.loggedIn) {
            const std::int64_t due = p.acceptedAtMs + kLoginDeadlineMs;
            if (!next || due < *next)
                next = due;
        }
    }
    return next;
}

void GameServer::logininfo(int sender, std::string_view remainder)
{
    FieldReader fields(remainder);
    const int n = fields.number();
    if (n != sender)
        return drop(sender, "a login for another slot");
    const std::string_view version = fields.text();
    Player &p = table[n];
    p.name = printableName(fields.rest());
    p.loggedIn = true;

    sendToAll(Message("CMD_newplayerinfo").field(n).open(p.name).wire());
    for (int j = 1; j <= table.highslot(); ++j) {
        if (j != n && hears(j))
            sendTo(n, Message("CMD_existingplayers").field(j).open(table[j].name).wire());
    }
    if (version != kVersion) {
        sendTo(1, Message("CMD_havewrongversion").open(p.name).wire());
        sendTo(n, Message("CMD_wrongversion").wire());
    }
    if (gameon) {
        Message load("CMD_loadgame");
        load.field(n)
            .field(std::to_string(numrounds))
            .field(std::to_string(roundnumber))
            .field(std::to_string(timelimit))
            .field(std::to_string(countdownValue - kGraceSeconds))
            .field(p.row);
        for (int k = 1; k <= kMaxPlayers; ++k) {
            load.field(k);
            if (k < kMaxPlayers)
                load.field(std::to_string(table[k].score));
            else
                load.open(std::to_string(table[k].score));
        }
        sendTo(n, load.wire());
        sendTo(n, Message("CMD_setbonus").field(bonusoption).field(sixcolors ? 1 : 0).wire());
    }
}

void GameServer::kickhim(int sender, std::string_view remainder)
{
    FieldReader fields(remainder);
    const int requester = fields.number();
    if (requester != sender)
        return drop(sender, "a removal in another slot's name");
    if (requester != 1)
        return drop(sender, "a removal not asked by the host");
    const int target = fields.number();
    if (!PlayerTable::validSlot(target))
        return drop(sender, "a removal of a slot out of range");
    if (table[target].connected)
        outbox.close(target);
}

void GameServer::relayChat(int sender, std::string_view remainder, std::string_view command,
                           std::string_view joiner)
{
    FieldReader fields(remainder);
    const std::string_view slotText = fields.text();
    if (strToInt(slotText) != sender)
        return drop(sender, "a chat in another slot's name");
    if (!mayRelay(sender, fields.rest()))
        return;
    std::string text = table[sender].name;
    text += joiner;
    text += fields.rest();
    sendToAll(Message(command).field(slotText).open(text).wire());
}

void GameServer::playasound(int sender, std::string_view remainder)
{
    FieldReader fields(remainder);
    const int n = fields.number();
    if (n != sender)
        return drop(sender, "a sound in another slot's name");
    if (!mayRelay(sender, fields.rest()))
        return;
    sendToAll(Message("CMD_playasound").field(n).open(fields.rest()).wire());
}

bool GameServer::mayRelay(int sender, std::string_view payload)
{
    if (payload.size() > kMaxChatPayloadBytes) {
        drop(sender, "a chat, action or sound of " + std::to_string(payload.size()) +
                         " bytes, past the relay's limit of " +
                         std::to_string(kMaxChatPayloadBytes));
        return false;
    }
    if (!table[sender].chatter.take(clock.nowMs())) {
        drop(sender, "a chat, action or sound past the sender's rate");
        return false;
    }
    return true;
}

void GameServer::justwatch(int sender, std::string_view remainder)
{
    FieldReader fields(remainder);
    const int n = fields.number();
    if (!PlayerTable::validSlot(n))
        return drop(sender, "a spectator change of a slot out of range");
    if (n != sender && sender != 1)
        return drop(sender, "a spectator change of another slot not asked by the host");
    const std::string_view state = fields.rest();
    if (state == "2") {
        table[n].watching = false;
        sendToAll(Message("CMD_justwatching").field(n).open("2").wire());
    } else if (state == "1" && gameon) {
        table[n].watching = true;
        sendToAll(Message("CMD_justwatching").field(n).open("1").wire());
        roundOverTest();
    }
}

// Nothing but the slot offer goes to a connection before its login: what is
// said "to all" is said to the players who have logged in, and a newcomer
// learns the state it needs at its login.
bool GameServer::hears(int slot) const
{
    return PlayerTable::validSlot(slot) && table[slot].connected && table[slot].loggedIn;
}

void GameServer::sendTo(int slot, const std::string &bytes)
{
    if (hears(slot))
        outbox.send(slot, bytes);
}

void GameServer::sendToAll(const std::string &bytes)
{
    sendToAllBut(0, bytes);
}

void GameServer::sendToAllBut(int left, const std::string &bytes)
{
    for (int slot = 1; slot <= table.highslot(); ++slot) {
        if (slot != left && hears(slot))
            outbox.send(slot, bytes);
    }
}

void GameServer::setClock(bool enabled)
{
    clockOn = enabled;
    outbox.setClockEnabled(enabled);
}

void GameServer::drop(int sender, std::string_view why)
{
    std::string text = "dropped a line from slot ";
    text += std::to_string(sender);
    text += ": ";
    text += why;
    outbox.log(text);
}

// Game, round and turn flow, and the judging of guesses.

void GameServer::startgame(int sender, std::string_view remainder)
{
    if (sender != 1)
        return drop(sender, "a game start not asked by the host");
    // Every field is read before anything changes, so that a start that does
    // not read leaves no half-started game behind.
    FieldReader fields(remainder);
    const std::string_view host = fields.text();
    const int rounds = fields.number();
    const int limit = fields.number();
    const int bonus = fields.number();
    const int six = fields.number();

    gameon = true;
    numrounds = rounds;
    timelimit = limit;
    bonusoption = bonus;
    sixcolors = six == 1;
    // A game started over a running one must not inherit its round or clock.
    roundon = false;
    if (clockOn)
        setClock(false);
    sendToAll(Message("CMD_startgame")
                  .field(host)
                  .field(rounds)
                  .field(limit)
                  .field(bonus)
                  .field(six)
                  .wire());
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        Player &p = table[slot];
        p.score = 0;
        p.watching = false;
        p.row = 0;
        p.roundpoints = 0;
    }
    roundnumber = 0;
    startround();
}

void GameServer::startround()
{
    ++roundnumber;
    if (roundnumber > numrounds && checkforwin())
        return;
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        table[slot].roundpoints = 0;
        table[slot].row = 0;
    }
    const int colours = colourCount(sixcolors);
    for (int &hole : code)
        hole = random.colour(colours);
    sendToAll(Message("CMD_startround").field(std::to_string(roundnumber)).wire());
    roundon = true;
    for (int slot = 1; slot <= kMaxPlayers; ++slot)
        findplayer(slot);
    setClock(false);
    purpose = ClockPurpose::TimeUp;
    countdownValue = timelimit + kGraceSeconds;
    setClock(true);
}

void GameServer::findplayer(int slot)
{
    Player &p = table[slot];
    ++p.row;
    if (p.row > kBoardRows) {
        sendTo(slot, codeFields("CMD_nomoreguesses", slot));
        sendToAll(Message("CMD_didntgetit").field(slot).wire());
        roundOverTest();
    } else {
        sendTo(slot, Message("CMD_nextplayer").field(slot).field(p.row).wire());
    }
}

void GameServer::roundOverTest()
{
    // Only a running round can end; a spectator change during the pause
    // between rounds must not end the finished round a second time.
    if (!roundon)
        return;
    // A connection that has not logged in is nobody's board: it must not
    // hold the round open until the clock runs out.
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        const Player &p = table[slot];
        if (p.connected && p.loggedIn && !p.watching && p.row < kFinished)
            return;
    }
    endround();
}

void GameServer::endround()
{
    sendToAll(Message("CMD_endround").wire());
    // Whoever did not finish is charged the whole round time, free slots too.
    for (int slot = 1; slot <= table.highslot(); ++slot) {
        if (table[slot].row < kFinished)
            table[slot].timeused += timelimit;
    }
    roundon = false;
    purpose = ClockPurpose::StartRound;
    countdownValue = table.highslot() == 1 ? 7 : 11;
    setClock(true);
}

void GameServer::clockTick()
{
    if (!clockOn)
        return;
    --countdownValue;
    if (countdownValue >= 1)
        return;
    setClock(false);
    if (purpose == ClockPurpose::StartRound) {
        startround();
    } else if (purpose == ClockPurpose::TimeUp) {
        std::string timeup = Message("CMD_timeup")
                                 .field(code[0])
                                 .field(code[1])
                                 .field(code[2])
                                 .field(code[3])
                                 .wire();
        sendToAll(timeup);
        endround();
    }
}

bool GameServer::checkforwin()
{
    if (bonusoption == 1) {
        int candidate = 1;
        for (int slot = 2; slot <= kMaxPlayers; ++slot) {
            if (table[slot].connected && table[slot].timeused < table[candidate].timeused)
                candidate = slot;
        }
        table[candidate].score += kTimeBonus;
        sendToAll(Message("CMD_gottime")
                      .field(candidate)
                      .field(std::to_string(table[candidate].score))
                      .wire());
    }
    // Free slots and spectators count: a leader with 0 points always ties.
    int leader = 1;
    for (int slot = 2; slot <= kMaxPlayers; ++slot) {
        if (table[slot].score > table[leader].score)
            leader = slot;
    }
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        if (slot != leader && table[slot].score == table[leader].score) {
            sendToAll(Message("CMD_tiegame").wire());
            return false;
        }
    }
    sendToAll(Message("CMD_winner").field(leader).wire());
    gameon = false;
    return true;
}

void GameServer::checkit(int sender, std::string_view remainder)
{
    FieldReader fields(remainder);
    const int n = fields.number();
    if (n != sender)
        return drop(sender, "a guess in another slot's name");
    Player &p = table[n];
    if (p.row > kBoardRows || !roundon)
        return drop(sender, "a guess outside a round or after the last row");
    if (p.watching) {
        p.watching = false;
        sendToAll(Message("CMD_justwatching").field(n).open("2").wire());
    }
    Code guess{};
    for (int &hole : guess)
        hole = fields.number();
    const Clue clue = judge(code, guess);
    if (clue.solved()) {
        p.timeused += timelimit - countdownValue;
        p.roundpoints = kBoardRows + 1 - p.row;
        p.score += p.roundpoints;
        sendToAll(Message("CMD_gotit")
                      .field(n)
                      .field(std::to_string(p.score))
                      .field(std::to_string(p.roundpoints))
                      .field(p.row)
                      .field(code[0])
                      .field(code[1])
                      .field(code[2])
                      .field(code[3])
                      .wire());
        p.row = kFinished;
        roundOverTest();
    } else {
        sendTo(n, Message("CMD_yourresult")
                      .field(n)
                      .field(p.row)
                      .field(clue.greens)
                      .field(clue.yellows)
                      .field(clue.empties())
                      .wire());
        findplayer(n);
    }
}

std::string GameServer::codeFields(std::string_view command, int slot) const
{
    return Message(command)
        .field(slot)
        .field(code[0])
        .field(code[1])
        .field(code[2])
        .field(code[3])
        .wire();
}

} // namespace kalvex
