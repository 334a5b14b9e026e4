#include "server/game_server.h"

#include "net/chat_limits.h"
#include "net/commands.h"
#include "net/dispatch.h"
#include "net/message.h"

#include <exception>

namespace kalvex {

namespace {

enum Command : std::size_t
{
    LoginInfo,
    KickHim,
    Chat,
    Action,
    StartGame,
    JustWatch,
    CheckIt,
    PlayASound,
};

// The handlers follow the catalogue's order.
static_assert(commandIndex(kServerCommands, "CMD_logininfo") == LoginInfo);
static_assert(commandIndex(kServerCommands, "CMD_kickhim") == KickHim);
static_assert(commandIndex(kServerCommands, "CMD_chat") == Chat);
static_assert(commandIndex(kServerCommands, "CMD_action") == Action);
static_assert(commandIndex(kServerCommands, "CMD_startgame") == StartGame);
static_assert(commandIndex(kServerCommands, "CMD_justwatch") == JustWatch);
static_assert(commandIndex(kServerCommands, "CMD_checkit") == CheckIt);
static_assert(commandIndex(kServerCommands, "CMD_playasound") == PlayASound);

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

GameServer::GameServer(ServerOutbox &outbox, RandomSource &random, const ServerClock &clock)
    : outbox(outbox), random(random), clock(clock)
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
    if (parts.command == kServerCommands[LoginInfo] &&
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
        if (command != LoginInfo && !table[sender].loggedIn)
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
    case LoginInfo:
        return logininfo(sender, remainder);
    case KickHim:
        return kickhim(sender, remainder);
    case Chat:
        return relayChat(sender, remainder, "CMD_chat", " chats: ");
    case Action:
        return relayChat(sender, remainder, "CMD_action", " ");
    case StartGame:
        return startgame(sender, remainder);
    case JustWatch:
        return justwatch(sender, remainder);
    case CheckIt:
        return checkit(sender, remainder);
    case PlayASound:
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
            .field(std::to_string(countdownValue - 4))
            .field(p.row);
        for (int k = 1; k <= PlayerTable::kSlots; ++k) {
            load.field(k);
            if (k < PlayerTable::kSlots)
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

} // namespace kalvex
