// Lobbies in one internet room on a real chat server of the test's own
// (prosody on the loop-back address) with the real game program: one hosts,
// another finds the game in the room and joins it; the room's chat; the
// advertisement's end with the game; a name taken in the room.

#include "../server/wire_peer.h"
#include "lobby/qt/internet_tab.h"
#include "lobby/qt/room_advertiser.h"
#include "lobby_test_support.h"
#include "prosody_server.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

using test::TestLobby;

template <typename W> W *find(LobbyWindow &window, const char *name)
{
    W *widget = window.findChild<W *>(name);
    if (widget == nullptr)
        throw std::runtime_error(std::string("no widget ") + name);
    return widget;
}

// A lobby of this process in the test's room under `name`.
class RoomLobby
{
public:
    RoomLobby(quint16 discovery, const QString &name, const QString &server)
        : lobby(discovery, test::realInternet())
    {
        LobbyWindow &window = *lobby.window;
        find<QTabWidget>(window, "tabs_lobby")->setCurrentWidget(&window.internetTab());
        find<QLineEdit>(window, "edit_name")->setText(name);
        auto *serverEdit = find<QLineEdit>(window, "edit_room_server");
        serverEdit->clear();
        QTest::keyClicks(serverEdit, server);
    }
    LobbyWindow &window() { return *lobby.window; }
    InternetTab &tab() { return lobby.window->internetTab(); }
    void connect()
    {
        QTest::mouseClick(find<QPushButton>(window(), "button_room_connect"), Qt::LeftButton);
    }
    bool inRoom() { return tab().state() == InternetTab::State::InRoom; }
    QString chat() { return find<QTextBrowser>(window(), "text_room_chat")->toPlainText(); }
    QTreeWidget *games() { return find<QTreeWidget>(window(), "list_room_games"); }
    bool sees(const QString &nickname)
    {
        return tab().people().find(nickname.toStdString()) != nullptr;
    }
    void say(const QString &text)
    {
        auto *edit = find<QLineEdit>(window(), "edit_room_chat");
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    TestLobby lobby;
};

class InternetRoom : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!prosody.running())
            GTEST_SKIP() << prosody.unavailableReason().toStdString();
        test::putGameOnPath();
        qputenv("KALVEX_HOME", home.path().toLocal8Bit());
        server = QStringLiteral("%1:%2").arg(prosody.anonymousDomain()).arg(prosody.port());
    }
    // Connects and waits until the lobby is in the room.
    void enter(RoomLobby &lobby)
    {
        lobby.connect();
        ASSERT_TRUE(QTest::qWaitFor([&] { return lobby.inRoom(); }, 15000))
            << find<QLabel>(lobby.window(), "label_room_error")->text().toStdString() << "\n"
            << prosody.log().toStdString();
    }

    testing::ProsodyServer prosody;
    QTemporaryDir home;
    quint16 discovery = test::freeUdpPort();
    QString server;
};

TEST_F(InternetRoom, AGameHostedInTheRoomIsListedJoinedAndGoesWithItsGame)
{
    RoomLobby ann(discovery, "Ann", server);
    RoomLobby bob(discovery, "Bob", server);
    // Ann's game is reached at the loop-back address: no router is asked.
    auto *reachable = find<QLineEdit>(ann.window(), "edit_reachable_address");
    reachable->setText("127.0.0.1");
    emit reachable->editingFinished();
    enter(ann);
    enter(bob);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ann.sees("Bob") && bob.sees("Ann"); }, 5000));

    // The room's chat goes both ways.
    ann.say("hello from Ann");
    EXPECT_TRUE(QTest::qWaitFor([&] { return bob.chat().contains("Ann: hello from Ann"); }, 3000))
        << bob.chat().toStdString();
    bob.say("hi Ann, Bob here");
    EXPECT_TRUE(QTest::qWaitFor([&] { return ann.chat().contains("Bob: hi Ann, Bob here"); }, 3000))
        << ann.chat().toStdString();

    // Ann hosts; once her game listens, Bob lists it within 3 s.
    QTest::mouseClick(find<QPushButton>(ann.window(), "button_host"), Qt::LeftButton);
    ASSERT_TRUE(ann.window().launcher().running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.window().openLinks() == 1; }, 15000))
        << "the hosting game links to its lobby";
    ASSERT_TRUE(ann.window().roomAdvertiser().advertised());
    EXPECT_TRUE(QTest::qWaitFor([&] { return bob.games()->topLevelItemCount() == 1; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bob.games()->topLevelItemCount() == 1; }, 10000));
    const QTreeWidgetItem *listed = bob.games()->topLevelItem(0);
    EXPECT_EQ(listed->text(0), "Ann");
    EXPECT_EQ(listed->text(1), "127.0.0.1");
    EXPECT_EQ(listed->text(2), QString::number(ann.lobby.gamePort));

    // Someone already at Ann's table sees who comes.
    test::WirePeer watcher(ann.lobby.gamePort);
    ASSERT_GT(watcher.login("Watcher"), 1);

    // Bob joins by double-clicking the game in the room's list.
    bob.games()->setCurrentItem(bob.games()->topLevelItem(0));
    EXPECT_EQ(find<QLineEdit>(bob.window(), "edit_address")->text(),
              QStringLiteral("127.0.0.1:%1").arg(ann.lobby.gamePort));
    emit bob.games()->itemActivated(bob.games()->topLevelItem(0), 0);
    ASSERT_TRUE(bob.window().launcher().running());
    EXPECT_EQ(bob.window().launcher().lastCommand().arguments,
              (std::vector<std::string>{"Bob", "127.0.0.1", "join"}));
    std::string seen;
    EXPECT_TRUE(test::hearsPlayer(watcher, "Bob", seen))
        << "Ann's game shows Bob; it said: " << seen;

    // The players at the table are counted in the advertisement.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QTreeWidgetItem *row = bob.games()->topLevelItem(0);
            return row != nullptr && row->text(3).toInt() >= 3;
        },
        RoomAdvertiser::kRecountMs + 3000));

    // Ann's game ends: its advertisement leaves Bob's list within 3 s.
    QProcess::execute("kill", {"-TERM", QString::number(ann.window().launcher().processId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ann.window().launcher().running(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bob.games()->topLevelItemCount() == 0; }, 3000));
    EXPECT_TRUE(ann.inRoom());
}

TEST_F(InternetRoom, ANameTakenInTheRoomIsReportedAndTheSuggestedOneEnters)
{
    RoomLobby first(discovery, "Ann", server);
    enter(first);
    RoomLobby second(test::freeUdpPort(), "Ann", server);
    second.connect();
    auto *taken = find<QLabel>(second.window(), "label_name_taken");
    ASSERT_TRUE(QTest::qWaitFor([&] { return taken->isVisibleTo(&second.window()); }, 15000))
        << find<QLabel>(second.window(), "label_room_error")->text().toStdString();
    EXPECT_TRUE(taken->text().contains("already goes by \"Ann\"")) << taken->text().toStdString();
    EXPECT_EQ(second.tab().state(), InternetTab::State::Offline);
    auto *use = find<QPushButton>(second.window(), "button_use_name");
    ASSERT_TRUE(use->isVisibleTo(&second.window()));
    QTest::mouseClick(use, Qt::LeftButton);
    const QString suggested = find<QLineEdit>(second.window(), "edit_name")->text();
    EXPECT_NE(suggested, "Ann");
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.inRoom(); }, 15000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.sees(suggested); }, 5000));
    EXPECT_TRUE(first.inRoom()) << "the first Ann keeps her name";
}

} // namespace
} // namespace kalvex
