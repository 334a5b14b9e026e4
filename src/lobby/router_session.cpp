#include "lobby/router_session.h"

#include "net/shown_text.h"

#include <array>
#include <cstdio>
#include <utility>

namespace kalvex {

namespace {

std::string notConnectedText()
{
    return translate("RouterSession", "The router answered but is not connected to the internet, "
                                      "so players outside cannot reach this game");
}

std::string stoppedAnsweringText()
{
    return translate("RouterSession", "The router stopped answering (UPnP)");
}

std::string noInternetAddressText(const std::string &address)
{
    if (address.empty() || address == "0.0.0.0")
        return translate("RouterSession",
                         "The router has no public internet address (it may sit behind another "
                         "router), so players outside cannot reach this game");
    return withArgs(translate("RouterSession",
                              "The router's internet address %1 is itself a private one: this "
                              "network sits behind another router (the provider's), so players "
                              "outside cannot reach this game"),
                    {address});
}

std::string refusalReason(int code)
{
    switch (code) {
    case kRouterNotAuthorized:
        return translate("RouterSession",
                         "it does not let this machine open that port (action not authorized)");
    case kRouterConflictInMappingEntry:
        return translate("RouterSession", "it already forwards that port to another machine "
                                          "(conflict with another mapping)");
    case kRouterNoPortMapsAvailable:
        return translate("RouterSession", "its table of forwarded ports is full");
    case kRouterConflictWithOtherMechanisms:
        return translate("RouterSession",
                         "it conflicts with a forwarding set up another way on the router");
    case 716: // WildCardNotPermittedInExtPort
        return translate("RouterSession", "it does not accept that port (wildcard not permitted)");
    case 724: // SamePortValuesRequired
        return translate("RouterSession", "it needs the same port outside and inside");
    case 727: // ExternalPortOnlySupportsWildcard
        return translate("RouterSession", "it only forwards ports it chooses itself");
    case 501: // ActionFailed
        return translate("RouterSession", "the action failed on the router");
    default:
        return withArgs(translate("RouterSession", "error %1"), {std::to_string(code)});
    }
}

// Address blocks the internet does not route to a home.
constexpr std::pair<std::uint32_t, int> kUnreachableBlocks[] = {
    {0x00000000, 8},  // "this" network
    {0x0a000000, 8},  // private
    {0x64400000, 10}, // shared by a provider's NAT
    {0x7f000000, 8},  // loop-back
    {0xa9fe0000, 16}, // link-local
    {0xac100000, 12}, // private
    {0xc0000000, 24}, // protocol assignments
    {0xc0000200, 24}, // documentation
    {0xc0a80000, 16}, // private
    {0xc6120000, 15}, // benchmarking
    {0xc6336400, 24}, // documentation
    {0xcb007100, 24}, // documentation
    {0xe0000000, 3},  // multicast and reserved
};

std::optional<std::array<unsigned, 4>> ipv4Parts(const std::string &text)
{
    if (text.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    std::array<unsigned, 4> part{};
    char tail = 0;
    if (std::sscanf(text.c_str(), "%3u.%3u.%3u.%3u%c", &part[0], &part[1], &part[2], &part[3],
                    &tail) != 4)
        return std::nullopt;
    for (unsigned value : part)
        if (value > 255)
            return std::nullopt;
    return part;
}

} // namespace

std::string routerRefusalText(std::uint16_t port, int code)
{
    if (code < 0)
        return stoppedAnsweringText();
    return withArgs(translate("RouterSession", "The router refused to forward TCP port %1: %2"),
                    {std::to_string(port), refusalReason(code)});
}

bool isPublicIPv4(const std::string &address)
{
    const auto part = ipv4Parts(address);
    if (!part)
        return false;
    const std::uint32_t value = (*part)[0] << 24 | (*part)[1] << 16 | (*part)[2] << 8 | (*part)[3];
    for (const auto &[network, prefix] : kUnreachableBlocks)
        if ((value ^ network) >> (32 - prefix) == 0)
            return false;
    return true;
}

RouterSession::RouterSession(std::unique_ptr<RouterGateway> gateway, std::uint32_t leaseSeconds)
    : gateway(std::move(gateway)), requestedLease(leaseSeconds), lease(leaseSeconds)
{}

MappingOutcome RouterSession::failure(std::string reason)
{
    MappingOutcome outcome;
    outcome.reason = std::move(reason);
    return outcome;
}

MappingOutcome RouterSession::map(std::uint16_t wanted)
{
    if (port && *port != wanted)
        unmap();
    if (port)
        return renew(); // asked again for what is in place: no gap in the forwarding
    if (!routerKnown) {
        const RouterSearch search = gateway->find();
        if (search == RouterSearch::NoneAnswered)
            return failure(translate("RouterSession", kNoRouterText));
        if (search == RouterSearch::NotConnected)
            return failure(notConnectedText());
        routerKnown = true;
        lease = requestedLease;
    }
    MappingOutcome outcome = mapOnKnownRouter(wanted);
    if (!outcome.mapped)
        routerKnown = false; // the next request looks for the router anew
    return outcome;
}

MappingOutcome RouterSession::mapOnKnownRouter(std::uint16_t wanted)
{
    // The internet address first: a forwarding behind a second NAT is of no
    // use to anyone, so none is made.
    std::string external;
    const int addressResult = gateway->externalAddress(external);
    if (addressResult != 0)
        return failure(addressResult < 0
                           ? stoppedAnsweringText()
                           : translate("RouterSession",
                                       "The router did not tell its internet address, so "
                                       "players outside cannot be told where to connect"));
    if (!isPublicIPv4(external))
        return failure(noInternetAddressText(external));

    int result = addMapping(wanted);
    if (result == kRouterConflictInMappingEntry) {
        // Often our own forwarding left over from a run that ended without
        // removing it; routers that do not simply renew it say "conflict".
        const auto existing = gateway->mapping(wanted);
        if (existing && existing->internalClient == gateway->lanAddress()) {
            gateway->deleteMapping(wanted);
            result = addMapping(wanted);
        }
    }
    if (result != 0)
        return failure(routerRefusalText(wanted, result));
    port = wanted;
    MappingOutcome outcome;
    outcome.mapped = true;
    outcome.externalAddress = external;
    outcome.port = wanted;
    return outcome;
}

int RouterSession::addMapping(std::uint16_t wanted)
{
    int result = gateway->addMapping(wanted, gateway->lanAddress(), lease);
    if (result == kRouterOnlyPermanentLeases && lease != 0) {
        lease = 0; // permanent: removed by unmap(), never left to expire
        result = gateway->addMapping(wanted, gateway->lanAddress(), lease);
    }
    return result;
}

MappingOutcome RouterSession::renew()
{
    if (!port)
        return failure(translate("RouterSession", kNoRouterText));
    const std::uint16_t wanted = *port;
    MappingOutcome outcome = mapOnKnownRouter(wanted);
    if (!outcome.mapped) {
        unmap();
        routerKnown = false;
        // The router may have restarted, or the machine moved: look again.
        outcome = map(wanted);
    }
    return outcome;
}

void RouterSession::unmap()
{
    if (!port)
        return;
    gateway->deleteMapping(*port);
    port.reset();
}

} // namespace kalvex
