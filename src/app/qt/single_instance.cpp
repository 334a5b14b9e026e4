#include "app/qt/single_instance.h"

#include "app/qt/app_log.h"
#include "app/qt/file_places.h"

#include <QDir>
#include <QLocalSocket>

Q_LOGGING_CATEGORY(lcApp, "kalvex.app", QtWarningMsg)

namespace kalvex {

namespace {

constexpr int kWaitMs = 2000;
const QByteArray kRaiseRequest = "raise\n";

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent)
{
    const QDir runtime(runtimeDirectory());
    lockPath = runtime.filePath(QStringLiteral("kalvex-%1.lock").arg(name));
    socketPath = runtime.filePath(QStringLiteral("kalvex-%1.socket").arg(name));
    connect(&server, &QLocalServer::newConnection, this, &SingleInstance::acceptRequests);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherInstanceRuns()
{
    const QString directory = runtimeDirectory();
    if (directory.isEmpty() || !QDir().mkpath(directory))
        return false;
    lock = std::make_unique<QLockFile>(lockPath);
    // Only a lock whose process has died counts as stale, never an old one.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        startListening();
        return false;
    }
    if (lock->error() != QLockFile::LockFailedError) {
        qCWarning(lcApp) << "single-instance guard unusable:" << lockPath;
        lock.reset();
        return false;
    }
    QLocalSocket peer;
    peer.connectToServer(socketPath);
    if (peer.waitForConnected(kWaitMs)) {
        peer.write(kRaiseRequest);
        peer.waitForBytesWritten(kWaitMs);
        peer.disconnectFromServer();
    } else {
        qCWarning(lcApp) << "running instance did not answer:" << peer.errorString();
    }
    return true;
}

void SingleInstance::startListening()
{
    QLocalServer::removeServer(socketPath);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server.listen(socketPath))
        qCWarning(lcApp) << "cannot listen for later instances:" << server.errorString();
}

void SingleInstance::acceptRequests()
{
    while (QLocalSocket *peer = server.nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
            const QByteArray request = peer->readAll();
            if (request.contains("raise"))
                emit raiseRequested();
        });
    }
}

RunningMarker::RunningMarker(const QString &name)
{
    // Without a runtime directory there is no place for it; nothing relies on it.
    const QString directory = runtimeDirectory();
    if (directory.isEmpty() || !QDir().mkpath(directory))
        return;
    lock = std::make_unique<QLockFile>(QDir(directory).filePath(name + QStringLiteral(".running")));
    lock->setStaleLockTime(0);
    lock->tryLock(0);
}

} // namespace kalvex
