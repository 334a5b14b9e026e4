#pragma once
// A private X display for tests that must see what happens on a real desktop
// (a window manager's frame, focus, key grabs): Xvfb with the openbox window
// manager on a free display number, both ended by the destructor.
//
//   XDisplay x;
//   if (!x.running()) GTEST_SKIP() << x.unavailableReason().toStdString();
//   process.setProcessEnvironment(x.environment());
//   x.tool("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Kalvex$"});
//
// Display numbers are tried from :20 to :29, or in the range that
// KALVEX_TEST_DISPLAYS gives ("40-49").

#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace kalvex::testing {

class XDisplay
{
public:
    explicit XDisplay(QSize screenSize = {1024, 768});
    ~XDisplay();
    XDisplay(const XDisplay &) = delete;
    XDisplay &operator=(const XDisplay &) = delete;

    bool running() const { return reason.isEmpty(); }
    // Why no display runs (a program missing, no free display number).
    QString unavailableReason() const { return reason; }
    // ":23"
    QString name() const { return displayName; }
    QSize screenSize() const { return screen; }

    // The given environment, made to show Qt programs on this display.
    QProcessEnvironment
    environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;

    // Runs an X tool (xdotool, xwininfo, xprop) on this display and gives its
    // standard output, or nothing when it failed or took too long.
    std::optional<QString> tool(const QString &program, const QStringList &arguments,
                                int timeoutMs = 10000) const;

    // The ids of the visible top-level windows of a process (xdotool).
    QStringList windowsOf(qint64 pid) const;

    // Whether a program can be found on the PATH.
    static bool installed(const QString &program);

private:
    bool startServer(int number);
    bool startWindowManager();
    static void end(std::unique_ptr<QProcess> &process);

    QSize screen;
    QString displayName;
    QString reason;
    QTemporaryDir home;
    std::unique_ptr<QProcess> server;
    std::unique_ptr<QProcess> windowManager;
};

} // namespace kalvex::testing
