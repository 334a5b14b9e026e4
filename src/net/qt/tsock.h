#pragma once
// TSock: one non-blocking TCP endpoint (listener, accepted connection or
// outgoing connection) whose events arrive on the main thread as calls of
// its On... members, in the order the game's owners rely on.

#include "net/socket_errors.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class QTcpServer;
class QTcpSocket;

namespace kalvex {

// Category of an info text.
enum class TSocketInfo
{
    Lookup,
    Connect,
    Close,
    Listen,
    Receive,
    Send,
    Accept,
    Error
};

class TSock : public QObject
{
    Q_OBJECT

public:
    using NotifyEvent = std::function<void(TSock &sender)>;
    using NotifyReadEvent = std::function<void(TSock &sender, int count)>;
    using NotifyInfoEvent =
        std::function<void(TSock &sender, TSocketInfo category, const QString &text)>;

    explicit TSock(QObject *parent = nullptr);
    ~TSock() override;

    // Handlers. An accepted endpoint is given copies of its listener's
    // OnRead, OnWrite, OnDisconnect and OnInfo. A handler that wants to get
    // rid of its endpoint uses deleteLater(), never delete.
    NotifyReadEvent OnRead;
    NotifyEvent OnDisconnect;
    NotifyInfoEvent OnInfo;
    NotifyEvent OnAccept;
    NotifyEvent OnConnect;
    NotifyEvent OnWrite;

    // Free for the owner (a slot number, say).
    int Tag = 0;
    // Unique for the life of the process; never 0.
    std::uint64_t id() const { return serial; }

    QString HostName() const { return host; }
    void setHostName(const QString &name);
    QString PortName() const { return port; }
    void setPortName(const QString &name);
    bool Listen() const { return listening; }
    // true: bind every local address on PortName and listen; false: stop.
    void setListen(bool on);
    bool Connected() const { return connected; }
    bool hasSocket() const { return stream != nullptr || server != nullptr; }

    // Starts connecting to HostName:PortName; the outcome arrives as events.
    // Returns the connected flag (false for a fresh connection).
    bool Open();
    // Takes one waiting connection of a listener into a new endpoint owned by
    // the listener. Returns whether one was created.
    bool Accept(TSock *&accepted);
    // Queues the bytes and hands everything queued to the network; what it
    // does not take goes out on a later write notification.
    void Send(std::string_view text);
    void Send(const QByteArray &text) { Send(std::string_view(text.constData(), text.size())); }
    // Everything received and not yet taken.
    std::string ReceiveText();
    // Closes the socket; the endpoint stays and may be opened again.
    bool Close();

    // Bytes handed to Send and not yet taken by the network.
    std::size_t pendingSend() const { return sendBuffer.size(); }
    // A peer that stops reading must not make this endpoint hold without
    // limit what is sent to it: past this many unsent bytes the connection
    // is reported as an error (WSAENOBUFS) and closed like a lost one.
    static constexpr std::size_t kDefaultSendLimit = 16 * 1024 * 1024;
    void setSendLimit(std::size_t bytes) { sendLimit = bytes; }
    // The port this listener is bound to (useful with PortName "0").
    quint16 boundPort() const;

private:
    void info(TSocketInfo category, const QString &text);
    void attachStream(QTcpSocket *socket);
    void releaseStream();
    void flushSendBuffer();
    // Hands what the socket holds to the network at once.
    void pushToNetwork();

    // Event handling, each run from a Qt signal and guarded there.
    void readEvent();
    void writeEvent();
    void connectEvent();
    void closeEvent();
    void errorEvent(int code);
    void acceptEvent();
    void onStreamError();
    void checkSendLimit();

    QString host;
    QString port;
    bool listening = false;
    bool connected = false;
    std::string receiveBuffer;
    std::string sendBuffer;
    QTcpSocket *stream = nullptr;
    QTcpServer *server = nullptr;
    std::uint64_t serial;
    std::size_t sendLimit = kDefaultSendLimit;
    bool choking = false;
};

} // namespace kalvex
