// The lobby's Internet page offscreen, with stand-ins for the room, the
// router and the password store: the account and what is remembered of it,
// what the room reports, the games listed there, and the advertisement of
// the game hosted here.

#include "../../process/lobby/lobby_test_support.h"
#include "app/profile_file.h"
#include "fake_internet.h"
#include "lobby/qt/internet_tab.h"
#include "lobby/qt/room_advertiser.h"

#include <QCheckBox>
#include <QHostAddress>
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

GameAdvert advert(const std::string &host, const std::string &address, int port, int seated = 1)
{
    GameAdvert a;
    a.hostName = host;
    a.address = address;
    a.port = port;
    a.seated = seated;
    a.programVersion = "1.0.5";
    return a;
}

class InternetPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("KALVEX_HOME", home.path().toLocal8Bit());
        open();
    }
    void open()
    {
        lobby.reset();
        record = std::make_shared<test::InternetRecord>(*record);
        lobby = std::make_unique<TestLobby>(test::freeUdpPort(), test::fakeInternet(record));
        window().findChild<QTabWidget *>("tabs_lobby")->setCurrentWidget(&tab());
    }

    LobbyWindow &window() { return *lobby->window; }
    InternetTab &tab() { return window().internetTab(); }
    template <typename W> W *find(const char *name)
    {
        W *widget = window().findChild<W *>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit *edit(const char *name) { return find<QLineEdit>(name); }
    QPushButton *button(const char *name) { return find<QPushButton>(name); }
    QCheckBox *check(const char *name) { return find<QCheckBox>(name); }
    QString text(const char *name) { return find<QLabel>(name)->text(); }
    QTreeWidget *games() { return find<QTreeWidget>("list_room_games"); }
    ProfileFile settings()
    {
        return ProfileFile::load(QDir(home.path()).filePath("orbolobby.ini").toStdString());
    }

    void typeAccount(const QString &server)
    {
        edit("edit_name")->setText("Ann");
        edit("edit_room_server")->clear();
        QTest::keyClicks(edit("edit_room_server"), server);
    }
    // Connects and lets the stand-in room answer that Ann is in.
    void enterRoom(const QString &nickname = QStringLiteral("Ann"))
    {
        typeAccount("chat.example.org");
        QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
        ASSERT_EQ(tab().state(), InternetTab::State::Connecting);
        emit gameRoom()->entered(nickname);
        emit gameRoom()->occupantChanged(nickname, std::nullopt);
        ASSERT_EQ(tab().state(), InternetTab::State::InRoom);
    }
    GameRoom *gameRoom() { return record->room; }
    PortMapper *mapper() { return record->mapper; }

    // Hosts with a game program that only sleeps, and links to the lobby in
    // its name, as a listening game does.
    void hostGame()
    {
        edit("edit_name")->setText("Ann");
        QTest::mouseClick(button("button_host"), Qt::LeftButton);
        ASSERT_TRUE(window().launcher().running());
        link.connectToHost(QHostAddress::LocalHost, lobby->linkPort);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window().openLinks() == 1; }, 3000));
    }
    std::optional<GameAdvert> lastAdvert() const
    {
        return record->adverts.empty() ? std::nullopt : record->adverts.back();
    }

    QTemporaryDir home;
    // Every game these tests start only sleeps.
    test::SleepingGame sleepingGame;
    QTcpSocket link;
    std::shared_ptr<test::InternetRecord> record = std::make_shared<test::InternetRecord>();
    std::unique_ptr<TestLobby> lobby;
};

TEST_F(InternetPage, SitsBesideTheLocalNetworkAndStartsOffline)
{
    auto *tabs = find<QTabWidget>("tabs_lobby");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Local Network");
    EXPECT_EQ(tabs->tabText(1), "Internet");
    EXPECT_TRUE(tabs->widget(0)->isAncestorOf(find<QTreeWidget>("list_games")));
    EXPECT_EQ(button("button_room_connect")->text(), "Connect");
    EXPECT_EQ(text("label_room_state"), "Not connected.");
    EXPECT_TRUE(check("check_anonymous")->isChecked());
    EXPECT_FALSE(edit("edit_room_password")->isEnabled()) << "anonymous needs no password";
    EXPECT_FALSE(edit("edit_room_chat")->isEnabled());
    EXPECT_TRUE(record->entered.empty());
}

