#include "x_display.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <functional>

namespace kalvex::testing {

namespace {

std::pair<int, int> displayRange()
{
    const QString range = qEnvironmentVariable("KALVEX_TEST_DISPLAYS", QStringLiteral("20-29"));
    const QStringList ends = range.split('-');
    bool firstOk = false;
    bool lastOk = false;
    const int first = ends.value(0).toInt(&firstOk);
    const int last = ends.value(1).toInt(&lastOk);
    if (!firstOk || !lastOk || first < 0 || last < first)
        return {20, 29};
    return {first, last};
}

bool waitFor(const std::function<bool()> &ready, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (ready())
            return true;
        QThread::msleep(20);
    }
    return ready();
}

bool abstractSocketInUse(int number)
{
    QFile sockets(QStringLiteral("/proc/net/unix"));
    if (!sockets.open(QIODevice::ReadOnly))
        return false;
    const QByteArray name = "@/tmp/.X11-unix/X" + QByteArray::number(number);
    for (const QByteArray &line : sockets.readAll().split('\n')) {
        if (line.endsWith(" " + name))
            return true;
    }
    return false;
}

} // namespace

bool XDisplay::installed(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

XDisplay::XDisplay(QSize screenSize) : screen(screenSize)
{
    for (const char *program : {"Xvfb", "openbox", "xdotool", "xprop"}) {
        if (!installed(QString::fromLatin1(program))) {
            reason = QStringLiteral("%1 is not installed (scripts/install-deps.sh installs it)")
                         .arg(QString::fromLatin1(program));
            return;
        }
    }
    const auto [first, last] = displayRange();
    for (int number = first; number <= last; ++number) {
        if (startServer(number))
            break;
    }
    if (!server) {
        reason = QStringLiteral("no free X display from :%1 to :%2").arg(first).arg(last);
        return;
    }
    if (!startWindowManager()) {
        QFile log(home.filePath(QStringLiteral("openbox.log")));
        reason = QStringLiteral("openbox did not start on ") + displayName;
        if (log.open(QIODevice::ReadOnly))
            reason += QStringLiteral(": ") + QString::fromLocal8Bit(log.readAll()).trimmed();
        end(windowManager);
        end(server);
    }
}

XDisplay::~XDisplay()
{
    end(windowManager);
    end(server);
}

void XDisplay::end(std::unique_ptr<QProcess> &process)
{
    if (!process)
        return;
    if (process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
    process.reset();
}

bool XDisplay::startServer(int number)
{
    // Another server holds the number: its lock file stays while it runs, and
    // a server seen through a private /tmp still shows its abstract socket.
    if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) || abstractSocketInUse(number))
        return false;
    auto process = std::make_unique<QProcess>();
    process->setProgram(QStringLiteral("Xvfb"));
    process->setArguments({QStringLiteral(":%1").arg(number), QStringLiteral("-screen"),
                           QStringLiteral("0"),
                           QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                           QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                           // Without it the server resets whenever its last
                           // client leaves, and a client connecting then fails.
                           QStringLiteral("-noreset")});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(5000))
        return false;
    // The number is ours once the lock file names our server: another test
    // may have started one on the same number a moment earlier.
    const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number);
    const bool ours = waitFor(
        [&] {
            if (process->state() != QProcess::Running)
                return true;
            QFile file(lock);
            return file.open(QIODevice::ReadOnly) &&
                   file.readAll().trimmed().toLongLong() == process->processId();
        },
        10000);
    if (!ours || process->state() != QProcess::Running) {
        end(process);
        return false;
    }
    displayName = QStringLiteral(":%1").arg(number);
    server = std::move(process);
    return waitFor([&] { return tool(QStringLiteral("xprop"), {"-root"}, 2000).has_value(); },
                   10000);
}

bool XDisplay::startWindowManager()
{
    windowManager = std::make_unique<QProcess>();
    QProcessEnvironment env = environment();
    // The window manager reads its own defaults, never a user's settings.
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    windowManager->setProcessEnvironment(env);
    windowManager->setProgram(QStringLiteral("openbox"));
    windowManager->setArguments({QStringLiteral("--sm-disable")});
    windowManager->setStandardOutputFile(QProcess::nullDevice());
    windowManager->setStandardErrorFile(home.filePath(QStringLiteral("openbox.log")));
    windowManager->start();
    if (!windowManager->waitForStarted(5000))
        return false;
    // The manager is in charge once it names its check window on the root.
    return waitFor(
        [&] {
            const auto answer =
                tool(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}, 2000);
            return answer && answer->contains(QStringLiteral("window id"));
        },
        10000);
}

QProcessEnvironment XDisplay::environment(QProcessEnvironment base) const
{
    base.insert(QStringLiteral("DISPLAY"), displayName);
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    base.remove(QStringLiteral("WAYLAND_DISPLAY"));
    base.remove(QStringLiteral("XAUTHORITY"));
    return base;
}

std::optional<QString> XDisplay::tool(const QString &program, const QStringList &arguments,
                                      int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QStringList XDisplay::windowsOf(qint64 pid) const
{
    const auto found = tool(QStringLiteral("xdotool"),
                            {"search", "--onlyvisible", "--pid", QString::number(pid)}, 5000);
    if (!found)
        return {};
    return found->split('\n', Qt::SkipEmptyParts);
}

} // namespace kalvex::testing
