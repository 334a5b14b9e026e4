#include "hostile_peers.h"

#include "wire_bytes.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <random>
#include <thread>

namespace kalvex::hostile {

namespace {

using test::wire;

bool pastDeadline(Clock::time_point deadline, const std::atomic<bool> &stop)
{
    return stop.load() || Clock::now() >= deadline;
}

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

RawConnection::RawConnection(std::uint16_t port)
{
    fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    timeval timeout{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        close();
}

RawConnection::~RawConnection()
{
    close();
}

void RawConnection::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool RawConnection::send(std::string_view bytes)
{
    while (fd >= 0 && !bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return fd >= 0;
}

std::string RawConnection::nextMessage(int ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (fd >= 0 && received.find(kTerminator) == std::string::npos && Clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(got));
    }
    const auto end = received.find(kTerminator);
    if (end == std::string::npos)
        return {};
    std::string message = received.substr(0, end);
    received.erase(0, end + 1);
    return message;
}

int RawConnection::login(const std::string &name)
{
    const std::string offer = nextMessage(5000);
    const std::string prefix = "CMD_sendlogininfo+";
    if (offer.rfind(prefix, 0) != 0)
        return 0;
    const std::string slot = offer.substr(prefix.size());
    send("CMD_logininfo+" + slot + "+1.0.5+" + name + kTerminator + kTerminator);
    return std::atoi(slot.c_str());
}

bool RawConnection::waitClosedByPeer(int ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (fd >= 0 && Clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char buffer[65536];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR))
            return true;
    }
    return false;
}

namespace {

// Lines that a logged-in peer sends in other slots' names, or asks what only
// the host may ask.
std::string forgedBatch(int own, const std::vector<int> &victims)
{
    const std::string me = std::to_string(own);
    std::string batch;
    for (const int slot : victims) {
        const std::string v = std::to_string(slot);
        for (const std::string &line : {
                 "CMD_checkit+" + v + "+1+2+3+4+",     // a guess on another's board
                 "CMD_justwatch+" + v + "+1",          // making another a spectator
                 "CMD_kickhim+1+" + v + "+",           // a removal in the host's name
                 "CMD_kickhim+" + me + "+" + v + "+",  // a removal not asked by the host
                 "CMD_logininfo+" + v + "+1.0.5+Evil", // taking over another's name
                 "CMD_chat+" + v + "+I give up|clRed",
                 "CMD_action+" + v + "+resigns|clRed",
                 "CMD_playasound+" + v + "+wave1+",
             })
            batch += wire(line);
    }
    for (const std::string &line : {
             std::string("CMD_startgame+Host+1+60+0+0+"), // a game start not by the host
             std::string("CMD_checkit+99+1+1+1+1+"), std::string("CMD_justwatch+-1+1"),
             std::string("CMD_kickhim+1+1+"),
             std::string("CMD_checkit+x+1+1+1+1+"), // a slot that is no number
         })
        batch += wire(line);
    return batch;
}

int countLines(const std::string &batch)
{
    int n = 0;
    for (const char c : batch)
        n += c == kTerminator;
    return n;
}

} // namespace

HostileReport runHostileTraffic(std::uint16_t port, const std::vector<int> &victims,
                                std::chrono::seconds budget, const std::atomic<bool> &stop)
{
    HostileReport report;
    const auto deadline = Clock::now() + budget;
    std::mt19937 random(20261207);

    // Connections that never log in, held throughout; they chatter in their
    // own slot's name now and then.
    std::vector<std::unique_ptr<RawConnection>> silent;
    std::vector<std::string> silentChatter;
    for (int i = 0; i < 2; ++i) {
        auto c = std::make_unique<RawConnection>(port);
        const std::string offer = c->isOpen() ? c->nextMessage(3000) : std::string();
        if (offer.empty())
            continue;
        std::string chatter;
        for (int n = 0; n < 100; ++n)
            chatter += wire("CMD_chat+" + offer.substr(offer.find('+') + 1) + "+psst|clRed");
        silentChatter.push_back(std::move(chatter));
        silent.push_back(std::move(c));
    }
    report.silentHeld = static_cast<int>(silent.size());
    const auto chatterSilently = [&] {
        for (std::size_t i = 0; i < silent.size(); ++i)
            silent[i]->send(silentChatter[i]);
    };
    chatterSilently();

    // A logged-in peer that watches and forges lines for other slots.
    RawConnection forger(port);
    report.forgerSlot = forger.login("Mallory");
    if (report.forgerSlot != 0) {
        forger.send(wire("CMD_justwatch+" + std::to_string(report.forgerSlot) + "+1"));
        const std::string batch = forgedBatch(report.forgerSlot, victims);
        for (int i = 0; i < 5 && !pastDeadline(deadline, stop); ++i) {
            if (forger.send(batch))
                report.forgedLines += countLines(batch);
            pause(100);
        }
    }

    // A flood: thousands of lines a second, chat and forged guesses.
    {
        RawConnection flood(port);
        report.floodSlot = flood.login("Flood");
        if (report.floodSlot != 0) {
            const std::string me = std::to_string(report.floodSlot);
            flood.send(wire("CMD_justwatch+" + me + "+1"));
            std::string batch;
            for (int i = 0; i < 100; ++i) {
                batch += wire("CMD_chat+" + me + "+flood " + std::to_string(i) + "|clRed");
                batch += wire("CMD_checkit+" + std::to_string(victims.front()) + "+1+1+1+1+");
            }
            const auto start = Clock::now();
            const auto floodEnd = start + std::chrono::seconds(3);
            for (int i = 0; i < 500 && Clock::now() < floodEnd && !stop.load(); ++i) {
                if (!flood.send(batch))
                    break;
                report.floodLines += countLines(batch);
            }
            report.floodSeconds = std::chrono::duration<double>(Clock::now() - start).count();
            report.floodClosedByServer = flood.waitClosedByPeer(5000);
        }
    }

    chatterSilently();

    // Megabytes with no terminator.
    {
        RawConnection stream(port);
        const std::string megabyte(1 << 20, 'A');
        for (int i = 0; i < 8 && stream.isOpen() && !pastDeadline(deadline, stop); ++i) {
            if (!stream.send(megabyte))
                break;
            report.streamBytes += megabyte.size();
        }
        report.streamClosedByServer = stream.waitClosedByPeer(5000);
    }

    // Hundreds of connections opened and dropped, some with half a login.
    for (int i = 0; i < 300 && !pastDeadline(deadline, stop); ++i) {
        RawConnection c(port);
        if (!c.isOpen())
            continue;
        ++report.churned;
        if (i % 3 == 0) {
            if (c.nextMessage(1000).rfind("CMD_full", 0) == 0)
                ++report.churnRefused;
            c.send("CMD_logininfo+");
        }
    }

    // Random bytes, terminators included, on connections that never log in.
    for (int i = 0; i < 5 && !pastDeadline(deadline, stop); ++i) {
        RawConnection c(port);
        std::string noise(64 * 1024, '\0');
        for (char &byte : noise)
            byte = static_cast<char>(random() & 0xFF);
        if (c.send(noise))
            report.randomBytes += noise.size();
    }

    // One more round of forgeries, then everyone leaves.
    if (report.forgerSlot != 0 && !stop.load()) {
        const std::string batch = forgedBatch(report.forgerSlot, victims);
        if (forger.send(batch))
            report.forgedLines += countLines(batch);
    }
    // What the connections that never logged in heard after their offer (the
    // server closes them once their time to log in is up).
    for (auto &c : silent) {
        while (!c->nextMessage(200).empty())
            ++report.silentHeard;
    }
    return report;
}

} // namespace kalvex::hostile