TEST_F(InternetPage, TheRoomFollowsTheServerUntilThePlayerEditsIt)
{
    typeAccount("chat.example.org:5333");
    EXPECT_EQ(edit("edit_room")->text(), "kalvex@conference.chat.example.org");
    edit("edit_room")->clear();
    QTest::keyClicks(edit("edit_room"), "games@muc.example.org");
    typeAccount("other.example.org");
    EXPECT_EQ(edit("edit_room")->text(), "games@muc.example.org");

    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    ASSERT_EQ(record->entered.size(), 1u);
    const RoomAccount &account = record->entered[0];
    EXPECT_EQ(account.server, "other.example.org");
    EXPECT_EQ(account.port, 5222);
    EXPECT_TRUE(account.anonymous);
    EXPECT_EQ(account.room, "games@muc.example.org");
    EXPECT_EQ(account.nickname, "Ann");
}

TEST_F(InternetPage, WhatCannotMakeAnAccountIsSaidAndNothingIsEntered)
{
    edit("edit_name")->setText("Ann");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_TRUE(text("label_room_error").contains("server"))
        << text("label_room_error").toStdString();
    typeAccount("chat.example.org");
    check("check_anonymous")->setChecked(false);
    edit("edit_room_jid")->setText("ann");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_TRUE(text("label_room_error").contains("name@server"));
    edit("edit_room_jid")->setText("ann@chat.example.org");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_TRUE(text("label_room_error").contains("password"));
    edit("edit_name")->setText("a+b");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_TRUE(find<QLabel>("label_status")->text().contains("\"+\""));
    EXPECT_TRUE(record->entered.empty());
    EXPECT_EQ(tab().state(), InternetTab::State::Offline);
}

TEST_F(InternetPage, TheAccountIsRememberedAndThePasswordGoesToTheDesktopStore)
{
    {
        QFile ini(QDir(home.path()).filePath("orbolobby.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[kalvex]\r\nTextsize=12\r\n");
    }
    typeAccount("chat.example.org");
    check("check_anonymous")->setChecked(false);
    edit("edit_room_jid")->setText("ann@chat.example.org");
    edit("edit_room_password")->setText("s3cret pass");
    check("check_remember_password")->setChecked(true);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return text("label_password_place").contains("password store"); }, 2000))
        << text("label_password_place").toStdString();
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    ASSERT_EQ(record->entered.size(), 1u);
    EXPECT_EQ(record->entered[0].jid, "ann@chat.example.org");
    EXPECT_EQ(record->entered[0].password, "s3cret pass");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !record->stored.isEmpty(); }, 2000));
    EXPECT_EQ(record->stored.value("ann@chat.example.org"), "s3cret pass");

    const ProfileFile file = settings();
    EXPECT_EQ(file.read("kalvexlobby", "RoomServer"), "chat.example.org");
    EXPECT_EQ(file.read("kalvexlobby", "RoomJid"), "ann@chat.example.org");
    EXPECT_EQ(file.read("kalvexlobby", "RoomAnonymous"), "0");
    EXPECT_EQ(file.read("kalvexlobby", "RoomPassword").value_or(""), "")
        << "never in the file while the desktop keeps it";
    EXPECT_EQ(file.read("kalvex", "Textsize"), "12");

    // The next lobby shows it all again, the password read from the store.
    open();
    EXPECT_EQ(edit("edit_room_server")->text(), "chat.example.org");
    EXPECT_FALSE(check("check_anonymous")->isChecked());
    EXPECT_EQ(edit("edit_room_jid")->text(), "ann@chat.example.org");
    EXPECT_EQ(edit("edit_room")->text(), "kalvex@conference.chat.example.org");
    EXPECT_TRUE(check("check_remember_password")->isChecked());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return edit("edit_room_password")->text() == "s3cret pass"; }, 2000));

    // Unchecked: forgotten at once.
    check("check_remember_password")->setChecked(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return record->stored.isEmpty(); }, 2000));
    EXPECT_EQ(settings().read("kalvexlobby", "RoomRememberPassword"), "0");
}

