// The rules behind the internet room: where the room is, who is in it and
// what they advertise, and how the hosted game's players are counted.

#include "lobby/room_address.h"
#include "lobby/room_people.h"
#include "lobby/tcp_connection_table.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(ChatServer, APortIsOptionalAndTheDefaultRoomUsesTheHostOnly)
{
    EXPECT_EQ(parseChatServer("chat.example.org"), (GameAddress{"chat.example.org", 5222}));
    EXPECT_EQ(parseChatServer(" localhost:5333 "), (GameAddress{"localhost", 5333}));
    EXPECT_EQ(defaultRoomFor("chat.example.org:5223"), "kalvex@conference.chat.example.org");
    EXPECT_EQ(defaultRoomFor(""), "");
    EXPECT_EQ(defaultRoomFor("bad host"), "");
    EXPECT_FALSE(parseChatServer("host:0"));
}

GameAdvert advertAt(const std::string &address)
{
    GameAdvert advert;
    advert.hostName = "Ann";
    advert.address = address;
    advert.port = 7772;
    return advert;
}

TEST(RoomPeople, ArrivalsKeepTheirOrderAndAChangeIsReportedOnlyWhenItShows)
{
    RoomPeople people;
    EXPECT_TRUE(people.changed("Ann", std::nullopt));
    EXPECT_TRUE(people.changed("Bob", advertAt("203.0.113.7")));
    EXPECT_FALSE(people.changed("Bob", advertAt("203.0.113.7")));
    EXPECT_TRUE(people.changed("Ann", advertAt("")));
    ASSERT_EQ(people.people().size(), 2u);
    EXPECT_EQ(people.people()[0].nickname, "Ann");
    const std::vector<const RoomPerson *> hosts = people.hosts();
    ASSERT_EQ(hosts.size(), 2u);
    EXPECT_EQ(hosts[0]->nickname, "Ann");

    EXPECT_TRUE(people.changed("Ann", std::nullopt));
    EXPECT_EQ(people.hosts().size(), 1u);
    EXPECT_TRUE(people.left("Bob"));
    EXPECT_FALSE(people.left("Bob"));
    EXPECT_EQ(people.find("Bob"), nullptr);
    EXPECT_TRUE(people.hosts().empty());
}

TEST(RoomPeople, AFloodOfArrivalsIsCapped)
{
    RoomPeople people;
    for (std::size_t i = 0; i < RoomPeople::kMaxPeople + 50; ++i)
        people.changed(std::to_string(i) + "p", std::nullopt);
    EXPECT_EQ(people.people().size(), RoomPeople::kMaxPeople);
    // Those inside can still change.
    EXPECT_TRUE(people.changed("0p", advertAt("203.0.113.7")));
}

// Lines as the kernel writes them (shortened after the inode).
constexpr char kTcp[] =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
    "timeout inode\n"
    "   0: 00000000:1E5C 00000000:0000 0A 00000000:00000000 00:00000000 00000000  1000 0 1\n"
    "   1: 0100007F:1E5C 0100007F:D431 01 00000000:00000000 00:00000000 00000000  1000 0 2\n"
    "   2: 0100007F:D431 0100007F:1E5C 01 00000000:00000000 00:00000000 00000000  1000 0 3\n"
    "   3: 0A00000F:1E5C 7100710B:C350 01 00000000:00000000 00:00000000 00000000  1000 0 4\n"
    "   4: 0A00000F:1E5C 7100710B:C351 06 00000000:00000000 00:00000000 00000000  1000 0 5\n"
    "   5: 0100007F:2329 0100007F:A000 01 00000000:00000000 00:00000000 00000000  1000 0 6\n";

constexpr char kTcp6[] =
    "  sl  local_address                         remote_address                        st\n"
    "   0: 00000000000000000000000001000000:1E5C 00000000000000000000000001000000:9C40 01 0\n";

TEST(ConnectionTable, OnlyEstablishedConnectionsWhoseLocalEndIsThePortCount)
{
    // 0x1E5C = 7772: the listener (0A) and a closing one (06) do not count,
    // nor the client's own end (remote 7772), nor another port.
    EXPECT_EQ(establishedConnectionsTo(kTcp, 7772), 2);
    EXPECT_EQ(establishedConnectionsTo(kTcp6, 7772), 1);
    EXPECT_EQ(establishedConnectionsTo(kTcp, 9001), 1);
    EXPECT_EQ(establishedConnectionsTo(kTcp, 1), 0);
}

TEST(ConnectionTable, DamagedLinesCountForNothing)
{
    for (const char *table :
         {"", "\n\n", "0: 0100007F:1E5C", "   1: 0100007F:1E5C 0100007F:D431\n",
          "   1: 0100007F: 0100007F:D431 01\n", "   1: 0100007F:1E5CZ 0100007F:D431 01\n",
          "   1: 0100007F:11E5C 0100007F:D431 01\n", "   1 0100007F:1E5C 0100007F:D431 01\n"})
        EXPECT_EQ(establishedConnectionsTo(table, 7772), 0) << table;
    EXPECT_EQ(establishedConnectionsTo("   1: 0100007F:1E5C 0100007F:D431 01", 7772), 1)
        << "the last line needs no line end";
}

} // namespace
} // namespace kalvex
