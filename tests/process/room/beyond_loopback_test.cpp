// A server that is not on the loop-back network must encrypt and prove who
// it is. Such a server is made in a network namespace of the test's own:
// the test binary runs itself again inside one (unshare -n), where an
// address outside 127.0.0.0/8 lives on that namespace's loop-back device
// and nothing leaves it; in a mount namespace of its own too, where the
// system's resolver configuration names a name server of the test's own.
#include "lobby/qt/xmpp_game_room.h"

#include "fake_dns_server.h"
#include "prosody_server.h"
#include "room_recorder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace kalvex::testing {
namespace {

constexpr const char *kInsideVariable = "KALVEX_ROOM_TEST_NETNS";
const QString kNamespaceAddress = QStringLiteral("10.77.0.1");

// unshare's options for a network and a mount namespace; a user who is
// not root gets a user namespace too, in which he is.
QStringList namespaceOptions()
{
    QStringList options{QStringLiteral("-n"), QStringLiteral("-m")};
    if (::getuid() != 0)
        options.prepend(QStringLiteral("-r"));
    return options;
}

bool insideOwnNamespace()
{
    return qEnvironmentVariableIsSet(kInsideVariable);
}

bool run(const QString &program, const QStringList &arguments, QString *output = nullptr,
         int timeoutMs = 10000, const QProcessEnvironment &environment = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

TEST(XmppRoomBeyondLoopback, RunsItsChecksInANetworkNamespaceOfItsOwn)
{
    if (insideOwnNamespace())
        GTEST_SKIP() << "this is the run inside the namespace";
    if (ProsodyServer::program().isEmpty())
        GTEST_SKIP() << "prosody is not installed (Debian package \"prosody\")";
    QString why;
    if (!run(QStringLiteral("unshare"), namespaceOptions() << QStringLiteral("true"), &why))
        GTEST_SKIP() << "no network namespace can be made here: " << why.toStdString();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kInsideVariable), QStringLiteral("1"));
    QString output;
    const bool passed =
        run(QStringLiteral("unshare"),
            namespaceOptions() << QCoreApplication::applicationFilePath()
                               << QStringLiteral("--gtest_filter=XmppRoomInNamespace.*"),
            &output, 120000, environment);
    EXPECT_TRUE(passed) << output.toStdString();
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 3 tests.")) &&
                !output.contains(QLatin1String("SKIPPED")))
        << output.toStdString();
}

class XmppRoomInNamespace : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!insideOwnNamespace())
            GTEST_SKIP() << "runs only inside a network namespace of its own";
        static const bool addressReady =
            run(QStringLiteral("ip"), {"link", "set", "lo", "up"}) &&
            run(QStringLiteral("ip"), {"addr", "add", kNamespaceAddress + "/32", "dev", "lo"});
        ASSERT_TRUE(addressReady) << "cannot give the namespace "
                                  << kNamespaceAddress.toStdString();
    }

    // An account on the server at the namespace's own address: not the
    // loop-back network, so encryption is required.
    static RoomAccount accountAt(const ProsodyServer &prosody)
    {
        RoomAccount account;
        account.server = prosody.host();
        account.port = prosody.port();
        account.anonymous = false;
        account.jid = QStringLiteral("ann@") + prosody.userDomain();
        account.password = QStringLiteral("secret");
        account.room = QStringLiteral("kalvex@") + prosody.mucDomain();
        account.nickname = QStringLiteral("Ann");
        return account;
    }

    // The server at the namespace's address, with the test authority's
    // certificate (which this machine does not trust) when `encrypted`.
    static ProsodyOptions serverOptions(bool encrypted)
    {
        ProsodyOptions options;
        options.address = kNamespaceAddress;
        if (encrypted) {
            const QString tls = QStringLiteral(KALVEX_SOURCE_DIR "/tests/process/windows/tls/");
            options.certificate = tls + QStringLiteral("server.pem");
            options.key = tls + QStringLiteral("server.key");
        }
        return options;
    }

    // Enters the room and expects the first failure to say `words`.
    static void expectFailure(const RoomAccount &account, const QString &words, bool refusedForGood)
    {
        XmppGameRoom room;
        RoomRecorder seen(room);
        room.enter(account);
        const auto failure = seen.firstFailure(20000);
        ASSERT_TRUE(failure);
        EXPECT_TRUE(failure->reason.contains(words)) << seen.failureText().toStdString();
        if (refusedForGood)
            expectRefusedForGood(seen);
    }

    static void expectRefusedForGood(const RoomRecorder &seen)
    {
        EXPECT_EQ(seen.failures.front().retryInSeconds, 0);
        QTest::qWait(2500);
        EXPECT_EQ(seen.failures.size(), 1u) << "no second attempt";
        EXPECT_TRUE(seen.enteredAs.empty());
    }
};

TEST_F(XmppRoomInNamespace, AServerWithoutEncryptionIsRefusedInWords)
{
    ProsodyServer prosody(serverOptions(false));
    ASSERT_TRUE(prosody.running()) << prosody.unavailableReason().toStdString();
    expectFailure(accountAt(prosody), QStringLiteral("no encrypted connection"), true);
}

TEST_F(XmppRoomInNamespace, AServerWhoseCertificateNoAuthoritySignedIsRefusedInWords)
{
    ProsodyServer prosody(serverOptions(true));
    ASSERT_TRUE(prosody.running()) << prosody.unavailableReason().toStdString();
    expectFailure(accountAt(prosody), QStringLiteral("certificate is refused"), true);
}

TEST_F(XmppRoomInNamespace, AServerIsReachedWhereItsServiceRecordsPoint)
{
    ProsodyServer prosody(serverOptions(true));
    ASSERT_TRUE(prosody.running()) << prosody.unavailableReason().toStdString();

    FakeDnsServer dns{QHostAddress(kNamespaceAddress)};
    ASSERT_TRUE(dns.running());
    const std::string service = "_xmpp-client._tcp." + prosody.userDomain().toStdString();
    // The preferred one does not answer; the next one is the server.
    dns.addService(service, {0, quint16(prosody.port() + 1), "dead.test"});
    dns.addService(service, {10, prosody.port(), "xmpp.test"});
    dns.addAddress("dead.test", QHostAddress(kNamespaceAddress));
    dns.addAddress("xmpp.test", QHostAddress(kNamespaceAddress));
    QTemporaryFile resolverConfig;
    ASSERT_TRUE(resolverConfig.open());
    resolverConfig.write("nameserver " + kNamespaceAddress.toLatin1() + "\noptions timeout:1\n");
    resolverConfig.flush();
    QString why;
    ASSERT_TRUE(run(QStringLiteral("mount"),
                    {"--bind", resolverConfig.fileName(), QStringLiteral("/etc/resolv.conf")},
                    &why))
        << why.toStdString();

    RoomAccount account = accountAt(prosody);
    account.server.clear(); // the account's own domain, on the standard port
    account.port = 5222;
    // Only the server itself shows that certificate.
    expectFailure(account, QStringLiteral("certificate is refused"), false);
    run(QStringLiteral("umount"), {QStringLiteral("/etc/resolv.conf")});
    ASSERT_FALSE(dns.questions().empty());
    EXPECT_EQ(dns.questions().front(), "SRV " + service);
}

} // namespace
} // namespace kalvex::testing
