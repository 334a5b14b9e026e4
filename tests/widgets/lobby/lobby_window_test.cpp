// The lobby window offscreen: what it refuses, what it lists, what it
// remembers and how it treats its links.

#include "../../process/lobby/lobby_test_support.h"
#include "../windows/recording_desktop.h"
#include "app/profile_file.h"
#include "fake_internet.h"
#include "lobby/discovery_datagram.h"
#include "windows/qt/download_form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTreeWidget>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

using test::TestLobby;

class Lobby : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("KALVEX_HOME", home.path().toLocal8Bit());
        lobby = std::make_unique<TestLobby>(discovery, test::fakeInternet(record));
    }

    LobbyWindow &window() { return *lobby->window; }
    QLineEdit *edit(const char *name) { return window().findChild<QLineEdit *>(name); }
    QPushButton *button(const char *name) { return window().findChild<QPushButton *>(name); }
    QString status() { return window().findChild<QLabel *>("label_status")->text(); }
    QTreeWidget *list() { return window().findChild<QTreeWidget *>("list_games"); }

    // A datagram to every lobby on this machine's discovery port.
    void announce(const QByteArray &bytes)
    {
        test::refuseUnlessDiscoveryStaysLocal();
        sender.writeDatagram(bytes, QHostAddress(QStringLiteral("127.255.255.255")), discovery);
    }
    void announce(int port, const std::string &name)
    {
        announce(QByteArray::fromStdString(encodeAnnouncement({port, name}).value()));
    }
    QStringList listed()
    {
        QStringList rows;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            rows << list()->topLevelItem(i)->text(0) + "@" + list()->topLevelItem(i)->text(2);
        return rows;
    }

    QTemporaryDir home;
    std::shared_ptr<test::InternetRecord> record = std::make_shared<test::InternetRecord>();
    quint16 discovery = test::freeUdpPort();
    QUdpSocket sender;
    std::unique_ptr<TestLobby> lobby;
};

TEST_F(Lobby, ShowsItsCaptionAndButtons)
{
    EXPECT_EQ(window().windowTitle(), "Orbo77 Lobby");
    EXPECT_EQ(button("button_host")->text(), "Host a Game");
    EXPECT_EQ(button("button_join")->text(), "Join");
    EXPECT_EQ(button("button_solo")->text(), "Solo Game");
    EXPECT_TRUE(button("button_rejoin")->isHidden());
}

TEST_F(Lobby, BadNamesAreRefusedBeforeAnythingStarts)
{
    edit("edit_address")->setText("127.0.0.1");
    for (const QString &name : {QString(), QStringLiteral("a+b"), QStringLiteral("tab\there"),
                                QString::fromLatin1("y\xff")}) {
        edit("edit_name")->setText(name);
        QTest::mouseClick(button("button_host"), Qt::LeftButton);
        EXPECT_FALSE(window().launcher().running()) << name.toStdString();
        EXPECT_FALSE(status().isEmpty()) << name.toStdString();
        QTest::mouseClick(button("button_join"), Qt::LeftButton);
        EXPECT_FALSE(window().launcher().running()) << name.toStdString();
    }
    edit("edit_name")->setText("a+b");
    QTest::mouseClick(button("button_join"), Qt::LeftButton);
    EXPECT_TRUE(status().contains("\"+\"")) << status().toStdString();
}

TEST_F(Lobby, AnAddressThatIsNoneIsRefused)
{
    edit("edit_name")->setText("Ann");
    QTest::mouseClick(button("button_join"), Qt::LeftButton);
    EXPECT_TRUE(status().contains("Select a game")) << status().toStdString();
    edit("edit_address")->setText("host:99999");
    QTest::mouseClick(button("button_join"), Qt::LeftButton);
    EXPECT_TRUE(status().contains("is not an address")) << status().toStdString();
    EXPECT_FALSE(window().launcher().running());
}

TEST_F(Lobby, TheNameIsRememberedInItsOwnSectionOnly)
{
    const QString file = QDir(home.path()).filePath("orbolobby.ini");
    {
        QFile ini(file);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[kalvex]\r\nTextsize=12\r\nPhrase1=hi there\r\n");
    }
    const QByteArray before = [&] {
        QFile ini(file);
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    }();
    // No game program: the start fails, the name is still remembered.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    edit("edit_name")->setText("Zoë");
    QTest::mouseClick(button("button_host"), Qt::LeftButton);
    qputenv("PATH", path);
    EXPECT_TRUE(status().contains("found neither")) << status().toStdString();

    const ProfileFile profile = ProfileFile::load(file.toStdString());
    EXPECT_EQ(profile.read("kalvexlobby", "Playername"), "Zoë");
    EXPECT_EQ(profile.read("kalvex", "Textsize"), "12");
    EXPECT_EQ(profile.read("kalvex", "Phrase1"), "hi there");
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().startsWith(before)) << "the game's section stays as it was";

    TestLobby later(test::freeUdpPort(), test::fakeInternet(record));
    EXPECT_EQ(later.window->findChild<QLineEdit *>("edit_name")->text(), "Zoë");
}

