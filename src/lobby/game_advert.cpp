#include "lobby/game_advert.h"

#include "lobby/game_address.h"
#include "lobby/player_name.h"

#include <algorithm>
#include <array>

namespace kalvex {

namespace {

constexpr std::string_view kVersionKey = "v";
constexpr std::string_view kHostKey = "host";
constexpr std::string_view kAddressKey = "address";
constexpr std::string_view kPortKey = "port";
constexpr std::string_view kSeatedKey = "seated";
constexpr std::string_view kStateKey = "state";
constexpr std::string_view kProgramKey = "program";
constexpr std::string_view kWaiting = "waiting";
constexpr std::string_view kRunning = "running";

// A decimal number as the writer writes it: digits only, no leading zero.
std::optional<int> canonicalNumber(std::string_view text, int low, int high)
{
    if (text.empty() || text.size() > 5 || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

// Text an XML document can carry: well-formed UTF-8 of characters XML
// allows (an XML writer drops or refuses anything else).
bool xmlText(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            if (lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r')
                return false;
            ++at;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (at + length > text.size())
            return false;
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < shortest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
            code == 0xFFFE || code == 0xFFFF)
            return false;
        at += length;
    }
    return true;
}

bool validAddress(std::string_view address)
{
    if (address.size() > kMaxAdvertAddressBytes)
        return false;
    // A bare host or address: the typed-address reader must take it whole,
    // with no port, brackets or blanks around it.
    const std::optional<GameAddress> parsed = parseGameAddress(address);
    return parsed && parsed->host == address && parsed->port == kDefaultGamePort;
}

bool validProgram(std::string_view program)
{
    return !program.empty() && program.size() <= kMaxAdvertProgramBytes &&
           std::none_of(program.begin(), program.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte < 0x20 || byte == 0x7F || byte == 0xFF;
           });
}

} // namespace

std::optional<std::string> advertProblem(const GameAdvert &advert)
{
    if (const std::optional<std::string> problem = playerNameProblem(advert.hostName))
        return "the host's name: " + *problem;
    if (!xmlText(advert.hostName) || !xmlText(advert.programVersion))
        return "the host's name or the program version is no UTF-8 text";
    if (!advert.address.empty() && !validAddress(advert.address))
        return "the address is no host name or address: \"" + advert.address + "\"";
    if (advert.port < 1 || advert.port > 65535)
        return "the port is out of range: " + std::to_string(advert.port);
    if (advert.seated < 0 || advert.seated > kMaxAdvertSeated)
        return "the count of players is out of range: " + std::to_string(advert.seated);
    if (!validProgram(advert.programVersion))
        return "the program version is empty, too long or holds control characters";
    return std::nullopt;
}

std::optional<XmlAttributes> advertAttributes(const GameAdvert &advert)
{
    if (advertProblem(advert))
        return std::nullopt;
    XmlAttributes attributes;
    attributes.emplace_back(kVersionKey, kAdvertVersion);
    attributes.emplace_back(kHostKey, advert.hostName);
    if (advert.reachable())
        attributes.emplace_back(kAddressKey, advert.address);
    attributes.emplace_back(kPortKey, std::to_string(advert.port));
    attributes.emplace_back(kSeatedKey, std::to_string(advert.seated));
    attributes.emplace_back(kStateKey, advert.running ? kRunning : kWaiting);
    attributes.emplace_back(kProgramKey, advert.programVersion);
    return attributes;
}

std::optional<GameAdvert> readAdvert(std::string_view element, std::string_view xmlNamespace,
                                     const XmlAttributes &attributes)
{
    if (element != kAdvertElement || xmlNamespace != kAdvertNamespace ||
        attributes.size() > kMaxAdvertAttributes)
        return std::nullopt;

    constexpr std::array<std::string_view, 7> keys = {kVersionKey, kHostKey,  kAddressKey, kPortKey,
                                                      kSeatedKey,  kStateKey, kProgramKey};
    std::array<std::optional<std::string_view>, keys.size()> values;
    for (const auto &[key, value] : attributes) {
        if (value.size() > kMaxAdvertAttributeBytes)
            return std::nullopt;
        const auto known = std::find(keys.begin(), keys.end(), key);
        if (known == keys.end())
            continue;
        auto &slot = values[static_cast<std::size_t>(known - keys.begin())];
        if (slot)
            return std::nullopt; // the same attribute twice
        slot = value;
    }
    const auto [version, host, address, port, seated, state, program] = values;
    if (!version || *version != kAdvertVersion)
        return std::nullopt;
    if (!host || !port || !seated || !state || !program)
        return std::nullopt;
    if (*state != kWaiting && *state != kRunning)
        return std::nullopt;
    const std::optional<int> portNumber = canonicalNumber(*port, 1, 65535);
    const std::optional<int> seatedCount = canonicalNumber(*seated, 0, kMaxAdvertSeated);
    if (!portNumber || !seatedCount)
        return std::nullopt;
    // An empty address says the same as none: the game is not reachable.
    GameAdvert advert;
    advert.hostName = std::string(*host);
    advert.address = address ? std::string(*address) : std::string();
    advert.port = *portNumber;
    advert.seated = *seatedCount;
    advert.running = *state == kRunning;
    advert.programVersion = std::string(*program);
    if (advertProblem(advert))
        return std::nullopt;
    return advert;
}

} // namespace kalvex
