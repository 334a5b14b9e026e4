#pragma once
// A loopback TCP port that nothing listens on at the moment of asking.

#include <QHostAddress>
#include <QTcpServer>

namespace kalvex::test {

inline quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace kalvex::test
