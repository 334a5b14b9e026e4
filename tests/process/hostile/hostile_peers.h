#pragma once
// Hostile connections to a game server on 127.0.0.1, made with plain
// blocking sockets from a thread of their own, so that their floods are not
// paced by the test's event loop. Every loop is bounded in count and time.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvex::hostile {

using Clock = std::chrono::steady_clock;

// One TCP connection, closed by the destructor.
class RawConnection
{
public:
    explicit RawConnection(std::uint16_t port);
    ~RawConnection();
    RawConnection(const RawConnection &) = delete;
    RawConnection &operator=(const RawConnection &) = delete;

    bool isOpen() const { return fd >= 0; }
    // Sends everything; false when the connection failed or timed out.
    bool send(std::string_view bytes);
    // The next whole message without its terminator, or "" within the time.
    std::string nextMessage(int ms);
    // Reads the login offer and logs in; the slot, or 0 when refused.
    int login(const std::string &name);
    // Reads and drops whatever arrives until the peer closes; whether it did
    // within the time.
    bool waitClosedByPeer(int ms);
    void close();

private:
    int fd = -1;
    std::string received;
};

// What the hostile connections did and saw.
struct HostileReport
{
    int forgerSlot = 0;
    int forgedLines = 0;
    int floodSlot = 0;
    int floodLines = 0;
    double floodSeconds = 0;
    bool floodClosedByServer = false;
    std::size_t streamBytes = 0;
    bool streamClosedByServer = false;
    int churned = 0;
    int churnRefused = 0;
    int silentHeld = 0;
    // Messages the connections that never logged in received after the offer.
    int silentHeard = 0;
    std::size_t randomBytes = 0;
};

// Runs every kind of hostile traffic in turn against the server, naming the
// given slots (the honest players) in forged lines. Ends within about
// `budget`, or earlier when `stop` is set.
HostileReport runHostileTraffic(std::uint16_t port, const std::vector<int> &victims,
                                std::chrono::seconds budget, const std::atomic<bool> &stop);

} // namespace kalvex::hostile
