#include "../../widgets/windows/recording_desktop.h"
#include "http_test_server.h"
#include "windows/qt/download_form.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

using testing::HttpTestServer;
using testing::RecordingDesktop;

QByteArray sampleBody(int size)
{
    QByteArray body(size, '\0');
    for (int i = 0; i < size; ++i)
        body[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    return body;
}

// Collects what Qt itself prints (warnings of its own classes) while it lives.
class QtMessages
{
public:
    QtMessages() { previous = qInstallMessageHandler(&QtMessages::record); }
    ~QtMessages()
    {
        qInstallMessageHandler(previous);
        recorded().clear();
    }
    QStringList all() const { return recorded(); }

private:
    static QStringList &recorded()
    {
        static QStringList messages;
        return messages;
    }
    static void record(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        recorded() << text;
    }
    QtMessageHandler previous = nullptr;
};

QByteArray testFile(const char *name)
{
    QFile file(QStringLiteral(KALVEX_SOURCE_DIR "/tests/process/windows/tls/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The server's side of HTTPS: a certificate for 127.0.0.1 issued by the
// test authority in tls/ca.pem.
QSslConfiguration serverTls()
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(testFile("server.pem")));
    tls.setPrivateKey(QSslKey(testFile("server.key"), QSsl::Rsa));
    return tls;
}

// While it lives, the test authority is trusted like any public one.
class TrustedTestAuthority
{
public:
    TrustedTestAuthority() : previous(QSslConfiguration::defaultConfiguration())
    {
        QSslConfiguration trusting = previous;
        trusting.addCaCertificates(QSslCertificate::fromData(testFile("ca.pem")));
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    ~TrustedTestAuthority() { QSslConfiguration::setDefaultConfiguration(previous); }

private:
    QSslConfiguration previous;
};

class LobbyDownload : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        window.setInstallerAddress(QUrl(server.url("/lobby/qvnsetup.exe")));
        QObject::connect(&window, &Tdownload::stateShown, [this] { shown << text("infolabel"); });
    }

    QString text(const char *name) const { return window.findChild<QLabel *>(name)->text(); }
    QPushButton *button(const char *name) const { return window.findChild<QPushButton *>(name); }
    QString installerPath() const { return home.filePath("qvnsetup.exe"); }
    QByteArray saved() const
    {
        QFile file(installerPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Presses the download button and waits until the outcome is shown.
    bool downloadAndWait()
    {
        QSignalSpy ended(&window, &Tdownload::downloadEnded);
        QTest::mouseClick(button("getbutton"), Qt::LeftButton);
        return ended.wait(10000);
    }

    HttpTestServer server;
    QTemporaryDir home;
    RecordingDesktop desktop;
    Tdownload window{home.path(), nullptr, {}, &desktop};
    QSignalSpy exits{&window, &Tdownload::exitRequested};
    QStringList shown;
};

TEST_F(LobbyDownload, CompletedDownloadShowsItsSizeThenStartsTheInstallerAndEndsTheGame)
{
    const QByteArray body = sampleBody(300000);
    server.answer(HttpTestServer::ok(body));
    ASSERT_TRUE(downloadAndWait());

    EXPECT_EQ(text("infolabel"), "Received 300000 bytes");
    EXPECT_EQ(text("infolabel3"), "Installing");
    EXPECT_EQ(window.findChild<QLabel *>("infolabel2")->text(), "qvnsetup.exe");
    EXPECT_EQ(saved(), body);
    EXPECT_TRUE(QFile::permissions(installerPath()) & QFileDevice::ExeOwner);
    ASSERT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(desktop.started.first().first, installerPath());
    EXPECT_EQ(desktop.started.first().second, QStringList({"/SP-", "/silent", "/noicons"}));
    EXPECT_EQ(exits.size(), 1);
    EXPECT_TRUE(button("getbutton")->isEnabled());
    EXPECT_FALSE(button("abortbutton")->isEnabled());

    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray request = server.requests.first();
    EXPECT_TRUE(request.startsWith("GET /lobby/qvnsetup.exe HTTP/1.")) << request.constData();
    EXPECT_TRUE(request.contains("User-Agent: Mozilla/3.0 (compatible)\r\n"));
    EXPECT_TRUE(
        request.contains("Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"));
}

TEST_F(LobbyDownload, ProgressShowsLoadingADotPerHeaderLineAndTheBytesSoFar)
{
    server.answer(HttpTestServer::ok(sampleBody(200000)));
    ASSERT_TRUE(downloadAndWait());
    ASSERT_GE(shown.indexOf("Loading"), 0);
    // Status line, Content-Type and Content-Length.
    EXPECT_GE(shown.indexOf("Loading..."), 0) << shown.join(" | ").toStdString();
    EXPECT_EQ(shown.last(), "Received 200000 bytes");
    EXPECT_TRUE(shown.contains("200000 bytes"));
    EXPECT_EQ(text("infolabel3"), "Installing");
}

TEST_F(LobbyDownload, NotFoundShowsDownloadAbortedAndStartsNothing)
{
    server.answer("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<h1>gone</h1>");
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(text("infolabel"), "Download Aborted");
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_TRUE(desktop.errors.isEmpty());
    EXPECT_TRUE(exits.isEmpty());
    EXPECT_TRUE(button("getbutton")->isEnabled());
    EXPECT_FALSE(button("abortbutton")->isEnabled());
    // The error page is not taken for the installer.
    EXPECT_EQ(saved(), QByteArray());
}

TEST_F(LobbyDownload, NotFoundAndStopEndTheRequestOnceWithoutQtComplaining)
{
    QtMessages qt;
    // The answer and the close arrive together or apart, as it happens:
    // several rounds catch either order.
    for (int round = 0; round < 12; ++round) {
        server.answer("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n<h1>gone</h1>");
        ASSERT_TRUE(downloadAndWait());
        EXPECT_EQ(text("infolabel"), "Download Aborted");
        server.answer(HttpTestServer::ok(sampleBody(1000), 100000), /*holdOpen=*/true);
        QSignalSpy ended(&window, &Tdownload::downloadEnded);
        QTest::mouseClick(button("getbutton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(text("infolabel"), QString("1000 bytes"), 10000);
        QTest::mouseClick(button("abortbutton"), Qt::LeftButton);
        ASSERT_TRUE(ended.size() == 1 || ended.wait(10000));
        EXPECT_EQ(text("infolabel"), "Download Aborted");
    }
    // An error page far longer than any is cut short, not read to its end.
    server.answer("HTTP/1.0 500 Oops\r\n\r\n" + QByteArray(8 << 20, 'x'), /*holdOpen=*/true);
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(text("infolabel"), "Download Aborted");
    EXPECT_EQ(saved(), QByteArray());

    QTest::qWait(50);
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_TRUE(desktop.errors.isEmpty());
    EXPECT_EQ(qt.all().filter("must only be called once").join('\n').toStdString(), "");
}

TEST_F(LobbyDownload, AnInstallerOverPlainHttpFromAnotherHostIsNeverStarted)
{
    // 0.0.0.0 names this computer, so the request stays on it, but it is no
    // loop-back address: the installer might have come from anywhere.
    const QByteArray body = sampleBody(3000);
    server.answer(HttpTestServer::ok(body));
    window.setInstallerAddress(QUrl(server.urlOnHost("0.0.0.0", "/lobby/qvnsetup.exe")));
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(text("infolabel"), "Received 3000 bytes");
    EXPECT_EQ(saved(), body);
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_EQ(desktop.messages, QStringList({"An Error has Occurred."}));
    EXPECT_FALSE(QFile::permissions(installerPath()) & QFileDevice::ExeOwner);
    EXPECT_TRUE(exits.isEmpty());
    EXPECT_TRUE(button("getbutton")->isEnabled());

    // A loop-back address that sends the request on to such a host is
    // judged by where the installer finally came from.
    desktop.messages.clear();
    window.setInstallerAddress(QUrl(server.url("/lobby/qvnsetup.exe")));
    server.answerPath("/lobby/qvnsetup.exe",
                      "HTTP/1.0 302 Found\r\nLocation: " +
                          server.urlOnHost("0.0.0.0", "/mirror/qvnsetup.exe").toLatin1() +
                          "\r\n\r\n");
    ASSERT_TRUE(downloadAndWait());
    EXPECT_TRUE(server.requested("/mirror/qvnsetup.exe"));
    EXPECT_EQ(text("infolabel"), "Received 3000 bytes");
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_EQ(desktop.messages, QStringList({"An Error has Occurred."}));
}

// The installer served over HTTPS by a server on 127.0.0.1.
class SecureLobbyDownload : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QSslSocket::supportsSsl())
            GTEST_SKIP() << "Qt has no TLS backend here";
        window.setInstallerAddress(QUrl(server.url("/lobby/qvnsetup.exe")));
        ASSERT_TRUE(window.installerAddress().toString().startsWith("https://"));
    }
    // Serves `body` and downloads it; false when the download never ended.
    bool fetch(const QByteArray &body)
    {
        server.answer(HttpTestServer::ok(body));
        QSignalSpy ended(&window, &Tdownload::downloadEnded);
        window.download();
        return ended.wait(10000);
    }
    QString infolabel() const { return window.findChild<QLabel *>("infolabel")->text(); }

    const QSslConfiguration tls = serverTls();
    HttpTestServer server{&tls};
    QTemporaryDir home;
    RecordingDesktop desktop;
    Tdownload window{home.path(), nullptr, {}, &desktop};
    QSignalSpy exits{&window, &Tdownload::exitRequested};
};

TEST_F(SecureLobbyDownload, AnInstallerWithAValidCertificateIsStarted)
{
    TrustedTestAuthority trusted;
    ASSERT_TRUE(fetch("secure installer"));
    EXPECT_EQ(infolabel(), "Received 16 bytes");
    ASSERT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(desktop.started.first().first, home.filePath("qvnsetup.exe"));
    EXPECT_EQ(exits.size(), 1);
}

TEST_F(SecureLobbyDownload, AServerWhoseCertificateDoesNotHoldGetsNothingStarted)
{
    // The authority is not trusted: the certificate is as good as forged.
    ASSERT_TRUE(fetch("forged installer"));
    EXPECT_EQ(infolabel(), "Download Aborted");
    EXPECT_TRUE(server.requests.isEmpty()) << "the request went to an unproven server";
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_TRUE(exits.isEmpty());
}

TEST_F(LobbyDownload, StopWhileIdleShowsItsTextsAndALaterDownloadStillWorks)
{
    QTest::mouseClick(button("abortbutton"), Qt::LeftButton);
    EXPECT_EQ(text("infolabel"), "Download has been aborted.");
    EXPECT_EQ(text("infolabel3"), "Download Aborted");
    EXPECT_TRUE(button("getbutton")->isEnabled());

    server.answer(HttpTestServer::ok("small installer"));
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(text("infolabel"), "Received 15 bytes");
    EXPECT_EQ(desktop.started.size(), 1);
    EXPECT_EQ(exits.size(), 1);
}

TEST_F(LobbyDownload, StopDuringADownloadEndsItAbortedAndInstallsNothing)
{
    const QByteArray part = sampleBody(1000);
    server.answer(HttpTestServer::ok(part, 100000), /*holdOpen=*/true);
    QSignalSpy ended(&window, &Tdownload::downloadEnded);
    QTest::mouseClick(button("getbutton"), Qt::LeftButton);
    EXPECT_FALSE(button("getbutton")->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(text("infolabel"), QString("1000 bytes"), 10000);
    EXPECT_EQ(text("infolabel3"), "Downloading: qvnsetup.exe");

    QTest::mouseClick(button("abortbutton"), Qt::LeftButton);
    ASSERT_TRUE(ended.size() == 1 || ended.wait(10000));
    EXPECT_EQ(text("infolabel"), "Download Aborted");
    EXPECT_EQ(text("infolabel3"), "Download Aborted");
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_TRUE(exits.isEmpty());
    EXPECT_TRUE(button("getbutton")->isEnabled());
    EXPECT_FALSE(button("abortbutton")->isEnabled());
    // The part received stays on disk.
    EXPECT_EQ(saved(), part);
}

TEST_F(LobbyDownload, ABodyCutShortIsReportedAndNeverStarted)
{
    server.answer(HttpTestServer::ok(sampleBody(100), 5000));
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(desktop.errors.size(), 1);
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_TRUE(exits.isEmpty());
    EXPECT_TRUE(button("getbutton")->isEnabled());
    EXPECT_FALSE(button("abortbutton")->isEnabled());
}

TEST_F(LobbyDownload, NoServerMeansDownloadAborted)
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const quint16 port = closed.serverPort();
    closed.close();
    window.setInstallerAddress(QUrl(QStringLiteral("http://127.0.0.1:%1/x/setup.exe").arg(port)));
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(text("infolabel"), "Download Aborted");
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_TRUE(desktop.errors.isEmpty());
}

TEST_F(LobbyDownload, AnInstallerThatCannotRunLeavesTheGameRunning)
{
    desktop.programsStart = false;
    server.answer(HttpTestServer::ok("MZ not for this system"));
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(text("infolabel"), "Received 22 bytes");
    EXPECT_EQ(desktop.messages, QStringList({"An Error has Occurred."}));
    EXPECT_TRUE(exits.isEmpty());
}

TEST_F(LobbyDownload, ANewDownloadReplacesTheFile)
{
    server.answer(HttpTestServer::ok(sampleBody(5000)));
    ASSERT_TRUE(downloadAndWait());
    server.answer(HttpTestServer::ok("tiny"));
    ASSERT_TRUE(downloadAndWait());
    EXPECT_EQ(saved(), QByteArray("tiny"));
    EXPECT_EQ(text("infolabel"), "Received 4 bytes");
}

TEST_F(LobbyDownload, ARedirectIsFollowedToTheInstaller)
{
    server.answerPath("/lobby/qvnsetup.exe",
                      "HTTP/1.0 302 Found\r\nLocation: /mirror/qvnsetup.exe\r\n\r\n");
    server.answer(HttpTestServer::ok("from the mirror"));
    ASSERT_TRUE(downloadAndWait());
    // Qt may send a request again on a fresh connection when the first one
    // closed under it; what counts is that the mirror was asked.
    EXPECT_TRUE(server.requested("/mirror/qvnsetup.exe"));
    EXPECT_EQ(saved(), QByteArray("from the mirror"));
    EXPECT_EQ(text("infolabel"), "Received 15 bytes");
    EXPECT_EQ(desktop.started.size(), 1);
}

TEST_F(LobbyDownload, AFullDiskIsReportedAndNothingIsStarted)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full on this system";
    ASSERT_TRUE(QFile::link("/dev/full", installerPath()));
    server.answer(HttpTestServer::ok(sampleBody(200000)));
    ASSERT_TRUE(downloadAndWait());
    ASSERT_EQ(desktop.errors.size(), 1);
    EXPECT_TRUE(desktop.errors.first().contains("qvnsetup.exe"))
        << desktop.errors.first().toStdString();
    EXPECT_EQ(text("infolabel"), "Download Aborted");
    EXPECT_TRUE(desktop.started.isEmpty());
    EXPECT_TRUE(exits.isEmpty());
    EXPECT_TRUE(button("getbutton")->isEnabled());
}

TEST_F(LobbyDownload, ClosingTheWindowDuringADownloadAbortsIt)
{
    server.answer(HttpTestServer::ok(sampleBody(10), 100000), /*holdOpen=*/true);
    auto *early = new Tdownload(home.path(), nullptr, {}, &desktop);
    early->setInstallerAddress(QUrl(server.url("/lobby/qvnsetup.exe")));
    early->download();
    QTRY_VERIFY_WITH_TIMEOUT(!server.requests.isEmpty(), 10000);
    delete early;
    QTest::qWait(50);
    EXPECT_TRUE(desktop.started.isEmpty());
}

TEST(LobbyDownloadInstall, TheDownloadedInstallerRunsWithItsParameters)
{
    HttpTestServer server;
    QTemporaryDir home;
    const QString marker = home.filePath("installed.txt");
    server.answer(
        HttpTestServer::ok(QStringLiteral("#!/bin/sh\necho \"$@\" > '%1'\n").arg(marker).toUtf8()));
    Tdownload window(home.path(), nullptr);
    window.setInstallerAddress(QUrl(server.url("/lobby/setup.sh")));
    QSignalSpy exits(&window, &Tdownload::exitRequested);
    QSignalSpy ended(&window, &Tdownload::downloadEnded);
    window.download();
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(exits.size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(QFile(marker).size() > 0, 5000);
    QFile ran(marker);
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(ran.readAll(), "/SP- /silent /noicons\n");
}

} // namespace
} // namespace kalvex
