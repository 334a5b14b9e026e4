// A game hosted in the real main window (offscreen, in this process), with
// computer players joining over TCP, started from the game options dialog.

#ifdef KALVEX_WITH_APP

#include "app/qt/program.h"
#include "bot_process.h"
#include "windows/qt/gamestart_form.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kalvex::bot {
namespace {

using testing::BotProcess;

QString labelText(QWidget &window, const char *name)
{
    auto *label = window.findChild<QLabel *>(name);
    return label != nullptr ? label->text() : QStringLiteral("<no %1>").arg(name);
}

TEST(BotGameInTheWindow, TheHostStartsTwoRoundsAndTheWindowShowsWhatTheBotsPlayed)
{
    QTemporaryDir home;
    QTemporaryDir runtime;
    const quint16 port = testing::freePort();
    QTcpServer lobby;
    ASSERT_TRUE(lobby.listen(QHostAddress::LocalHost, 0));
    qputenv("KALVEX_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("KALVEX_PORT", QByteArray::number(port));
    qputenv("KALVEX_LOBBY_PORT", QByteArray::number(lobby.serverPort()));
    qputenv("KALVEX_LOBBY_URL", "http://127.0.0.1:1/none");

    Program program({"Host", "127.0.0.1", "true"});
    MainWindow &window = program.mainWindow();
    window.show();
    const ClientSession &session = window.session();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return session.loggedin() && session.roster().seat(1)->name == "Host"; }, 15000));

    // One after the other, so that each gets its own seat.
    BotProcess expert(port, "Computer 1", "expert", 7);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return session.roster().seat(2)->name == "Computer 1"; }, 20000))
        << expert.log();
    BotProcess normal(port, "Computer 2", "normal", 8);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return session.roster().seat(3)->name == "Computer 2"; }, 20000))
        << normal.log();

    // File, Start Game: two rounds of the six colour game.
    window.action("action_startgame")->trigger();
    Tgamestart *options = program.windows().gamestart;
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(options->isVisible());
    options->setRounds(2);
    options->setSix(1);
    options->setBonus(0);
    auto *start = options->findChild<QWidget *>("button_start");
    ASSERT_NE(start, nullptr);
    QTest::mouseClick(start, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.roundText() == "ROUND: 1/2"; }, 10000));
    EXPECT_EQ(labelText(window, "label_gametype"), "Six Color Game");
    // The host sits the game out, so the rounds end when the bots are done.
    window.action("action_justwatch")->trigger();

    ASSERT_TRUE(QTest::qWaitFor([&] { return session.statusText().ends_with("has Won the Game!"); },
                                150000));

    // Both players' own accounts: the row of every round's solve.
    ASSERT_TRUE(expert.process.waitForFinished(10000));
    ASSERT_TRUE(normal.process.waitForFinished(10000));
    const auto expertRows = expert.solvedRows();
    const auto normalRows = normal.solvedRows();
    int rounds = 0;
    int expertScore = 0;
    int normalScore = 0;
    for (const auto &[round, row] : expertRows) {
        expertScore += 13 - row;
        rounds = std::max(rounds, round);
        EXPECT_LE(row, 5);
    }
    for (const auto &[round, row] : normalRows) {
        normalScore += 13 - row;
        rounds = std::max(rounds, round);
    }
    EXPECT_GE(rounds, 2);
    EXPECT_EQ(static_cast<int>(expertRows.size()), rounds) << expert.output;
    EXPECT_EQ(static_cast<int>(normalRows.size()), rounds) << normal.output;

    // What the window shows.
    EXPECT_EQ(labelText(window, "label_roundnum"), QStringLiteral("ROUND: %1/2").arg(rounds));
    EXPECT_EQ(labelText(window, "label_score2").toInt(), expertScore);
    EXPECT_EQ(labelText(window, "label_score3").toInt(), normalScore);
    ASSERT_NE(expertScore, normalScore);
    const QString winner = expertScore > normalScore ? "Computer 1" : "Computer 2";
    EXPECT_EQ(labelText(window, "label_status"), winner + " has Won the Game!");
    EXPECT_EQ(session.winnerSeat(), expertScore > normalScore ? 2 : 3);
    EXPECT_EQ(expert.process.exitCode(), 0);
    EXPECT_EQ(normal.process.exitCode(), 0);
}

} // namespace
} // namespace kalvex::bot

#endif
