#pragma once
// Keeps one running instance per user. The first instance holds a lock
// file and listens on a local socket beside it, both in the runtime
// directory; a later instance finds the lock taken, asks the first through
// the socket to bring its window forward, and ends.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace kalvex {

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // name: the guard's name, the same for every instance of the program.
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another instance runs; it has then been asked to come
    // forward. False for the first instance, and also when the guard cannot
    // be set up at all: the program then runs as a first instance.
    bool anotherInstanceRuns();

signals:
    // A later instance asked this one to bring its window forward.
    void raiseRequested();

private:
    void startListening();
    void acceptRequests();

    QString lockPath;
    QString socketPath;
    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
};

// A lock held for the process's life, so that other programs of the same
// maker can see that a game runs. Nothing in this program tests it.
class RunningMarker
{
public:
    explicit RunningMarker(const QString &name);

private:
    std::unique_ptr<QLockFile> lock;
};

} // namespace kalvex
