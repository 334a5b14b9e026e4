// The computer player's game link, against a host played by the test: the
// program kalvex-bot in a process of its own.

#include "kalvex_instance.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace kalvex::testing;

namespace {

class BotLink : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0)); }
    void TearDown() override
    {
        if (bot.state() != QProcess::NotRunning) {
            bot.kill();
            bot.waitForFinished(5000);
        }
    }
    void startBot()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KALVEX_PORT", QString::number(host.serverPort()));
        bot.setProcessEnvironment(env);
        bot.start(KALVEX_BINARY_DIR "/tools/kalvex-bot/kalvex-bot",
                  {"Robo", "127.0.0.1", "--think-ms", "0", "--verbose"});
        ASSERT_TRUE(bot.waitForStarted(10000));
    }
    QTcpSocket *acceptBot()
    {
        if (!QTest::qWaitFor([&] { return host.hasPendingConnections(); }, 10000))
            return nullptr;
        return host.nextPendingConnection();
    }

    QTcpServer host;
    QProcess bot;
};

} // namespace

TEST_F(BotLink, ARelayedChatLongerThanOneServerMessageIsStillTaken)
{
    startBot();
    QTcpSocket *link = acceptBot();
    ASSERT_NE(link, nullptr);
    link->write("CMD_sendlogininfo+2" + T);
    ASSERT_TRUE(readUntil(*link, "Robo" + T + T).endsWith("Robo" + T + T));
    // A name near the server's cap for one message, and a chat within its cap.
    const QByteArray name(60000, 'N');
    const QByteArray text = QByteArray(7000, 't') + "END-OF-CHAT";
    const QByteArray relay = "CMD_chat+3+" + name + " chats: " + text + "|clBlack";
    ASSERT_GT(relay.size(), 64 * 1024);
    link->write(relay + T);
    link->flush();
    QByteArray log;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            log += bot.readAllStandardError();
            return log.contains("END-OF-CHAT");
        },
        10000))
        << "the relayed chat reached the player";
    EXPECT_FALSE(log.contains("more than a message may hold"));
}

TEST_F(BotLink, AFullAnswerThatArrivesWithTheCloseIsHandledBeforeTheClose)
{
    // The player ends with its own code for a full game, never as if the
    // host had merely gone.
    for (int attempt = 1; attempt <= 5; ++attempt) {
        startBot();
        QTcpSocket *link = acceptBot();
        ASSERT_NE(link, nullptr);
        link->write("CMD_full+" + T);
        link->flush();
        link->close();
        ASSERT_TRUE(bot.waitForFinished(10000));
        EXPECT_EQ(bot.exitCode(), 3)
            << "attempt " << attempt << ": " << bot.readAllStandardError().toStdString();
    }
}
