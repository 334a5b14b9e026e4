#include "net/qt/host_lookup.h"

#include "net/message.h"
#include "net/qt/net_log.h"
#include "net/socket_errors.h"

#include <QHash>
#include <QHostInfo>

#include <netdb.h>
#include <netinet/in.h>

Q_LOGGING_CATEGORY(lcNet, "kalvex.net", QtWarningMsg)

namespace kalvex {

namespace {

// Lives until the program ends; only the main thread uses it.
QHash<QString, QHostAddress> &nameCache()
{
    static QHash<QString, QHostAddress> cache;
    return cache;
}

bool startsWithDigit(const QString &text)
{
    return !text.isEmpty() && text.front().isDigit();
}

} // namespace

quint16 lookupPort(const QString &text)
{
    if (startsWithDigit(text)) {
        const int number = strToInt(text.toStdString());
        if (number < 0 || number > 65535)
            throw ESockException(socktext::kPortLookup);
        return static_cast<quint16>(number);
    }
    const QByteArray name = text.toLocal8Bit();
    const servent *entry = name.isEmpty() ? nullptr : getservbyname(name.constData(), "tcp");
    if (entry == nullptr)
        throw ESockException(socktext::kPortLookup);
    return ntohs(static_cast<uint16_t>(entry->s_port));
}

QHostAddress lookupHost(const QString &text)
{
    if (text.isEmpty())
        return QHostAddress(QHostAddress::AnyIPv4);
    if (startsWithDigit(text)) {
        QHostAddress address;
        if (!address.setAddress(text))
            throw ESockException(socktext::kHostLookup);
        return address;
    }
    auto &cache = nameCache();
    const auto known = cache.constFind(text);
    if (known != cache.constEnd())
        return *known;
    const QHostInfo found = QHostInfo::fromName(text);
    QHostAddress chosen;
    for (const QHostAddress &address : found.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            chosen = address;
            break;
        }
    }
    if (chosen.isNull() && !found.addresses().isEmpty())
        chosen = found.addresses().front();
    if (chosen.isNull())
        throw ESockException(socktext::kHostLookup);
    qCDebug(lcNet) << "resolved" << text << "to" << chosen;
    cache.insert(text, chosen);
    return chosen;
}

} // namespace kalvex
