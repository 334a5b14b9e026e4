#pragma once
// XmppTlsBridge: gloox's encryption, done by Qt. gloox negotiates STARTTLS
// and then hands every byte to its encryption; this one passes them
// through, because the connection's QSslSocket encrypts and decrypts below
// it, and reports the socket's handshake (with the certificate's faults as
// gloox's CertInfo) so that the room decides whether to go on. The
// certificate is checked against the system's authorities and the XMPP
// domain. (gloox's own GnuTLS encryption loads the whole authority bundle
// for every connection and never frees it.)

#include <gloox/tlsbase.h>

#include <QList>
#include <QSslError>

namespace kalvex {

class XmppSocketConnection;

class XmppTlsBridge : public gloox::TLSBase
{
public:
    // `domain` is the name the certificate must be for.
    XmppTlsBridge(gloox::TLSHandler *handler, XmppSocketConnection *connection,
                  const std::string &domain);

    bool init(const std::string &clientKey = gloox::EmptyString,
              const std::string &clientCerts = gloox::EmptyString,
              const gloox::StringList &cacerts = gloox::StringList()) override;
    bool encrypt(const std::string &data) override;
    int decrypt(const std::string &data) override;
    void cleanup() override;
    bool handshake() override;
    void setCACerts(const gloox::StringList &cacerts) override;
    void setClientCert(const std::string &clientKey, const std::string &clientCerts) override;

    // The socket's handshake: its certificate's faults (none when it
    // finished cleanly). Returns whether the room goes on with it.
    bool handshakeDone(const QList<QSslError> &errors);

    // gloox's certificate status for Qt's faults.
    static int certificateStatus(const QList<QSslError> &errors);

private:
    XmppSocketConnection *link;
    bool reported = false;
};

} // namespace kalvex
