// A player whose connection drops in the middle of a game comes back
// through the lobby's "Rejoin" and finds his seat, score and row as he left
// them. The host is the real main window in this process; the player's game
// is the real program on an X display with a window manager, played with
// real keys.

#include "app/qt/program.h"
#include "lobby/qt/discovery.h"
#include "lobby_test_support.h"
#include "server/qt/tserver.h"
#include "windows/qt/gamestart_form.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

using test::TestLobby;
using test::XDisplay;

constexpr int kDisplay = 53;

// The keys that enter a row's four colours and check it.
QStringList rowKeys(const std::array<int, 4> &colours)
{
    QStringList keys{"Left", "Left", "Left"};
    for (int i = 0; i < 4; ++i) {
        keys << QString::number(colours[static_cast<size_t>(i)]);
        if (i < 3)
            keys << "Right";
    }
    keys << "Return";
    return keys;
}

class RejoinThroughTheLobby : public ::testing::Test
{
protected:
    const Player &bobSeat() const { return host->windows().server->rules().players()[2]; }
    const GameServer &rules() const { return host->windows().server->rules(); }

    // Clicks ball `position` of row a in the player's game window, which
    // hands the keyboard to the board, then types the row.
    // Plays the row until the server has judged a row of Bob's: his game may
    // hear of a new round a little after the server starts it.
    bool playRowUntil(const QString &window, const std::array<int, 4> &colours,
                      const std::function<bool()> &judged)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            playRow(window, colours);
            if (QTest::qWaitFor(judged, 5000))
                return true;
        }
        return false;
    }

    void playRow(const QString &window, const std::array<int, 4> &colours)
    {
        QWidget *hole = host->mainWindow().findChild<QWidget *>("try_a1");
        ASSERT_NE(hole, nullptr);
        const QPoint at = hole->mapTo(&host->mainWindow(), hole->rect().center());
        display->xdotool({"windowactivate", "--sync", window});
        display->xdotool({"mousemove", "--window", window, QString::number(at.x()),
                          QString::number(at.y()), "click", "1"});
        QStringList keys{"key", "--window", window, "--delay", "60"};
        keys << rowKeys(colours);
        display->xdotool(keys);
    }

    // The host's places outlive the host, which writes its files at its end.
    QTemporaryDir hostHome;
    QTemporaryDir hostRuntime;
    std::unique_ptr<XDisplay> display;
    std::unique_ptr<Program> host;
};

