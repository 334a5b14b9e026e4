// Two client sessions play a whole game through the real server rules, with
// the bytes of every message passed between them as the sockets would.
#include "recording_output.h"

#include "server/game_server.h"

#include <deque>
#include <map>

namespace kalvex::testing {
namespace {

struct FixedRandom : RandomSource
{
    int next = 0;
    int colour(int colours) override { return next++ % colours + 1; }
};

struct StoppedClock : ServerClock
{
    std::int64_t nowMs() const override { return 0; }
};

// Cuts a byte stream at the terminator into lines, as the inbound queue does.
void cutLines(std::string_view bytes, std::deque<std::string> &queue)
{
    while (!bytes.empty()) {
        const auto end = bytes.find('\xFF');
        queue.emplace_back(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
}

class Table : public ServerOutbox
{
public:
    struct Player
    {
        RecordedClient<> recorded;
        RecordingOutput &out = recorded.out;
        ClientSession &session = recorded.client.session();
        ConnectionId connection = 0;
        std::deque<std::string> inbox;
        std::size_t sentSeen = 0;
    };

    FixedRandom random;
    StoppedClock clock;
    GameServer server{*this, random, clock};
    std::map<int, std::unique_ptr<Player>> players;

    void send(int slot, std::string_view bytes) override
    {
        if (auto found = players.find(slot); found != players.end())
            cutLines(bytes, found->second->inbox);
    }
    void close(int) override {}
    void setClockEnabled(bool) override {}

    Player &join(const std::string &name, bool hosting)
    {
        const Admission admission = server.acceptConnection();
        auto player = std::make_unique<Player>();
        player->connection = admission.connection;
        player->session.setPlayername(name);
        player->session.setHosting(hosting);
        cutLines(admission.greeting, player->inbox);
        Player &added = *player;
        players[admission.slot] = std::move(player);
        settle();
        return added;
    }

    // Delivers every waiting message both ways until nothing moves.
    void settle()
    {
        for (bool moved = true; moved;) {
            moved = false;
            for (auto &[slot, player] : players) {
                while (player->sentSeen < player->out.sent.size()) {
                    std::deque<std::string> lines;
                    cutLines(player->out.sent[player->sentSeen++], lines);
                    for (const std::string &line : lines)
                        server.handleLine(player->connection, line);
                    moved = true;
                }
                while (!player->inbox.empty()) {
                    const std::string line = player->inbox.front();
                    player->inbox.pop_front();
                    player->session.handleLine(line);
                    moved = true;
                }
            }
        }
    }

    void tickUntilRoundRuns()
    {
        for (int i = 0; i < 30 && !server.roundOn(); ++i) {
            server.clockTick();
            settle();
        }
    }

    // Sets the open row's balls to `colours` by clicking and presses check.
    static void guess(Player &player, const Code &colours)
    {
        const int row = player.session.activerow();
        for (int hole = 1; hole <= 4; ++hole) {
            while (player.session.board().hole(row, hole).colour != colours[hole - 1])
                player.session.ballClick(row, hole);
        }
        player.session.checkPress();
    }
};

TEST(WholeGame, HostAndJoinerPlayOneRoundToTheWinner)
{
    Table table;
    Table::Player &bob = table.join("Bob", true);
    Table::Player &ann = table.join("Ann", false);
    EXPECT_EQ(bob.session.myslot(), 1);
    EXPECT_EQ(ann.session.myslot(), 2);
    EXPECT_EQ(bob.session.roster().seat(2)->name, "Ann");
    EXPECT_EQ(ann.session.roster().seat(1)->name, "Bob");

    bob.out.send(Message("CMD_startgame").field("Bob").field(1).field(60).field(1).field(0).wire());
    table.settle();
    table.tickUntilRoundRuns();
    ASSERT_TRUE(table.server.roundOn());
    EXPECT_EQ(ann.session.roundText(), "ROUND: 1/1");
    EXPECT_EQ(ann.session.board().openRow(), 1);
    EXPECT_EQ(bob.session.board().openRow(), 1);

    const Code code = table.server.secretCode();
    Code wrong = code;
    wrong[0] = code[0] % 5 + 1;
    Table::guess(ann, wrong);
    table.settle();
    EXPECT_TRUE(ann.session.board().clueBox(1).visible);
    EXPECT_EQ(ann.session.board().openRow(), 2);

    Table::guess(bob, code);
    table.settle();
    EXPECT_EQ(bob.session.statusText(), "You are a MasterMind!");
    EXPECT_EQ(ann.session.roster().seat(1)->roundPoints, "+12");

    Table::guess(ann, code);
    table.settle();
    EXPECT_EQ(ann.session.roster().seat(2)->score, "11");
    EXPECT_EQ(ann.session.statusText(), "Round is Over.. Please Wait..");

    for (int i = 0; i < 30 && table.server.gameOn(); ++i) {
        table.server.clockTick();
        table.settle();
    }
    EXPECT_FALSE(table.server.gameOn());
    EXPECT_EQ(bob.session.statusText(), "You have Won the Game!");
    EXPECT_EQ(ann.session.statusText(), "Bob has Won the Game!");
    EXPECT_EQ(ann.session.winnerSeat(), 1);
    EXPECT_EQ(bob.out.games, std::vector<std::string>{"addtomine"});
    EXPECT_EQ(ann.out.games, std::vector<std::string>{"Bob"});
    EXPECT_TRUE(bob.session.startButtonVisible());
    EXPECT_NE(ann.session.timeBonusSeat(), 0) << "the bonus game names a fastest player";
    EXPECT_EQ(ann.out.tally, (std::vector<int>{4, 3}));
}

} // namespace
} // namespace kalvex::testing
