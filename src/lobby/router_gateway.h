#pragma once
// RouterGateway: what the lobby asks of the home router to open the game's
// port. Every call may block (network round trips), so callers keep it off
// the thread that draws windows.

#include <cstdint>
#include <optional>
#include <string>

namespace kalvex {

enum class RouterSearch
{
    Connected,    // a router answered and says it is on the internet
    NotConnected, // a router answered but has no internet connection
    NoneAnswered,
};

struct RouterMapping
{
    std::string internalClient;
    std::uint32_t leaseSeconds = 0; // what is left of it; 0 when permanent
};

class RouterGateway
{
public:
    virtual ~RouterGateway() = default;

    // Looks for the router; forgets any router found before.
    virtual RouterSearch find() = 0;
    // This machine's address on the router's network, as the router sees it.
    virtual std::string lanAddress() const = 0;

    // The calls below answer 0 on success, a positive error code of the
    // router's, or a negative number when no valid answer came.
    virtual int externalAddress(std::string &address) = 0;
    // TCP, the same port outside and inside, to `internalClient`; a lease of
    // 0 seconds is permanent.
    virtual int addMapping(std::uint16_t port, const std::string &internalClient,
                           std::uint32_t leaseSeconds) = 0;
    virtual int deleteMapping(std::uint16_t port) = 0;
    // Where TCP `port` is forwarded to, if it is forwarded.
    virtual std::optional<RouterMapping> mapping(std::uint16_t port) = 0;
};

// Router error codes the lobby acts on.
inline constexpr int kRouterNotAuthorized = 606;
inline constexpr int kRouterConflictInMappingEntry = 718;
inline constexpr int kRouterOnlyPermanentLeases = 725;
inline constexpr int kRouterNoPortMapsAvailable = 728;
inline constexpr int kRouterConflictWithOtherMechanisms = 729;

} // namespace kalvex
