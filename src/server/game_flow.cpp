// Game, round and turn flow, and the judging of guesses.

#include "server/game_server.h"

#include "net/message.h"

namespace kalvex {

namespace {

constexpr int kRows = 12;
constexpr int kFinished = kRows + 1;
// The server waits this long past the round time the players see.
constexpr int kGraceSeconds = 4;
constexpr int kTimeBonus = 5;

} // namespace

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
    for (int slot = 1; slot <= PlayerTable::kSlots; ++slot) {
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
    for (int slot = 1; slot <= PlayerTable::kSlots; ++slot) {
        table[slot].roundpoints = 0;
        table[slot].row = 0;
    }
    const int colours = sixcolors ? 6 : 5;
    for (int &hole : code)
        hole = random.colour(colours);
    sendToAll(Message("CMD_startround").field(std::to_string(roundnumber)).wire());
    roundon = true;
    for (int slot = 1; slot <= PlayerTable::kSlots; ++slot)
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
    if (p.row > kRows) {
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
    for (int slot = 1; slot <= PlayerTable::kSlots; ++slot) {
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
        for (int slot = 2; slot <= PlayerTable::kSlots; ++slot) {
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
    for (int slot = 2; slot <= PlayerTable::kSlots; ++slot) {
        if (table[slot].score > table[leader].score)
            leader = slot;
    }
    for (int slot = 1; slot <= PlayerTable::kSlots; ++slot) {
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
    if (p.row > kRows || !roundon)
        return drop(sender, "a guess outside a round or after the last row");
    if (p.watching) {
        p.watching = false;
        sendToAll(Message("CMD_justwatching").field(n).open("2").wire());
    }
    CodeRow guess{};
    for (int &hole : guess)
        hole = fields.number();
    const Clue clue = judge(code, guess);
    if (clue.greens == 4) {
        p.timeused += timelimit - countdownValue;
        p.roundpoints = 13 - p.row;
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
                      .field(clue.empties)
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
