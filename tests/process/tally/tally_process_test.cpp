// The real program joins a game run by this test (acting as the host's
// server), finishes it, is killed, and starts again: the tally file must be
// whole and no text file of the tally may appear anywhere.
#include "tally/str_grid.h"
#include "tally/tally_file.h"
#include "wire_bytes.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kalvex {
namespace {

const char *const kProgram = KALVEX_BINARY_DIR "/src/app/kalvex";

// Plays the host's server for one joining program.
class FakeHost
{
public:
    FakeHost()
    {
        server.listen(QHostAddress::LocalHost);
        lobby.listen(QHostAddress::LocalHost);
    }
    quint16 port() const { return server.serverPort(); }
    quint16 lobbyPort() const { return lobby.serverPort(); }

    bool accept()
    {
        if (!QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 15000))
            return false;
        peer = server.nextPendingConnection();
        received.clear();
        return true;
    }
    void send(const QByteArray &text)
    {
        peer->write(QByteArray::fromStdString(test::wire(text.toStdString())));
        peer->flush();
    }
    bool waitFor(const QByteArray &text)
    {
        return QTest::qWaitFor(
            [&] {
                received += peer->readAll();
                return received.contains(text);
            },
            10000);
    }

private:
    QTcpServer server;
    QTcpServer lobby;
    QTcpSocket *peer = nullptr;
    QByteArray received;
};

class TallyProcess : public ::testing::Test
{
protected:
    QTemporaryDir home;
    QTemporaryDir runtime;
    QTemporaryDir workdir;
    FakeHost host;
    QProcess program;

    void TearDown() override
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
    }

    void start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KALVEX_HOME", home.path());
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("KALVEX_PORT", QString::number(host.port()));
        env.insert("KALVEX_LOBBY_PORT", QString::number(host.lobbyPort()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(workdir.path());
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(kProgram, {"Tester", "127.0.0.1", "false"});
        ASSERT_TRUE(program.waitForStarted(10000));
        ASSERT_TRUE(host.accept()) << "the program never connected";
        host.send("CMD_sendlogininfo+2");
        ASSERT_TRUE(host.waitFor("CMD_logininfo+2+1.0.5+Tester"));
        host.send("CMD_newplayerinfo+2+Tester");
        host.send("CMD_existingplayers+1+Host");
    }

    std::string tallyFile() const { return tallyFilePath(home.path().toStdString()); }

    // The stored table once its own games counter reads `games`.
    bool waitForGames(const char *games, StrGrid &table)
    {
        return QTest::qWaitFor(
            [&] {
                try {
                    return readTallyFile(tallyFile(), table) && table.colCount() == 9 &&
                           table.cell(1, 0) == games;
                } catch (const std::exception &) {
                    return false;
                }
            },
            10000);
    }

    QStringList strayFiles() const
    {
        QStringList stray;
        for (const QString &dir : {workdir.path(), home.path()})
            for (const QFileInfo &f : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden))
                if (f.fileName() != QLatin1String(kTallyFileName) && f.suffix() != "ini")
                    stray << f.absoluteFilePath();
        return stray;
    }
};

TEST_F(TallyProcess, AFinishedGameSurvivesAKillAndARestart)
{
    // A tally of earlier runs that follows the host.
    StrGrid earlier(9, 2);
    const char *cells[2][9] = {{"0", "5", "2", "3", "10", "0", "0", "0", "0"},
                               {"Host", "4", "1", "2", "1", "0", "0", "0", "0"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 9; ++c)
            earlier.cell(c, r) = cells[r][c];
    writeTallyFile(tallyFile(), earlier);

    start();
    host.send("CMD_startgame+Host+1+60+0+0+");
    host.send("CMD_startround+1+");
    host.send("CMD_nextplayer+2+1+");
    host.send("CMD_gotit+2+12+12+1+1+2+3+4+");
    host.send("CMD_endround+");
    host.send("CMD_winner+1+");

    StrGrid stored;
    ASSERT_TRUE(waitForGames("6", stored)) << "the finished game was not stored";
    program.kill();
    ASSERT_TRUE(program.waitForFinished(5000));

    ASSERT_TRUE(readTallyFile(tallyFile(), stored));
    const std::vector<std::string> own{stored.cell(1, 0), stored.cell(2, 0), stored.cell(3, 0),
                                       stored.cell(4, 0)};
    EXPECT_EQ(own, (std::vector<std::string>{"6", "2", "4", "11"}));
    ASSERT_EQ(stored.rowCount(), 2);
    std::vector<std::string> hostRow;
    for (int c = 0; c < 9; ++c)
        hostRow.push_back(stored.cell(c, 1));
    EXPECT_EQ(hostRow, (std::vector<std::string>{"Host", "5", "2", "2", "1", "1", "1", "0", "0"}));

    // A restart reads the tally as it was left, and counts on from it.
    start();
    host.send("CMD_startgame+Host+1+60+0+0+");
    host.send("CMD_startround+1+");
    host.send("CMD_winner+2+");
    ASSERT_TRUE(waitForGames("7", stored));
    EXPECT_EQ(stored.cell(2, 0), "3");
    EXPECT_EQ(stored.cell(4, 0), "12");
    // Counts of this run start again at 0: one game, won by this player.
    EXPECT_EQ(stored.cell(1, 1), "6");
    EXPECT_EQ(stored.cell(5, 1), "1");
    EXPECT_EQ(stored.cell(7, 1), "1");
    program.kill();
    program.waitForFinished(5000);

    EXPECT_FALSE(QFile::exists(workdir.filePath("temp.txt")));
    EXPECT_EQ(strayFiles(), QStringList{});
}

TEST_F(TallyProcess, AStartRemovesWhatKilledSavesLeftBehindAndNothingElse)
{
    // What a kill in the middle of saving the tally and the settings leaves.
    writeTallyFile(tallyFile(), StrGrid(9, 1));
    const QStringList leftovers = {".kalvextally.tld.Xk3jQ9", ".orbolobby.ini.p0Lm2Z"};
    const QStringList unrelated = {"kalvextally.tld.AbC123", ".orbolobby.ini.backup1", "notes.txt"};
    for (const QString &name : leftovers + unrelated) {
        QFile file(home.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[kalvex]\r\nTo");
    }

    start();
    const bool gone = QTest::qWaitFor(
        [&] {
            return std::none_of(leftovers.begin(), leftovers.end(), [&](const QString &name) {
                return QFile::exists(home.filePath(name));
            });
        },
        10000);
    QStringList still;
    for (const QString &name : leftovers)
        if (QFile::exists(home.filePath(name)))
            still << name;
    EXPECT_TRUE(gone) << still.join(' ').toStdString();
    for (const QString &name : unrelated)
        EXPECT_TRUE(QFile::exists(home.filePath(name))) << name.toStdString();
    StrGrid table;
    EXPECT_TRUE(readTallyFile(tallyFile(), table));
}

} // namespace
} // namespace kalvex