TEST_F(RejoinThroughTheLobby, TheOnlyPlayerToLeaveGetsHisSeatScoreAndRowBack)
{
    display = std::make_unique<XDisplay>(kDisplay);
    if (!display->missing.empty())
        GTEST_SKIP() << display->missing;
    test::putGameOnPath();
    const quint16 discovery = test::freeUdpPort();

    // Ann hosts in this process, announced as her lobby would.
    const quint16 hostPort = test::freeTcpPort();
    qputenv("KALVEX_HOME", hostHome.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", hostRuntime.path().toLocal8Bit());
    qputenv("KALVEX_PORT", QByteArray::number(hostPort));
    qputenv("KALVEX_LOBBY_PORT", QByteArray::number(test::freeTcpPort()));
    qputenv("KALVEX_LOBBY_URL", "http://127.0.0.1:1/none");
    host = std::make_unique<Program>(QStringList{"Ann", "127.0.0.1", "true"});
    MainWindow &hostWindow = host->mainWindow();
    hostWindow.show();
    const ClientSession &session = hostWindow.session();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return session.loggedin() && session.roster().seat(1)->name == "Ann"; }, 15000));
    test::refuseUnlessDiscoveryStaysLocal();
    GameAnnouncer announcer;
    ASSERT_TRUE(announcer.start({hostPort, "Ann"}, discovery));

    // Bob's lobby starts his games on the X display.
    QProcessEnvironment onDisplay = QProcessEnvironment::systemEnvironment();
    onDisplay.insert("QT_QPA_PLATFORM", "xcb");
    onDisplay.insert("DISPLAY", display->name);
    onDisplay.remove("KALVEX_PORT");
    TestLobby bob(discovery, test::realInternet(), onDisplay);
    auto *list = bob.window->findChild<QTreeWidget *>("list_games");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->topLevelItemCount() == 1; }, 5000));
    list->setCurrentItem(list->topLevelItem(0));
    bob.window->findChild<QLineEdit *>("edit_name")->setText("Bob");
    QTest::mouseClick(bob.window->findChild<QPushButton *>("button_join"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.roster().seat(2)->name == "Bob"; }, 20000));
    const QString bobPid = QString::number(bob.window->launcher().processId());
    const QString bobWindow =
        display
            ->xdotool({"search", "--sync", "--onlyvisible", "--pid", bobPid, "--name", "^Kalvex$"})
            .section('\n', 0, 0);
    ASSERT_FALSE(bobWindow.isEmpty());

    // Three rounds of five colours.
    hostWindow.action("action_startgame")->trigger();
    Tgamestart *options = host->windows().gamestart;
    options->setRounds(3);
    options->setSix(0);
    options->setBonus(0);
    QTest::mouseClick(options->findChild<QWidget *>("button_start"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bobSeat().row == 1 && rules().roundOn(); }, 10000));

    // Round 1: Bob finds the code on row a (12 points); Ann too, so the round ends.
    const std::array<int, 4> code = rules().secretCode();
    ASSERT_TRUE(playRowUntil(bobWindow, code, [&] { return bobSeat().score == 12; }))
        << "Bob's row a was not judged right";
    QWidget *board = hostWindow.findChild<QWidget *>("panel_board");
    board->setFocus();
    for (const QString &key : rowKeys(code)) {
        const QKeySequence sequence(key);
        QTest::keyClick(board, static_cast<Qt::Key>(sequence[0].key()));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.roundText() == "ROUND: 2/3"; }, 30000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bobSeat().row == 1 && rules().roundOn(); }, 10000));

    // Round 2: a wrong row a, then Bob's connection drops.
    const std::array<int, 4> secondCode = rules().secretCode();
    std::array<int, 4> wrong{};
    for (size_t i = 0; i < 4; ++i)
        wrong[i] = secondCode[i] % 5 + 1;
    ASSERT_TRUE(playRowUntil(bobWindow, wrong, [&] { return bobSeat().row == 2; }));
    QProcess::execute("kill", {"-KILL", bobPid});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !bobSeat().connected; }, 10000));

    // The lobby offers to rejoin Ann's game, under Bob's name.
    auto *rejoin = bob.window->findChild<QPushButton *>("button_rejoin");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rejoin->isVisible(); }, 5000));
    EXPECT_EQ(rejoin->text(), QStringLiteral("Rejoin 127.0.0.1:%1").arg(hostPort));
    bob.window->findChild<QLineEdit *>("edit_name")->setText("Someone Else");
    QTest::mouseClick(rejoin, Qt::LeftButton);
    EXPECT_EQ(bob.window->launcher().lastCommand().arguments,
              (std::vector<std::string>{"Bob", "127.0.0.1", "join"}));

    // Back in his own seat with his score, and on row b of the round.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return bobSeat().connected && bobSeat().loggedIn && bobSeat().name == "Bob"; },
        20000));
    EXPECT_EQ(bobSeat().score, 12);
    EXPECT_EQ(bobSeat().row, 2);
    EXPECT_TRUE(rules().roundOn());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return session.roster().seat(2)->name == "Bob" &&
                   session.roster().seat(2)->score == "12";
        },
        5000))
        << "Ann's window shows " << session.roster().seat(2)->name << " with "
        << session.roster().seat(2)->score;
    EXPECT_FALSE(rejoin->isVisible());
    announcer.stop();
}

} // namespace
} // namespace kalvex
