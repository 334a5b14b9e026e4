#include "chat/web_address.h"

#include <algorithm>
#include <cctype>

namespace kalvex {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char wanted, char c) {
               return std::tolower(static_cast<unsigned char>(c)) == wanted;
           });
}

// A host name: letters, digits, "-" and "." (bytes above 0x7F stand for the
// letters of an international name), with an optional ":port".
bool isHostAndPort(std::string_view authority)
{
    std::string_view host = authority;
    if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
        const std::string_view port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 || !std::all_of(port.begin(), port.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            }))
            return false;
        host = authority.substr(0, colon);
    }
    if (host.empty() || host.front() == '.' || host.front() == '-')
        return false;
    return std::all_of(host.begin(), host.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || std::isalnum(byte) || c == '-' || c == '.';
    });
}

} // namespace

std::optional<std::string> webAddressForLink(std::string_view linkText)
{
    std::string_view text = linkText;
    if (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string_view scheme = "http://";
    if (startsWithNoCase(text, "http://")) {
        text.remove_prefix(7);
    } else if (startsWithNoCase(text, "https://")) {
        scheme = "https://";
        text.remove_prefix(8);
    }
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || byte == 0xFF || c == '\\')
            return std::nullopt;
    }
    const std::size_t authorityEnd = text.find_first_of("/?#");
    const std::string_view authority = text.substr(0, authorityEnd);
    if (!isHostAndPort(authority))
        return std::nullopt;
    std::string address(scheme);
    address += text;
    return address;
}

} // namespace kalvex
