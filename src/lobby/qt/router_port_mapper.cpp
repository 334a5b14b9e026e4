#include "lobby/qt/router_port_mapper.h"

#include "lobby/upnp_gateway.h"

#include <QLoggingCategory>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

Q_LOGGING_CATEGORY(lcRouter, "kalvex.lobby.router", QtWarningMsg)

namespace kalvex {

using Clock = std::chrono::steady_clock;

// The worker thread's side. The mapper and the thread share it, so that a
// thread still waiting for the router when the mapper goes can finish on
// its own.
struct RouterPortMapper::Worker
{
    explicit Worker(std::unique_ptr<RouterSession> session) : session(std::move(session)) {}

    void run();
    // Does what the mapper wants now; called with `lock` held, it lets go
    // of it while the router answers.
    void applyWanted(std::unique_lock<std::mutex> &lock);
    // Renews the forwarding, or tries again to get one; the same locking.
    void renew(std::unique_lock<std::mutex> &lock);
    // Hands an outcome to the mapper's thread; called with `mutex` held.
    void post(quint64 generation, const MappingOutcome &outcome);
    std::optional<Clock::time_point> nextAttempt(const MappingOutcome &outcome) const;

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finishedChanged;
    // Guarded by `mutex`: what the mapper wants, and what was done of it.
    quint16 wantedPort = 0;
    quint64 wantedGeneration = 0;
    quint64 appliedGeneration = 0;
    bool stopping = false;
    bool finished = false;
    RouterPortMapper *receiver = nullptr;
    std::deque<std::pair<quint64, MappingOutcome>> outcomes; // for the receiver

    // The worker thread's alone.
    std::unique_ptr<RouterSession> session;
    MappingOutcome reported;
    std::optional<Clock::time_point> renewal; // none: nothing to renew

    std::thread thread;
};

void RouterPortMapper::Worker::post(quint64 generation, const MappingOutcome &outcome)
{
    reported = outcome;
    if (receiver == nullptr)
        return;
    outcomes.emplace_back(generation, outcome);
    // Dropped unseen when the mapper is gone before its thread runs it.
    QMetaObject::invokeMethod(receiver, "takeOutcomes", Qt::QueuedConnection);
}

std::optional<Clock::time_point>
RouterPortMapper::Worker::nextAttempt(const MappingOutcome &outcome) const
{
    using std::chrono::milliseconds;
    const std::uint32_t lease = session->grantedLease();
    // Renewed at half the lease, so that one late answer does not lose it;
    // after a failure tried again as often, and at least once a minute.
    const milliseconds halfLease(std::uint64_t{lease} * 500);
    const milliseconds retry = std::chrono::seconds(kRetrySeconds);
    if (outcome.mapped)
        return lease == 0 ? std::nullopt : std::optional(Clock::now() + halfLease);
    return Clock::now() + (lease == 0 ? retry : std::min(halfLease, retry));
}

void RouterPortMapper::Worker::run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        if (wantedGeneration != appliedGeneration)
            applyWanted(lock);
        else if (stopping)
            break;
        else if (!renewal)
            wake.wait(lock);
        else if (Clock::now() < *renewal)
            wake.wait_until(lock, *renewal);
        else
            renew(lock);
    }
    finished = true;
    finishedChanged.notify_all();
}

void RouterPortMapper::Worker::applyWanted(std::unique_lock<std::mutex> &lock)
{
    const quint64 generation = wantedGeneration;
    const quint16 port = wantedPort;
    lock.unlock();
    std::optional<MappingOutcome> outcome;
    if (port == 0)
        session->unmap();
    else
        outcome = session->map(port);
    lock.lock();
    appliedGeneration = generation;
    renewal.reset();
    if (outcome) {
        // A first refusal is final: the player asks again by hosting again.
        if (outcome->mapped)
            renewal = nextAttempt(*outcome);
        post(generation, *outcome);
    }
}

void RouterPortMapper::Worker::renew(std::unique_lock<std::mutex> &lock)
{
    const quint64 generation = appliedGeneration;
    const quint16 port = wantedPort;
    lock.unlock();
    const MappingOutcome outcome = session->mappedPort() ? session->renew() : session->map(port);
    lock.lock();
    if (generation != wantedGeneration)
        return; // overtaken by a new request or a release
    renewal = nextAttempt(outcome);
    qCDebug(lcRouter) << "renewal:" << outcome.mapped << outcome.reason.c_str();
    // Only news reach the lobby: lost, back, or a new internet address.
    if (outcome.mapped != reported.mapped || outcome.externalAddress != reported.externalAddress)
        post(generation, outcome);
}

std::unique_ptr<RouterSession> RouterPortMapper::sessionFromEnvironment(std::uint32_t leaseSeconds)
{
    return std::make_unique<RouterSession>(
        std::make_unique<UpnpGateway>(
            qEnvironmentVariable("KALVEX_UPNP_DESCRIPTION_URL").toStdString(), kDiscoveryMs),
        leaseSeconds);
}

RouterPortMapper::RouterPortMapper(std::unique_ptr<RouterSession> session, QObject *parent)
    : PortMapper(parent), worker(std::make_shared<Worker>(std::move(session)))
{
    worker->receiver = this;
    worker->thread = std::thread([shared = worker] { shared->run(); });
}

RouterPortMapper::~RouterPortMapper()
{
    std::unique_lock lock(worker->mutex);
    worker->wantedPort = 0;
    worker->wantedGeneration = ++generation;
    worker->stopping = true;
    worker->receiver = nullptr;
    worker->wake.notify_all();
    const bool done = worker->finishedChanged.wait_for(
        lock, std::chrono::milliseconds(kReleaseWaitMs), [this] { return worker->finished; });
    lock.unlock();
    if (done) {
        worker->thread.join();
    } else {
        // The router is slow to answer: the thread finishes on its own.
        qCWarning(lcRouter) << "the router did not confirm the removal of the forwarding in time";
        worker->thread.detach();
    }
}

void RouterPortMapper::request(quint16 port)
{
    want(port); // port 0 is none: the same as a release
}

void RouterPortMapper::release()
{
    want(0);
}

void RouterPortMapper::want(quint16 port)
{
    const std::lock_guard lock(worker->mutex);
    worker->wantedPort = port;
    worker->wantedGeneration = ++generation;
    worker->wake.notify_all();
}

void RouterPortMapper::takeOutcomes()
{
    std::deque<std::pair<quint64, MappingOutcome>> taken;
    {
        const std::lock_guard lock(worker->mutex);
        taken.swap(worker->outcomes);
    }
    for (const auto &[outcomeGeneration, outcome] : taken) {
        if (outcomeGeneration != generation)
            continue; // answers a request that was released or replaced since
        qCDebug(lcRouter) << "router:" << outcome.mapped << outcome.externalAddress.c_str()
                          << outcome.reason.c_str();
        if (outcome.mapped)
            emit mapped(QString::fromStdString(outcome.externalAddress), outcome.port);
        else
            emit unavailable(QString::fromStdString(outcome.reason));
    }
}

std::unique_ptr<PortMapper> makeRouterPortMapper(QObject *parent)
{
    return std::make_unique<RouterPortMapper>(
        RouterPortMapper::sessionFromEnvironment(RouterPortMapper::kLeaseSeconds), parent);
}

} // namespace kalvex