TEST_F(InternetPage, WithoutAStoreThePasswordIsKeptInTheFileOnlyWhenAskedAndTheUiSaysSo)
{
    record->storeAvailable = false;
    typeAccount("chat.example.org");
    check("check_anonymous")->setChecked(false);
    edit("edit_room_jid")->setText("ann@chat.example.org");
    edit("edit_room_password")->setText("pw1");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_EQ(settings().read("kalvexlobby", "RoomPassword").value_or(""), "")
        << "not asked to remember";
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton); // cancel
    ASSERT_EQ(tab().state(), InternetTab::State::Offline);

    check("check_remember_password")->setChecked(true);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return text("label_password_place").contains("plain text in orbolobby.ini"); }, 2000))
        << text("label_password_place").toStdString();
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_EQ(settings().read("kalvexlobby", "RoomPassword"), "pw1");
    open();
    EXPECT_EQ(edit("edit_room_password")->text(), "pw1");
    check("check_remember_password")->setChecked(false);
    EXPECT_EQ(settings().read("kalvexlobby", "RoomPassword").value_or(""), "");
}

TEST_F(InternetPage, ErrorsAreShownInWordsWithTheRoomsRetryCountedDown)
{
    typeAccount("chat.example.org");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    emit gameRoom()->failed("The server chat.example.org cannot be reached.", 3);
    EXPECT_EQ(tab().state(), InternetTab::State::WaitingToRetry);
    EXPECT_EQ(text("label_room_error"),
              "The server chat.example.org cannot be reached. Trying again in 3 s.");
    EXPECT_EQ(button("button_room_connect")->text(), "Cancel");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return text("label_room_error").endsWith("Trying again in 2 s."); }, 1500));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return tab().state() == InternetTab::State::Connecting; }, 3000));
    EXPECT_TRUE(text("label_room_error").endsWith("Trying again..."));

    // The room's retry succeeds: the error goes.
    emit gameRoom()->entered("Ann");
    EXPECT_EQ(tab().state(), InternetTab::State::InRoom);
    EXPECT_TRUE(find<QLabel>("label_room_error")->isHidden());
    EXPECT_EQ(button("button_room_connect")->text(), "Disconnect");

    // A failure the room does not retry leaves the page offline.
    emit gameRoom()->failed("The password was not accepted.", 0);
    EXPECT_EQ(tab().state(), InternetTab::State::Offline);
    EXPECT_EQ(text("label_room_error"), "The password was not accepted.");
    EXPECT_EQ(button("button_room_connect")->text(), "Connect");
}

TEST_F(InternetPage, CancellingAWaitingRetryLeavesTheRoom)
{
    typeAccount("chat.example.org");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    emit gameRoom()->failed("The room is being created.", 5);
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_EQ(record->leaves, 1);
    EXPECT_EQ(tab().state(), InternetTab::State::Offline);
    EXPECT_TRUE(find<QLabel>("label_room_error")->isHidden());
}

TEST_F(InternetPage, ATakenNameIsExplainedAndTheSuggestionIsOneClickAway)
{
    typeAccount("chat.example.org");
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    emit gameRoom()->nicknameTaken("Ann_2");
    EXPECT_EQ(tab().state(), InternetTab::State::Offline);
    EXPECT_TRUE(text("label_name_taken").contains("already goes by \"Ann\""));
    EXPECT_EQ(button("button_use_name")->text(), "Enter as \"Ann_2\"");
    QTest::mouseClick(button("button_use_name"), Qt::LeftButton);
    EXPECT_EQ(edit("edit_name")->text(), "Ann_2");
    ASSERT_EQ(record->entered.size(), 2u);
    EXPECT_EQ(record->entered[1].nickname, "Ann_2");
    EXPECT_EQ(tab().state(), InternetTab::State::Connecting);
    emit gameRoom()->entered("Ann_2");
    EXPECT_TRUE(find<QWidget>("row_name_taken")->isHidden());
}

TEST_F(InternetPage, PeopleAndChatAreShownAndTheChatIsSentToTheRoom)
{
    enterRoom();
    emit gameRoom()->occupantChanged("Bob", std::nullopt);
    emit gameRoom()->chatReceived("Bob", "hi <b>all</b>");
    auto *people = find<QListWidget>("list_room_people");
    ASSERT_EQ(people->count(), 2);
    EXPECT_EQ(people->item(1)->text(), "Bob");
    const QString chat = find<QTextBrowser>("text_room_chat")->toPlainText();
    EXPECT_TRUE(chat.contains("Bob came in.")) << chat.toStdString();
    EXPECT_TRUE(chat.contains("Bob: hi <b>all</b>")) << "shown as typed, not as markup";

    QTest::keyClicks(edit("edit_room_chat"), "hello Bob");
    QTest::keyClick(edit("edit_room_chat"), Qt::Key_Return);
    EXPECT_EQ(record->said, QStringList({"hello Bob"}));
    EXPECT_TRUE(edit("edit_room_chat")->text().isEmpty());

    emit gameRoom()->occupantLeft("Bob");
    EXPECT_EQ(people->count(), 1);
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_EQ(people->count(), 0);
    EXPECT_FALSE(edit("edit_room_chat")->isEnabled());
}

