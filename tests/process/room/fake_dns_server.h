#pragma once
// A name server that knows a few names, for a test inside a network
// namespace of its own: SRV and A records as given, no AAAA records, and
// "no such name" for everything else. UDP only, one question per query.

#include <QHostAddress>
#include <QUdpSocket>

#include <map>
#include <string>
#include <vector>

namespace kalvex::testing {

class FakeDnsServer
{
public:
    struct Service
    {
        quint16 priority = 0;
        quint16 port = 0;
        std::string target;
    };

    explicit FakeDnsServer(const QHostAddress &address)
    {
        listening = socket.bind(address, 53);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] { answerAll(); });
    }

    bool running() const { return listening; }
    void addService(const std::string &name, const Service &service)
    {
        services[name].push_back(service);
    }
    void addAddress(const std::string &name, const QHostAddress &address)
    {
        addresses[name] = address.toIPv4Address();
    }
    // The names asked for, each with its type ("SRV _xmpp-client._tcp.x").
    const std::vector<std::string> &questions() const { return asked; }

private:
    static constexpr quint16 kTypeA = 1;
    static constexpr quint16 kTypeSrv = 33;

    static void put16(std::string &out, quint16 value)
    {
        out += char(value >> 8);
        out += char(value & 0xFF);
    }
    static void put32(std::string &out, quint32 value)
    {
        put16(out, quint16(value >> 16));
        put16(out, quint16(value & 0xFFFF));
    }
    static std::string encodedName(const std::string &name)
    {
        std::string out;
        std::size_t start = 0;
        while (start < name.size()) {
            std::size_t dot = name.find('.', start);
            if (dot == std::string::npos)
                dot = name.size();
            out += char(dot - start);
            out += name.substr(start, dot - start);
            start = dot + 1;
        }
        return out + '\0';
    }

    void answerAll()
    {
        while (socket.hasPendingDatagrams()) {
            QHostAddress from;
            quint16 fromPort = 0;
            QByteArray query(int(socket.pendingDatagramSize()), '\0');
            socket.readDatagram(query.data(), query.size(), &from, &fromPort);
            const std::string reply = answer(query.toStdString());
            if (!reply.empty())
                socket.writeDatagram(reply.data(), qint64(reply.size()), from, fromPort);
        }
    }

    std::string answer(const std::string &query)
    {
        if (query.size() < 12)
            return {};
        std::string name;
        std::size_t at = 12;
        while (at < query.size() && query[at] != 0) {
            const std::size_t length = static_cast<unsigned char>(query[at]);
            if (length > 63 || at + 1 + length > query.size())
                return {};
            if (!name.empty())
                name += '.';
            name += query.substr(at + 1, length);
            at += 1 + length;
        }
        if (at + 5 > query.size())
            return {};
        const quint16 type = quint16((static_cast<unsigned char>(query[at + 1]) << 8) |
                                     static_cast<unsigned char>(query[at + 2]));
        const std::size_t questionEnd = at + 5;
        asked.push_back((type == kTypeSrv ? "SRV " : type == kTypeA ? "A " : "other ") + name);

        std::vector<std::string> records;
        bool known = false;
        if (const auto found = services.find(name); found != services.end()) {
            known = true;
            for (const Service &service :
                 type == kTypeSrv ? found->second : std::vector<Service>()) {
                std::string data;
                put16(data, service.priority);
                put16(data, 0);
                put16(data, service.port);
                data += encodedName(service.target);
                records.push_back(data);
            }
        }
        if (const auto found = addresses.find(name); found != addresses.end()) {
            known = true;
            if (type == kTypeA) {
                std::string data;
                put32(data, found->second);
                records.push_back(data);
            }
        }

        std::string reply = query.substr(0, 2);
        // A response, authoritative, recursion as asked and available;
        // "no such name" for names it does not know.
        put16(reply, quint16(0x8480 | (static_cast<unsigned char>(query[2]) & 0x01) << 8 |
                             (known ? 0 : 3)));
        put16(reply, 1);
        put16(reply, quint16(records.size()));
        put16(reply, 0);
        put16(reply, 0);
        reply += query.substr(12, questionEnd - 12);
        for (const std::string &data : records) {
            put16(reply, 0xC00C);
            put16(reply, type);
            put16(reply, 1);
            put32(reply, 60);
            put16(reply, quint16(data.size()));
            reply += data;
        }
        return reply;
    }

    QUdpSocket socket;
    bool listening = false;
    std::map<std::string, std::vector<Service>> services;
    std::map<std::string, quint32> addresses;
    std::vector<std::string> asked;
};

} // namespace kalvex::testing
