#pragma once
// A private XMPP server for tests: Debian's prosody on a free loop-back
// port, with a configuration written into a temporary directory (its data,
// pid file and log live there too), ended by the destructor.
//
//   ProsodyServer prosody;
//   if (!prosody.running()) GTEST_SKIP() << prosody.unavailableReason().toStdString();
//   account.server = prosody.host();   // "127.0.0.1"
//   account.port = prosody.port();
//   account.room = "kalvex@" + prosody.mucDomain();
//
// Two virtual hosts: anonymousDomain() ("localhost") lets anyone in
// anonymously; userDomain() ("users.localhost") wants a password, for the
// accounts that addUser() registers. Both reach the multi-user chat
// component mucDomain() ("conference.localhost"). No TLS unless asked
// for, no server to server links, nothing but the one port.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace kalvex::testing {

struct ProsodyOptions
{
    // The address it listens on: loop-back, or an address that a test gave
    // a network namespace of its own.
    QString address = QStringLiteral("127.0.0.1");
    // Whether anonymousDomain() lets anyone in without an account; when
    // not, it wants a password as userDomain() does.
    bool anonymousLogin = true;
    // PEM files: when both are given, the server offers TLS with them.
    QString certificate;
    QString key;
};

class ProsodyServer
{
public:
    explicit ProsodyServer(ProsodyOptions options = {});
    ~ProsodyServer();
    ProsodyServer(const ProsodyServer &) = delete;
    ProsodyServer &operator=(const ProsodyServer &) = delete;

    bool running() const { return reason.isEmpty(); }
    // Why no server runs (prosody missing, or it did not start: with its log).
    QString unavailableReason() const { return reason; }

    QString host() const { return settings.address; }
    quint16 port() const { return c2sPort; }
    QString anonymousDomain() const { return QStringLiteral("localhost"); }
    QString userDomain() const { return QStringLiteral("users.localhost"); }
    QString mucDomain() const { return QStringLiteral("conference.localhost"); }

    // Registers name@userDomain() with this password (prosodyctl); false
    // when that failed.
    bool addUser(const QString &name, const QString &password) const;

    // Stops the server as a machine that hangs would (SIGSTOP), and lets it
    // go on (SIGCONT).
    void pause() const;
    void resume() const;

    // What the server logged so far, for a failing test's message.
    QString log() const;

    // The program that is run: prosody on the PATH, else /usr/bin/prosody;
    // empty when neither exists.
    static QString program();

private:
    bool start();
    void writeConfig() const;
    QString configPath() const;

    ProsodyOptions settings;
    QTemporaryDir dir;
    quint16 c2sPort = 0;
    QString reason;
    std::unique_ptr<QProcess> process;
};

} // namespace kalvex::testing
