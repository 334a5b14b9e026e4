#include "lobby/upnp_gateway.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>

#include <array>
#include <cstdlib>
#include <string>

namespace kalvex {

namespace {

constexpr const char *kProtocol = "TCP";
constexpr const char *kDescription = "Kalvex game";
// The hops SSDP's multicast search may take: the router is the next one.
constexpr unsigned char kDiscoveryTtl = 2;

} // namespace

struct UpnpGateway::Device
{
    UPNPUrls urls{};
    IGDdatas data{};

    ~Device() { FreeUPNPUrls(&urls); }
    const char *control() const { return urls.controlURL; }
    const char *service() const { return data.first.servicetype; }
};

UpnpGateway::UpnpGateway(std::string descriptionUrl, int discoveryMs)
    : descriptionUrl(std::move(descriptionUrl)), discoveryMs(discoveryMs)
{}

UpnpGateway::~UpnpGateway() = default;

void UpnpGateway::forget()
{
    device.reset();
    lan.clear();
}

RouterSearch UpnpGateway::find()
{
    forget();
    auto found = std::make_unique<Device>();
    std::array<char, 64> lanAddress{};
    int status = 0;
    if (!descriptionUrl.empty()) {
        // Fills the URLs whenever a description came, IGD or not.
        status = UPNP_GetIGDFromUrl(descriptionUrl.c_str(), &found->urls, &found->data,
                                    lanAddress.data(), static_cast<int>(lanAddress.size()));
    } else {
        int error = 0;
        UPNPDev *devices = upnpDiscover(discoveryMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0,
                                        kDiscoveryTtl, &error);
        if (devices != nullptr) {
            // 1 connected IGD, 2 IGD not connected, 3 some other UPnP device.
            status = UPNP_GetValidIGD(devices, &found->urls, &found->data, lanAddress.data(),
                                      static_cast<int>(lanAddress.size()));
            freeUPNPDevlist(devices);
        }
    }
    if (status == 0)
        found->urls = UPNPUrls{}; // nothing was allocated
    const bool usable = (status == 1 || status == 2) && found->control() != nullptr &&
                        found->control()[0] != '\0' && found->service()[0] != '\0';
    if (!usable)
        return RouterSearch::NoneAnswered;
    device = std::move(found);
    lan = lanAddress.data();
    return status == 1 ? RouterSearch::Connected : RouterSearch::NotConnected;
}

int UpnpGateway::externalAddress(std::string &address)
{
    if (!device)
        return UPNPCOMMAND_UNKNOWN_ERROR;
    std::array<char, 64> text{}; // the library writes at most 16 bytes
    const int result = UPNP_GetExternalIPAddress(device->control(), device->service(), text.data());
    address = result == UPNPCOMMAND_SUCCESS ? std::string(text.data()) : std::string();
    return result;
}

int UpnpGateway::addMapping(std::uint16_t port, const std::string &internalClient,
                            std::uint32_t leaseSeconds)
{
    if (!device)
        return UPNPCOMMAND_UNKNOWN_ERROR;
    const std::string portText = std::to_string(port);
    const std::string leaseText = std::to_string(leaseSeconds);
    return UPNP_AddPortMapping(device->control(), device->service(), portText.c_str(),
                               portText.c_str(), internalClient.c_str(), kDescription, kProtocol,
                               nullptr, leaseText.c_str());
}

int UpnpGateway::deleteMapping(std::uint16_t port)
{
    if (!device)
        return UPNPCOMMAND_UNKNOWN_ERROR;
    const std::string portText = std::to_string(port);
    return UPNP_DeletePortMapping(device->control(), device->service(), portText.c_str(), kProtocol,
                                  nullptr);
}

std::optional<RouterMapping> UpnpGateway::mapping(std::uint16_t port)
{
    if (!device)
        return std::nullopt;
    const std::string portText = std::to_string(port);
    // Sizes the library documents: 16 for the client and port, 80 and 16
    // for the rest.
    std::array<char, 64> client{}, internalPort{}, enabled{}, lease{};
    std::array<char, 96> description{};
    const int result = UPNP_GetSpecificPortMappingEntry(
        device->control(), device->service(), portText.c_str(), kProtocol, nullptr, client.data(),
        internalPort.data(), description.data(), enabled.data(), lease.data());
    if (result != UPNPCOMMAND_SUCCESS)
        return std::nullopt;
    RouterMapping found;
    found.internalClient = client.data();
    found.leaseSeconds = static_cast<std::uint32_t>(std::strtoul(lease.data(), nullptr, 10));
    return found;
}

} // namespace kalvex
