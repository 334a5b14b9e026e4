#pragma once
// RouterPortMapper: the PortMapper that asks the home router over UPnP IGD.
// The router's answers take seconds (discovery waits for them, every
// command is an HTTP round trip), so a worker thread of its own talks to the
// router and hands the outcomes to this object's thread.

#include "lobby/qt/port_mapper.h"
#include "lobby/router_session.h"

#include <memory>

namespace kalvex {

class RouterPortMapper final : public PortMapper
{
    Q_OBJECT

public:
    static constexpr std::uint32_t kLeaseSeconds = 3600;
    static constexpr int kDiscoveryMs = 2000;
    // How long destruction waits for the router to drop the forwarding.
    static constexpr int kReleaseWaitMs = 3000;
    // After a renewal failed, the longest wait until the next attempt.
    static constexpr int kRetrySeconds = 60;

    // The router found by discovery, or the one whose root description is
    // at $KALVEX_UPNP_DESCRIPTION_URL when that is set.
    static std::unique_ptr<RouterSession> sessionFromEnvironment(std::uint32_t leaseSeconds);

    explicit RouterPortMapper(std::unique_ptr<RouterSession> session, QObject *parent = nullptr);
    // Removes the forwarding, waiting for the router at most kReleaseWaitMs.
    ~RouterPortMapper() override;

    void request(quint16 port) override;
    void release() override;

private:
    struct Worker;

    // Hands the worker the port to forward now, 0 for none.
    void want(quint16 port);
    // Passes on what the worker has heard from the router since last time.
    Q_INVOKABLE void takeOutcomes();

    std::shared_ptr<Worker> worker;
    quint64 generation = 0;
};

} // namespace kalvex