TEST_F(InternetPage, AdvertisedGamesAreListedAndOnlyReachableOnesCanBeJoined)
{
    enterRoom();
    emit gameRoom()->occupantChanged("Bob", advert("Bob", "203.0.113.7", 7000, 3));
    emit gameRoom()->occupantChanged("Cy", advert("Cy", "", 7772));
    emit gameRoom()->occupantChanged("Dee", std::nullopt);
    ASSERT_EQ(games()->topLevelItemCount(), 2);
    const QTreeWidgetItem *bob = games()->topLevelItem(0);
    EXPECT_EQ(bob->text(0), "Bob");
    EXPECT_EQ(bob->text(1), "203.0.113.7");
    EXPECT_EQ(bob->text(2), "7000");
    EXPECT_EQ(bob->text(3), "3");
    EXPECT_EQ(bob->text(4), "waiting");
    EXPECT_EQ(games()->topLevelItem(1)->text(1), "not reachable from outside");

    games()->setCurrentItem(games()->topLevelItem(1));
    EXPECT_FALSE(button("button_join")->isEnabled());
    EXPECT_TRUE(edit("edit_address")->text().isEmpty());
    emit games()->itemActivated(games()->topLevelItem(1), 0);
    EXPECT_FALSE(window().launcher().running());

    // Cy's router answers after all: the row becomes joinable in place.
    emit gameRoom()->occupantChanged("Cy", advert("Cy", "198.51.100.4", 7772));
    EXPECT_TRUE(button("button_join")->isEnabled());
    EXPECT_EQ(edit("edit_address")->text(), "198.51.100.4");

    games()->setCurrentItem(games()->topLevelItem(0));
    EXPECT_EQ(edit("edit_address")->text(), "203.0.113.7:7000");
    EXPECT_TRUE(button("button_join")->isEnabled());

    // Joining starts the game as a join from the local list does.
    emit games()->itemActivated(games()->topLevelItem(0), 0);
    ASSERT_TRUE(window().launcher().running());
    EXPECT_EQ(window().launcher().lastCommand().arguments,
              (std::vector<std::string>{"Ann", "203.0.113.7", "join"}));
    EXPECT_EQ(window().launcher().lastCommand().port, 7000);

    // A host who stops advertising leaves the list.
    emit gameRoom()->occupantChanged("Bob", std::nullopt);
    EXPECT_EQ(games()->topLevelItemCount(), 1);
}

TEST_F(InternetPage, AHostedGameIsAdvertisedWhileInTheRoomWithTheRoutersAddress)
{
    enterRoom();
    EXPECT_TRUE(record->adverts.empty());
    hostGame();
    ASSERT_EQ(record->requests, (std::vector<quint16>{lobby->gamePort}));
    ASSERT_TRUE(lastAdvert());
    EXPECT_EQ(lastAdvert()->hostName, "Ann");
    EXPECT_FALSE(lastAdvert()->reachable()) << "no address before the router answers";
    EXPECT_EQ(lastAdvert()->programVersion, "1.0.5");
    EXPECT_TRUE(text("label_reachability").contains("Asking your router"));

    emit mapper()->mapped("203.0.113.9", 7772);
    EXPECT_EQ(lastAdvert()->address, "203.0.113.9");
    EXPECT_EQ(lastAdvert()->port, 7772);
    EXPECT_TRUE(text("label_reachability").contains("203.0.113.9"));

    // Leaving takes the advertisement out; coming back puts it in again.
    QTest::mouseClick(button("button_room_connect"), Qt::LeftButton);
    EXPECT_FALSE(lastAdvert());
    EXPECT_EQ(record->leaves, 1);
    EXPECT_EQ(record->releases, 0) << "players already at the table keep their way in";
    const size_t before = record->adverts.size();
    enterRoom();
    ASSERT_GT(record->adverts.size(), before);
    EXPECT_EQ(lastAdvert()->address, "203.0.113.9");

    // The game ends: advertisement and mapping go.
    link.disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().openLinks() == 0; }, 3000));
    EXPECT_FALSE(lastAdvert());
    EXPECT_EQ(record->releases, 1);
}

