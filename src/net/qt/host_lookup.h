#pragma once
// Turns the host and port texts of an endpoint into an address and a port
// number, with a process-wide cache of resolved host names.

#include <QHostAddress>
#include <QString>

namespace kalvex {

// A text starting with a digit is a decimal port number, anything else a
// service name of the system's service database. Throws ESockException
// ("Port Lookup - ...") for an unknown service or a number out of range,
// ConvertError for digits followed by other characters.
quint16 lookupPort(const QString &text);

// A text starting with a digit is a dotted address; empty is the
// any-address; a name is looked up once per process and its first address
// (IPv4 first) kept. Throws ESockException ("Host Lookup - ...").
QHostAddress lookupHost(const QString &text);

} // namespace kalvex