TEST_F(Lobby, AnnouncedGamesAreListedInTheOrderFirstHeard)
{
    announce(7001, "Ann");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list()->topLevelItemCount() == 1; }, 3000));
    announce(7002, "Bob");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list()->topLevelItemCount() == 2; }, 3000));
    list()->setCurrentItem(list()->topLevelItem(1));
    announce(7001, "Ann");
    announce(7002, "Bob");
    QTest::qWait(300);
    EXPECT_EQ(listed(), QStringList({"Ann@7001", "Bob@7002"}));
    EXPECT_EQ(list()->topLevelItem(0)->text(1), "127.0.0.1");
    EXPECT_EQ(list()->currentItem(), list()->topLevelItem(1)) << "the selection stays put";
    EXPECT_EQ(edit("edit_address")->text(), "127.0.0.1:7002");
}

TEST_F(Lobby, MalformedForeignAndOversizedDatagramsChangeNothing)
{
    const QByteArray good = QByteArray::fromStdString(encodeAnnouncement({7001, "Ann"}).value());
    QByteArray otherVersion = good;
    otherVersion[4] = 2;
    QByteArray badName = good;
    badName[9] = '+';
    for (const QByteArray &bytes :
         {QByteArray(), QByteArray("hello"), good.left(good.size() - 1), good + "x",
          good + QByteArray(5000, 'x'), otherVersion, badName, QByteArray(60000, '\0')})
        announce(bytes);
    announce(7009, "Marker");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list()->topLevelItemCount() > 0; }, 3000));
    QTest::qWait(200);
    EXPECT_EQ(listed(), QStringList({"Marker@7009"}));
}

TEST_F(Lobby, LinksAreCountedAndTheWindowComesBackWhenTheLastCloses)
{
    window().show();
    QTcpSocket game;
    game.connectToHost(QHostAddress::LocalHost, lobby->linkPort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().openLinks() == 1; }, 3000));
    EXPECT_TRUE(window().isMinimized());
    EXPECT_TRUE(window().findChild<QLabel *>("label_game")->text().contains("running"));
    // What a link sends is dropped, and the link stays.
    game.write(QByteArray(100000, 'x'));
    QTest::qWait(200);
    EXPECT_EQ(window().openLinks(), 1);
    game.disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().openLinks() == 0; }, 3000));
    EXPECT_FALSE(window().isMinimized());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(Lobby, ClosingWithAGameLinkedLeavesTheGameItsLinkEnd)
{
    QTcpSocket game;
    game.connectToHost(QHostAddress::LocalHost, lobby->linkPort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().openLinks() == 1; }, 3000));
    lobby.reset();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return game.state() == QAbstractSocket::UnconnectedState; }, 3000));
}

TEST_F(Lobby, AHostedGameIsAnnouncedOnlyWhileItIsLinked)
{
    const test::SleepingGame game;
    edit("edit_name")->setText("Ann");
    QTest::mouseClick(button("button_host"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().launcher().running(); }, 5000));
    EXPECT_FALSE(window().announcing());
    EXPECT_FALSE(button("button_join")->isEnabled());
    QTest::qWait(300);
    EXPECT_TRUE(window().foundGames().games().empty());

    // Linked: announced, and heard by every lobby here, this one too.
    QTcpSocket link;
    link.connectToHost(QHostAddress::LocalHost, lobby->linkPort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window().announcing(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return listed() == QStringList({QStringLiteral("Ann@%1").arg(lobby->gamePort)}); },
        3000))
        << listed().join(' ').toStdString();

    link.disconnectFromHost();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window().announcing(); }, 3000));
}

TEST(LobbyPorts, APortInUseIsReportedAndTheLobbyStillFindsGames)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    test::refuseUnlessDiscoveryStaysLocal();
    LobbyWindow::Ports ports;
    ports.link = taken.serverPort();
    ports.discovery = test::freeUdpPort();
    LobbyWindow window(ports, test::fakeInternet(std::make_shared<test::InternetRecord>()));
    EXPECT_FALSE(window.linkListening());
    const QString note = window.findChild<QLabel *>("label_link")->text();
    EXPECT_TRUE(note.contains(QString::number(ports.link)) && note.contains("in use"))
        << note.toStdString();

    QUdpSocket sender;
    sender.writeDatagram(QByteArray::fromStdString(encodeAnnouncement({7001, "Ann"}).value()),
                         QHostAddress(QStringLiteral("127.255.255.255")), ports.discovery);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.foundGames().games().size() == 1; }, 3000));
}

TEST(PlayWithOthers, StartsTheLobbyBesideTheGameProgramFirst)
{
    QTemporaryDir home;
    testing::RecordingDesktop desktop;
    Tdownload download(home.path(), nullptr, {}, &desktop);
    download.setLobbyPath(home.filePath("Orbo77Lobby"));
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("kalvex-lobby");
    QFile lobby(beside);
    ASSERT_TRUE(lobby.open(QIODevice::WriteOnly));
    lobby.write("#!/bin/sh\n");
    lobby.close();
    lobby.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    download.playWithOthers();
    QFile::remove(beside);
    ASSERT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(desktop.started.first().first, beside);
    EXPECT_TRUE(desktop.messages.isEmpty());

    // Without it, and without the fixed path, the message stays.
    download.playWithOthers();
    EXPECT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(desktop.messages.size(), 1);
}

} // namespace
} // namespace kalvex
