#pragma once
// RouterSession: keeps one forwarding of the game's TCP port on the home
// router and says, in a player's words, why there is none. Blocking: it
// waits for the router on every call.

#include "lobby/router_gateway.h"
#include "net/shown_text.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kalvex {

struct MappingOutcome
{
    bool mapped = false;
    std::string externalAddress; // when mapped
    std::uint16_t port = 0;
    std::string reason; // when not mapped
};

class RouterSession
{
public:
    RouterSession(std::unique_ptr<RouterGateway> gateway, std::uint32_t leaseSeconds);

    // Finds the router when none is known yet, learns its internet address
    // and forwards `port` there to this machine.
    MappingOutcome map(std::uint16_t port);
    // Asks again for the forwarding in place, which starts its lease anew;
    // looks for the router again once when it has stopped answering.
    MappingOutcome renew();
    // Removes the forwarding in place, if any.
    void unmap();

    std::optional<std::uint16_t> mappedPort() const { return port; }
    // The lease the router granted: 0 when it only forwards for good.
    std::uint32_t grantedLease() const { return lease; }

private:
    MappingOutcome mapOnKnownRouter(std::uint16_t wanted);
    int addMapping(std::uint16_t wanted);
    MappingOutcome failure(std::string reason);

    std::unique_ptr<RouterGateway> gateway;
    const std::uint32_t requestedLease;
    std::uint32_t lease = 0;
    bool routerKnown = false;
    std::optional<std::uint16_t> port;
};

// The texts a player sees when the router cannot forward the port, in his
// language (the English one is looked up under "RouterSession").
inline constexpr const char *kNoRouterText =
    QT_TRANSLATE_NOOP("RouterSession", "No router answered (UPnP is off or not supported)");
std::string routerRefusalText(std::uint16_t port, int code);
// True for an IPv4 address that players elsewhere on the internet can reach
// (not private, shared, loop-back, link-local, reserved or unspecified).
bool isPublicIPv4(const std::string &address);

} // namespace kalvex
