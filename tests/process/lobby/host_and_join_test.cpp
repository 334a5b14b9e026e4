// Two lobbies on this machine with the real game program: one hosts, the
// other finds the game over UDP and joins it.

#include "../server/wire_peer.h"
#include "lobby_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

using test::TestLobby;

QLineEdit *edit(LobbyWindow &window, const char *name)
{
    return window.findChild<QLineEdit *>(name);
}

QPushButton *button(LobbyWindow &window, const char *name)
{
    return window.findChild<QPushButton *>(name);
}

bool lists(const LobbyWindow &window, quint16 port, const std::string &host)
{
    const FoundGame *game = window.foundGames().find("127.0.0.1", port);
    return game != nullptr && game->hostName == host;
}

TEST(LobbiesOnOneMachine, AHostedGameIsFoundJoinedLinkedAndForgottenWhenItCloses)
{
    test::putGameOnPath();
    const quint16 discovery = test::freeUdpPort();
    TestLobby a(discovery, test::realInternet());
    TestLobby b(discovery, test::realInternet());
    ASSERT_TRUE(a.window->linkListening());
    ASSERT_TRUE(b.window->linkListening());

    // A hosts: its game listens and links back to A.
    edit(*a.window, "edit_name")->setText("Ann");
    QTest::mouseClick(button(*a.window, "button_host"), Qt::LeftButton);
    ASSERT_TRUE(a.window->launcher().running());
    EXPECT_EQ(a.window->launcher().lastCommand().arguments,
              (std::vector<std::string>{"Ann", "127.0.0.1", "true"}));

    // Once the game listens it links to A, and B lists it within 3 s.
    ASSERT_TRUE(QTest::qWaitFor([&] { return a.window->openLinks() == 1; }, 15000))
        << "the hosting game links to its lobby";
    EXPECT_TRUE(a.window->announcing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return lists(*b.window, a.gamePort, "Ann"); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lists(*b.window, a.gamePort, "Ann"); }, 10000));

    // Someone already at A's table sees who comes.
    test::WirePeer watcher(a.gamePort);
    ASSERT_GT(watcher.login("Watcher"), 1);

    // B joins the game selected in its list.
    auto *list = b.window->findChild<QTreeWidget *>("list_games");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Ann");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(edit(*b.window, "edit_address")->text(),
              QStringLiteral("127.0.0.1:%1").arg(a.gamePort));
    edit(*b.window, "edit_name")->setText("Bob");
    QTest::mouseClick(button(*b.window, "button_join"), Qt::LeftButton);
    ASSERT_TRUE(b.window->launcher().running());
    EXPECT_EQ(b.window->launcher().lastCommand().arguments,
              (std::vector<std::string>{"Bob", "127.0.0.1", "join"}));
    EXPECT_EQ(b.window->launcher().lastCommand().port, a.gamePort);

    std::string seen;
    EXPECT_TRUE(test::hearsPlayer(watcher, "Bob", seen))
        << "A's game announces B's player; it said: " << seen;
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.window->openLinks() == 1; }, 15000));
    EXPECT_FALSE(button(*b.window, "button_join")->isEnabled()) << "one game at a time";

    // A's game closes: B forgets it within 7 s, A's lobby comes back.
    QProcess::execute("kill", {"-TERM", QString::number(a.window->launcher().processId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !a.window->launcher().running(); }, 10000));
    EXPECT_FALSE(a.window->announcing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.window->foundGames().games().empty(); }, 7000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return a.window->openLinks() == 0; }, 5000));
    EXPECT_TRUE(button(*a.window, "button_host")->isEnabled());

    // B's game lost its host; with the host gone nothing is offered again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !b.window->launcher().running(); }, 15000));
    EXPECT_FALSE(b.window->rejoinOffer());
}

TEST(LobbiesOnOneMachine, GameProgramThatCannotRunIsReportedAndTheLobbyStays)
{
    QTemporaryDir fakeBin;
    QFile fake(fakeBin.filePath("kalvex"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("\x7f"
               "ELF but not really");
    fake.close();
    fake.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", fakeBin.path().toLocal8Bit());

    TestLobby lobby(test::freeUdpPort(), test::realInternet());
    QTest::mouseClick(button(*lobby.window, "button_solo"), Qt::LeftButton);
    auto *status = lobby.window->findChild<QLabel *>("label_status");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return status->text().contains("could not be started"); }, 5000))
        << status->text().toStdString();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return button(*lobby.window, "button_solo")->isEnabled(); }, 5000));

    QFile::remove(fake.fileName());
    QTest::mouseClick(button(*lobby.window, "button_solo"), Qt::LeftButton);
    EXPECT_TRUE(status->text().contains("found neither")) << status->text().toStdString();
    EXPECT_FALSE(lobby.window->launcher().running());
    qputenv("PATH", path);
}

} // namespace
} // namespace kalvex
