// Latencies over loopback against the real hosting program.
//
//   latency_bench [ROUNDS] [CHATS] [BUSY_CHATS]
//
// Starts the hosting program (kalvex-bench-host, the program's own main
// window and server with a driver that starts a game from the options
// dialog), joins it as a player over 127.0.0.1 and, with nothing else
// queued, sends wrong guesses one at a time, each 20 ms after its row
// opened: the time from writing "CMD_checkit" to reading the whole
// "CMD_yourresult" is one sample (eleven per round; the twelfth row ends the
// round). Then CHATS chat lines, each
// timed to its relay, at the pace the server relays a player's chat for
// ever (two a second). Then eight more players join and keep their queues
// busy with chat (a burst, then more lines than the server relays for
// them), and BUSY_CHATS lines of the first player are timed to their relay.
// Prints the median, the 99th percentile and the worst of each.

#include <QCoreApplication>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class Link
{
public:
    explicit Link(quint16 port)
    {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
            std::perror("connect");
            std::exit(1);
        }
    }
    ~Link() { ::close(fd); }

    void send(const std::string &bytes)
    {
        if (::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != ssize_t(bytes.size())) {
            std::perror("send");
            std::exit(1);
        }
    }
    // The next message that starts with prefix (others are passed over).
    std::string until(const std::string &prefix, int ms = 30000)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            for (std::size_t end; (end = buffer.find('\xFF')) != std::string::npos;) {
                std::string message = buffer.substr(0, end);
                buffer.erase(0, end + 1);
                if (message.rfind(prefix, 0) == 0)
                    return message;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                std::fprintf(stderr, "no %s within %d ms\n", prefix.c_str(), ms);
                std::exit(1);
            }
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                continue;
            char chunk[4096];
            const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
            if (got <= 0) {
                std::fprintf(stderr, "the host closed the connection\n");
                std::exit(1);
            }
            buffer.append(chunk, static_cast<std::size_t>(got));
        }
    }

    // Reads away whatever has arrived, without waiting.
    void discardArrived()
    {
        char chunk[65536];
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, 0) > 0 && ::recv(fd, chunk, sizeof chunk, 0) > 0) {
        }
        buffer.clear();
    }

    // Reads the slot offer and logs in; returns the slot as text.
    std::string login(const std::string &name)
    {
        const std::string offer = until("CMD_sendlogininfo+");
        const std::string slot = offer.substr(18);
        send("CMD_logininfo+" + slot + "+1.0.5+" + name + "\xFF\xFF");
        return slot;
    }

private:
    int fd = -1;
    std::string buffer;
};

// Eight players who keep lines waiting in the server's queue: each writes a
// burst of chat, then 20 lines every 2 seconds, about as many as the server
// takes from each of them while nine connections have lines waiting.
class BusyPeers
{
public:
    static constexpr int kPeers = 8;

