#include "test_router.h"

#include "lobby/upnp_gateway.h"
#include "own_network.h"
#include "temp_dir.h"

#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>

#include <chrono>

#include <signal.h>
#include <sys/prctl.h>

namespace kalvex::test {

namespace {

constexpr int kHttpPort = 5555; // the namespace's own: nothing else listens there

// The chains miniupnpd (nftables build) fills with its forwardings.
constexpr const char *kRuleset = R"(table inet filter {
  chain miniupnpd { }
  chain prerouting_miniupnpd { }
  chain postrouting_miniupnpd { }
  chain forward { type filter hook forward priority 0; policy accept; jump miniupnpd; }
  chain prerouting { type nat hook prerouting priority -100; policy accept; jump prerouting_miniupnpd; }
  chain postrouting { type nat hook postrouting priority 100; policy accept; jump postrouting_miniupnpd; }
}
)";

QString run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return program + " did not start";
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return program + " " + arguments.join(' ') + ": " +
               QString::fromLocal8Bit(process.readAll());
    return {};
}

} // namespace

QString TestRouter::unavailableReason()
{
    if (!ownNetwork().entered)
        return QString::fromStdString(ownNetwork().failure);
    for (const char *tool : {"ip", "nft", "miniupnpd"})
        if (QStandardPaths::findExecutable(tool, {"/usr/sbin", "/sbin", "/usr/bin", "/bin"})
                .isEmpty())
            return QString("%1 is not installed").arg(tool);
    return {};
}

TestRouter::TestRouter(int index, const QString &internetAddress)
    : index(index), internetAddress(internetAddress), dir(std::make_unique<TempDir>())
{
    if (!prepareNetwork())
        return;
    const QString config = QString("ext_ifname=wan%1\n"
                                   "listening_ip=lan%1\n"
                                   "http_port=%2\n"
                                   "enable_natpmp=no\n"
                                   "enable_upnp=yes\n"
                                   "secure_mode=no\n"
                                   "system_uptime=yes\n"
                                   "uuid=8b0808cf-641c-48e8-80dd-d4ee7650200%1\n"
                                   "allow 1024-65535 192.168.%3.0/24 1024-65535\n"
                                   "deny 0-65535 0.0.0.0/0 0-65535\n")
                               .arg(index)
                               .arg(kHttpPort)
                               .arg(77 + index);
    dir->put("miniupnpd.conf", config.toStdString());
    daemon.setProcessChannelMode(QProcess::MergedChannels);
    // Ends with the test binary, also when that crashes.
    daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    daemon.setStandardOutputFile(QString::fromStdString(dir->path("miniupnpd.log")));
    const QString miniupnpd =
        QStandardPaths::findExecutable("miniupnpd", {"/usr/sbin", "/sbin", "/usr/bin"});
    daemon.start(miniupnpd, {"-d", "-f", QString::fromStdString(dir->path("miniupnpd.conf")), "-P",
                             QString::fromStdString(dir->path("miniupnpd.pid"))});
    if (!daemon.waitForStarted(5000)) {
        problem = "miniupnpd did not start";
        return;
    }
    if (!waitUntilAnswering())
        problem = "miniupnpd does not answer: " + QString::fromStdString(dir->get("miniupnpd.log"));
}

TestRouter::~TestRouter()
{
    if (daemon.state() == QProcess::NotRunning)
        return;
    daemon.terminate();
    if (!daemon.waitForFinished(5000)) {
        daemon.kill();
        daemon.waitForFinished(5000);
    }
    // Forwardings it kept live in the namespace's tables: the next router
    // starts with none.
    for (const char *chain : {"miniupnpd", "prerouting_miniupnpd", "postrouting_miniupnpd"})
        run("nft", {"flush", "chain", "inet", "filter", chain});
}

QString TestRouter::homeAddress() const
{
    return QString("192.168.%1.1").arg(77 + index);
}

QString TestRouter::descriptionUrl() const
{
    return QString("http://%1:%2/rootDesc.xml").arg(homeAddress()).arg(kHttpPort);
}

bool TestRouter::prepareNetwork()
{
    problem = unavailableReason();
    if (!problem.isEmpty())
        return false;
    const QString wan = QString("wan%1").arg(index), lan = QString("lan%1").arg(index);
    if (run("ip", {"link", "show", wan}).isEmpty())
        return true; // made by an earlier test
    for (const QStringList &command :
         {QStringList{"link", "set", "lo", "up"},
          QStringList{"link", "add", wan, "type", "veth", "peer", "name", lan},
          QStringList{"addr", "add", internetAddress + "/24", "dev", wan},
          QStringList{"addr", "add", homeAddress() + "/24", "dev", lan},
          QStringList{"link", "set", wan, "up"}, QStringList{"link", "set", lan, "up"},
          // Searches for routers (SSDP multicast) go to the first home network.
          QStringList{"route", "replace", "239.255.255.250/32", "dev",
                      index == 0 ? lan : "lan0"}}) {
        problem = run("ip", command);
        if (!problem.isEmpty())
            return false;
    }
    if (run("nft", {"list", "table", "inet", "filter"}).isEmpty())
        return true;
    problem = run("nft", {"-f", "-"}, kRuleset);
    return problem.isEmpty();
}

bool TestRouter::waitUntilAnswering()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (daemon.state() == QProcess::NotRunning)
            return false;
        // Listening first, so that the library has no refusal to print.
        QTcpSocket http;
        http.connectToHost(homeAddress(), kHttpPort);
        UpnpGateway probe(descriptionUrl().toStdString(), 0);
        if (http.waitForConnected(1000) && probe.find() == RouterSearch::Connected)
            return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace kalvex::test
