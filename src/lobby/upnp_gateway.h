#pragma once
// UpnpGateway: the router reached through UPnP IGD (libminiupnpc), found by
// SSDP discovery on the local network or read from a known root description
// URL.

#include "lobby/router_gateway.h"

#include <memory>

namespace kalvex {

class UpnpGateway final : public RouterGateway
{
public:
    // With an empty `descriptionUrl` the router is searched for, waiting up
    // to `discoveryMs` for answers; else the description there is used and
    // nothing is sent to the network at large.
    UpnpGateway(std::string descriptionUrl, int discoveryMs);
    ~UpnpGateway() override;
    UpnpGateway(const UpnpGateway &) = delete;
    UpnpGateway &operator=(const UpnpGateway &) = delete;

    RouterSearch find() override;
    std::string lanAddress() const override { return lan; }
    int externalAddress(std::string &address) override;
    int addMapping(std::uint16_t port, const std::string &internalClient,
                   std::uint32_t leaseSeconds) override;
    int deleteMapping(std::uint16_t port) override;
    std::optional<RouterMapping> mapping(std::uint16_t port) override;

private:
    struct Device;

    void forget();

    const std::string descriptionUrl;
    const int discoveryMs;
    std::unique_ptr<Device> device; // set while a router is known
    std::string lan;
};

} // namespace kalvex
