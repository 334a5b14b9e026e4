#include "lobby/qt/xmpp_tls_bridge.h"

#include "lobby/qt/xmpp_socket_connection.h"

#include <gloox/tlshandler.h>

namespace kalvex {

XmppTlsBridge::XmppTlsBridge(gloox::TLSHandler *handler, XmppSocketConnection *connection,
                             const std::string &domain)
    : gloox::TLSBase(handler, domain), link(connection)
{
    m_valid = true;
}

bool XmppTlsBridge::init(const std::string &, const std::string &, const gloox::StringList &)
{
    m_valid = true;
    return true;
}

bool XmppTlsBridge::encrypt(const std::string &data)
{
    if (m_handler)
        m_handler->handleEncryptedData(this, data);
    return true;
}

int XmppTlsBridge::decrypt(const std::string &data)
{
    if (m_handler)
        m_handler->handleDecryptedData(this, data);
    return int(data.size());
}

void XmppTlsBridge::cleanup()
{
    m_secure = false;
    reported = false;
}

bool XmppTlsBridge::handshake()
{
    reported = false;
    if (link->startEncryption(this, m_server))
        return true;
    m_certInfo = gloox::CertInfo();
    m_certInfo.status = gloox::CertInvalid;
    if (m_handler)
        m_handler->handleHandshakeResult(this, false, m_certInfo);
    return false;
}

void XmppTlsBridge::setCACerts(const gloox::StringList &cacerts)
{
    m_cacerts = cacerts;
}

void XmppTlsBridge::setClientCert(const std::string &clientKey, const std::string &clientCerts)
{
    m_clientKey = clientKey;
    m_clientCerts = clientCerts;
}

bool XmppTlsBridge::handshakeDone(const QList<QSslError> &errors)
{
    if (reported)
        return true;
    reported = true;
    m_certInfo = gloox::CertInfo();
    m_certInfo.status = certificateStatus(errors);
    m_certInfo.chain = m_certInfo.status == gloox::CertOk;
    m_certInfo.server = m_server;
    m_secure = true;
    if (m_handler)
        m_handler->handleHandshakeResult(this, true, m_certInfo);
    // gloox closed the connection when the room refused the certificate.
    return link->state() == gloox::StateConnected;
}

int XmppTlsBridge::certificateStatus(const QList<QSslError> &errors)
{
    int status = gloox::CertOk;
    for (const QSslError &error : errors) {
        switch (error.error()) {
        case QSslError::HostNameMismatch:
            status |= gloox::CertWrongPeer;
            break;
        case QSslError::UnableToGetIssuerCertificate:
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::UnableToVerifyFirstCertificate:
        case QSslError::SelfSignedCertificate:
        case QSslError::SelfSignedCertificateInChain:
        case QSslError::CertificateUntrusted:
            status |= gloox::CertSignerUnknown;
            break;
        case QSslError::InvalidCaCertificate:
        case QSslError::PathLengthExceeded:
            status |= gloox::CertSignerNotCa;
            break;
        case QSslError::CertificateExpired:
            status |= gloox::CertExpired;
            break;
        case QSslError::CertificateNotYetValid:
            status |= gloox::CertNotActive;
            break;
        case QSslError::CertificateRevoked:
            status |= gloox::CertRevoked;
            break;
        default:
            status |= gloox::CertInvalid;
            break;
        }
    }
    return status;
}

} // namespace kalvex