    explicit BusyPeers(quint16 port)
    {
        for (int i = 0; i < kPeers; ++i) {
            links.push_back(std::make_unique<Link>(port));
            seats.push_back(links.back()->login("Busy" + std::to_string(i + 1)));
            links.back()->until("CMD_newplayerinfo+" + seats.back() + "+");
        }
        for (int i = 0; i < kPeers; ++i)
            write(i, 80);
        worker = std::thread([this] { run(); });
    }
    ~BusyPeers()
    {
        stop = true;
        worker.join();
    }

private:
    void write(int peer, int lines)
    {
        std::string burst;
        for (int n = 0; n < lines; ++n)
            burst += "CMD_chat+" + seats[peer] + "+busy " + std::to_string(sent++) + "|clGreen\xFF";
        links[peer]->send(burst);
    }
    void run()
    {
        auto next = Clock::now();
        while (!stop) {
            for (auto &link : links)
                link->discardArrived();
            if (Clock::now() >= next) {
                for (int i = 0; i < kPeers; ++i)
                    write(i, 20);
                next += std::chrono::seconds(2);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::vector<std::unique_ptr<Link>> links;
    std::vector<std::string> seats;
    std::atomic<bool> stop{false};
    long sent = 0;
    std::thread worker;
};

double percentile(std::vector<double> sorted, double p)
{
    std::sort(sorted.begin(), sorted.end());
    const auto index = static_cast<std::size_t>(p * double(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

void print(const char *what, const std::vector<double> &ms)
{
    if (ms.empty())
        return;
    std::printf("%-22s samples %4zu  median %7.3f ms  p99 %7.3f ms  worst %7.3f ms\n", what,
                ms.size(), percentile(ms, 0.5), percentile(ms, 0.99),
                *std::max_element(ms.begin(), ms.end()));
}

double since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    const int chats = argc > 2 ? std::max(0, std::atoi(argv[2])) : 40;
    const int busyChats = argc > 3 ? std::max(0, std::atoi(argv[3])) : 60;

    QTemporaryDir home;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QTcpServer lobby;
    lobby.listen(QHostAddress::LocalHost, 0);
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Offscreen, unless the caller names a platform (QT_QPA_PLATFORM=xcb with
    // DISPLAY: the host's window drawn on an X server).
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("KALVEX_HOME", home.path());
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("KALVEX_PORT", QString::number(port));
    env.insert("KALVEX_LOBBY_PORT", QString::number(lobby.serverPort()));
    env.insert("KALVEX_LOBBY_URL", "http://127.0.0.1:1/none");
    QProcess host;
    host.setProcessEnvironment(env);
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(QCoreApplication::applicationDirPath() + "/kalvex-bench-host",
               {QString::number(rounds), "Timer"});
    if (!host.waitForStarted(10000)) {
        std::fprintf(stderr, "cannot start kalvex-bench-host\n");
        return 1;
    }
    while (!host.readAllStandardOutput().contains("ready")) {
        if (!host.waitForReadyRead(20000)) {
            std::fprintf(stderr, "the host did not come up\n");
            return 1;
        }
    }

    std::vector<double> clue;
    std::vector<double> relay;
    std::vector<double> busyRelay;
    {
        Link link(port);
        const std::string slot = link.login("Timer");
        link.until("CMD_startgame+");
        for (int round = 1; round <= rounds; ++round) {
            link.until("CMD_startround+" + std::to_string(round) + "+");
            link.until("CMD_nextplayer+" + slot + "+1+");
            // The server keeps its pace of one line per tick: a guess within
            // a tick of the row's opening would wait for the next tick,
            // which no player clicks fast enough to meet.
            ::usleep(20000);
            for (int row = 1; row <= 11; ++row) {
                // Colour 0 is never in a code, so every guess is wrong.
                const auto start = Clock::now();
                link.send("CMD_checkit+" + slot + "+0+0+0+0+\xFF");
                link.until("CMD_yourresult+" + slot + "+");
                clue.push_back(since(start));
                link.until("CMD_nextplayer+" + slot + "+");
                // An idle queue before the next guess, as between a player's clicks.
                ::usleep(20000);
            }
            link.send("CMD_checkit+" + slot + "+0+0+0+0+\xFF");
            link.until("CMD_endround+");
        }
        // Nobody scored, so the game plays on (a tie); its rounds do not matter here.
        // A player's chat is relayed at two lines a second for ever.
        const auto chatPace = std::chrono::milliseconds(550);
        const auto timeChat = [&](const std::string &text) {
            const auto start = Clock::now();
            link.send("CMD_chat+" + slot + "+" + text + "|clRed\xFF");
            link.until("CMD_chat+" + slot + "+Timer chats: " + text + "|");
            const double ms = since(start);
            std::this_thread::sleep_until(start + chatPace);
            return ms;
        };
        for (int i = 0; i < chats; ++i)
            relay.push_back(timeChat("ping " + std::to_string(i)));
        if (busyChats > 0) {
            BusyPeers busy(port);
            for (int i = 0; i < busyChats; ++i)
                busyRelay.push_back(timeChat("busy ping " + std::to_string(i)));
        }
    }
    print("guess to clue", clue);
    print("chat to relay", relay);
    print("chat, 8 busy peers", busyRelay);
    host.kill();
    host.waitForFinished(5000);
    return 0;
}
