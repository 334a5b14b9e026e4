#pragma once
// A game client as the server sees it: one TCP connection that sends raw
// bytes and reads back whole messages, waiting on the event loop.

#include "wire_bytes.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>

#include <algorithm>
#include <string>

namespace kalvex::test {

class WirePeer
{
public:
    explicit WirePeer(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = socket.readAll();
            received.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        });
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    }

    void send(const std::string &bytes)
    {
        socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
        socket.flush();
    }

    // The next whole message with its terminator, or a note of what is there.
    std::string next(int ms = 5000)
    {
        (void)QTest::qWaitFor([this] { return received.find('\xFF') != std::string::npos; }, ms);
        const auto end = received.find('\xFF');
        if (end == std::string::npos)
            return "<no message within " + std::to_string(ms) + " ms; have '" + received + "'>";
        std::string message = received.substr(0, end + 1);
        received.erase(0, end + 1);
        return message;
    }

    // The next whole message that starts with prefix; the others before it
    // are passed over.
    std::string nextStartingWith(const std::string &prefix, int ms = 5000)
    {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            const int left = ms - static_cast<int>(waited.elapsed());
            std::string message = next(std::max(left, 0));
            if (message.rfind(prefix, 0) == 0 || message.rfind("<no message", 0) == 0)
                return message;
        }
    }

    // Everything that arrives within the time.
    std::string drain(int ms = 300)
    {
        QTest::qWait(ms);
        return std::exchange(received, {});
    }

    bool waitClosed(int ms = 5000)
    {
        return QTest::qWaitFor(
            [this] { return socket.state() == QAbstractSocket::UnconnectedState; }, ms);
    }

    bool isOpen() const { return socket.state() == QAbstractSocket::ConnectedState; }
    void leave() { socket.disconnectFromHost(); }

    // Reads the slot the server offers and logs in with it; returns the slot,
    // or 0 when the offer did not come.
    int login(const std::string &name, const std::string &version = "1.0.5")
    {
        const std::string offer = next();
        const std::string prefix = "CMD_sendlogininfo+";
        if (offer.rfind(prefix, 0) != 0)
            return 0;
        const std::string slot = offer.substr(prefix.size(), offer.size() - prefix.size() - 1);
        send("CMD_logininfo+" + slot + "+" + version + "+" + name + "\xFF\xFF");
        return std::stoi(slot);
    }

private:
    QTcpSocket socket;
    std::string received;
};

} // namespace kalvex::test
