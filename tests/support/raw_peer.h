#pragma once
// A loopback peer read and closed without an event loop: what it can read at
// a moment is exactly what the program under test had put on the wire by
// then.

#include <QtGlobal>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <string>

namespace kalvex::test {

class RawPeer
{
public:
    RawPeer()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(listener, 1);
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
        port = ntohs(address.sin_port);
    }
    ~RawPeer()
    {
        if (peer >= 0)
            ::close(peer);
        ::close(listener);
    }
    RawPeer(const RawPeer &) = delete;
    RawPeer &operator=(const RawPeer &) = delete;

    // Takes the program's connection (blocks until it has connected).
    void accept() { peer = ::accept(listener, nullptr, nullptr); }
    // What has arrived so far, without waiting.
    std::string arrived() const
    {
        std::string bytes;
        char buffer[4096];
        for (ssize_t n; (n = ::recv(peer, buffer, sizeof buffer, MSG_DONTWAIT)) > 0;)
            bytes.append(buffer, static_cast<std::size_t>(n));
        return bytes;
    }
    // Closes with a reset: the program's next write fails.
    void reset()
    {
        const linger abrupt{1, 0};
        ::setsockopt(peer, SOL_SOCKET, SO_LINGER, &abrupt, sizeof abrupt);
        ::close(peer);
        peer = -1;
    }

    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int peer = -1;
    quint16 port = 0;
};

} // namespace kalvex::test