TEST_F(InternetPage, WithoutARouterNoPrivateAddressIsAdvertisedAndATypedOneIsUsed)
{
    enterRoom();
    hostGame();
    emit mapper()->mapped("192.168.1.1", 7772);
    EXPECT_FALSE(lastAdvert()->reachable()) << "a router behind a router";
    EXPECT_TRUE(text("label_reachability").contains("private"));
    emit mapper()->unavailable("No router on this network answered.");
    EXPECT_FALSE(lastAdvert()->reachable());
    EXPECT_TRUE(text("label_reachability").contains("No router on this network answered."));
    EXPECT_TRUE(text("label_reachability").contains("not reachable from outside"));

    edit("edit_reachable_address")->setText("198.51.100.20:8000");
    emit edit("edit_reachable_address")->editingFinished();
    EXPECT_EQ(lastAdvert()->address, "198.51.100.20");
    EXPECT_EQ(lastAdvert()->port, 8000);
    EXPECT_EQ(record->releases, 1) << "a port forwarded by hand needs no mapping";
    EXPECT_EQ(settings().read("kalvexlobby", "ReachableAddress"), "198.51.100.20:8000");

    edit("edit_reachable_address")->setText("not an address!");
    emit edit("edit_reachable_address")->editingFinished();
    EXPECT_TRUE(text("label_reachability").contains("is not an address"));
    EXPECT_EQ(lastAdvert()->address, "198.51.100.20");
}

TEST_F(InternetPage, TheTypedAddressAsksNoRouterAndThePlayersAtTheTableAreCounted)
{
    edit("edit_reachable_address")->setText("127.0.0.1");
    emit edit("edit_reachable_address")->editingFinished();
    enterRoom();
    // The game's port, held open by a listener of this test.
    QTcpServer table;
    ASSERT_TRUE(table.listen(QHostAddress::LocalHost, lobby->gamePort));
    hostGame();
    EXPECT_TRUE(record->requests.empty());
    ASSERT_TRUE(lastAdvert());
    EXPECT_EQ(lastAdvert()->address, "127.0.0.1");
    EXPECT_EQ(lastAdvert()->port, lobby->gamePort);
    EXPECT_EQ(lastAdvert()->seated, 0);

    QTcpSocket player;
    player.connectToHost(QHostAddress::LocalHost, lobby->gamePort);
    ASSERT_TRUE(player.waitForConnected(3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return lastAdvert() && lastAdvert()->seated == 1; },
                                RoomAdvertiser::kRecountMs + 2000));
}

TEST_F(InternetPage, ClosingTheLobbyLeavesTheRoom)
{
    enterRoom();
    lobby->window.reset();
    EXPECT_GE(record->leaves, 1);
}

TEST(RoomAdvertiser, GoingWhileHostingInTheRoomGivesTheMappingBack)
{
    const auto record = std::make_shared<test::InternetRecord>();
    test::FakeGameRoom room(record);
    test::FakePortMapper mapper(record);
    {
        RoomAdvertiser advertiser(room, mapper);
        advertiser.setHostedGame(HostedGame{"Ann", 7772});
        EXPECT_TRUE(record->requests.empty()) << "not in the room yet";
        advertiser.setInRoom(true);
        EXPECT_EQ(record->requests, (std::vector<quint16>{7772}));
        EXPECT_EQ(record->adverts.size(), 1u);
    }
    EXPECT_EQ(record->releases, 1);
    // Gone, it hears the router no more.
    emit mapper.mapped("203.0.113.9", 7772);
    EXPECT_EQ(record->adverts.size(), 1u);
}

TEST(PublicAddress, PrivateSharedLoopbackAndLinkLocalAddressesAreNotPublic)
{
    for (const char *address :
         {"10.1.2.3", "172.16.0.1", "172.31.255.255", "192.168.0.10", "100.64.0.1", "127.0.0.1",
          "169.254.1.1", "0.0.0.0", "::1", "fe80::1", "fd00::1", "::"})
        EXPECT_FALSE(isPublicAddress(QHostAddress(QString::fromLatin1(address)))) << address;
    for (const char *address :
         {"203.0.113.9", "172.32.0.1", "8.8.8.8", "100.128.0.1", "2001:db8::1"})
        EXPECT_TRUE(isPublicAddress(QHostAddress(QString::fromLatin1(address)))) << address;
    EXPECT_FALSE(isPublicAddress(QHostAddress(QStringLiteral("not an address"))));
}

} // namespace
} // namespace kalvex
