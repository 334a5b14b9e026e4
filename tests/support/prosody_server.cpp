#include "prosody_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>

#include <sys/prctl.h>
#include <sys/types.h>

namespace kalvex::testing {

namespace {

constexpr int kStartTimeoutMs = 15000;

quint16 unusedPort(const QHostAddress &address)
{
    QTcpServer probe;
    probe.listen(address, 0);
    return probe.serverPort();
}

bool accepts(const QHostAddress &address, quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(address, port);
    const bool connected = socket.waitForConnected(200);
    socket.abort();
    return connected;
}

QString luaString(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString ProsodyServer::program()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("prosody"));
    if (!onPath.isEmpty())
        return onPath;
    const QString debian = QStringLiteral("/usr/bin/prosody");
    return QFileInfo(debian).isExecutable() ? debian : QString();
}

ProsodyServer::ProsodyServer(ProsodyOptions options) : settings(std::move(options))
{
    if (program().isEmpty()) {
        reason = QStringLiteral("prosody is not installed (Debian package \"prosody\")");
        return;
    }
    if (!dir.isValid()) {
        reason = QStringLiteral("no temporary directory for prosody");
        return;
    }
    // A port another test takes between asking and prosody's bind makes
    // prosody fail to listen: try a few.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (start())
            return;
    }
}

ProsodyServer::~ProsodyServer()
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(5000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

QString ProsodyServer::configPath() const
{
    return dir.filePath(QStringLiteral("prosody.cfg.lua"));
}

void ProsodyServer::writeConfig() const
{
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    QDir(dir.path()).mkpath(QStringLiteral("certs"));
    QString text =
        // Tests and CI may run as root; prosody then keeps running as root
        // rather than refusing or switching to a user of its own.
        QStringLiteral("run_as_root = true\n"
                       "pidfile = %1\n"
                       "data_path = %2\n"
                       "certificates = %3\n"
                       "log = { { levels = { min = \"info\" }, to = \"file\", filename = %4 } }\n"
                       "interfaces = { %6 }\n"
                       "c2s_ports = { %5 }\n"
                       "c2s_interfaces = { %6 }\n"
                       "c2s_direct_tls_ports = { }\n"
                       "legacy_ssl_ports = { }\n"
                       "s2s_ports = { }\n"
                       "component_ports = { }\n"
                       "http_ports = { }\n"
                       "https_ports = { }\n"
                       "c2s_require_encryption = false\n"
                       "allow_unencrypted_plain_auth = true\n"
                       "storage = \"internal\"\n"
                       "modules_enabled = { \"roster\", \"saslauth\", \"disco\", \"ping\", "
                       "\"posix\" }\n"
                       "modules_disabled = { \"s2s\", \"offline\" }\n")
            .arg(luaString(dir.filePath(QStringLiteral("prosody.pid"))),
                 luaString(dir.filePath(QStringLiteral("data"))),
                 luaString(dir.filePath(QStringLiteral("certs"))),
                 luaString(dir.filePath(QStringLiteral("prosody.log"))), QString::number(c2sPort),
                 luaString(settings.address));
    if (!settings.certificate.isEmpty() && !settings.key.isEmpty()) {
        text += QStringLiteral("modules_enabled = { \"roster\", \"saslauth\", \"disco\", \"ping\", "
                               "\"posix\", \"tls\" }\n"
                               "ssl = { certificate = %1, key = %2 }\n")
                    .arg(luaString(settings.certificate), luaString(settings.key));
    }
    // Hosts and components last: every option after one belongs to it.
    text += QStringLiteral("VirtualHost \"localhost\"\n"
                           "  authentication = %1\n"
                           "VirtualHost \"users.localhost\"\n"
                           "  authentication = \"internal_plain\"\n"
                           "Component \"conference.localhost\" \"muc\"\n")
                .arg(luaString(settings.anonymousLogin ? QStringLiteral("anonymous")
                                                       : QStringLiteral("internal_plain")));
    QFile file(configPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

bool ProsodyServer::start()
{
    const QHostAddress address(settings.address);
    c2sPort = unusedPort(address);
    if (c2sPort == 0) {
        reason = QStringLiteral("no free port for prosody on ") + settings.address;
        return false;
    }
    writeConfig();
    QFile::remove(dir.filePath(QStringLiteral("prosody.log")));

    process = std::make_unique<QProcess>();
    process->setProgram(program());
    // A test that crashes takes its server with it.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process->setArguments({QStringLiteral("--config"), configPath(), QStringLiteral("-F")});
    process->setStandardOutputFile(dir.filePath(QStringLiteral("prosody.out")));
    process->setStandardErrorFile(dir.filePath(QStringLiteral("prosody.out")), QIODevice::Append);
    process->start();
    if (!process->waitForStarted(5000)) {
        reason = QStringLiteral("prosody did not start: ") + process->errorString();
        return false;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired() && process->state() == QProcess::Running) {
        if (accepts(address, c2sPort)) {
            reason.clear();
            return true;
        }
        QThread::msleep(50);
    }
    reason =
        QStringLiteral("prosody did not listen on port %1; its log:\n%2").arg(c2sPort).arg(log());
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(3000);
    }
    return false;
}

bool ProsodyServer::addUser(const QString &name, const QString &password) const
{
    const QString ctl = QFileInfo(program()).dir().filePath(QStringLiteral("prosodyctl"));
    QProcess registration;
    registration.setProgram(QFileInfo(ctl).isExecutable() ? ctl : QStringLiteral("prosodyctl"));
    registration.setArguments({QStringLiteral("--config"), configPath(), QStringLiteral("register"),
                               name, userDomain(), password});
    registration.setStandardInputFile(QProcess::nullDevice());
    registration.start();
    if (!registration.waitForFinished(15000)) {
        registration.kill();
        registration.waitForFinished(1000);
        return false;
    }
    return registration.exitStatus() == QProcess::NormalExit && registration.exitCode() == 0;
}

void ProsodyServer::pause() const
{
    if (process && process->processId() > 0)
        ::kill(pid_t(process->processId()), SIGSTOP);
}

void ProsodyServer::resume() const
{
    if (process && process->processId() > 0)
        ::kill(pid_t(process->processId()), SIGCONT);
}

QString ProsodyServer::log() const
{
    QFile file(dir.filePath(QStringLiteral("prosody.log")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace kalvex::testing
