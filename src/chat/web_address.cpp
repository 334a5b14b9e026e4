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

// Marks that open a quotation or a bracket before an address.
constexpr std::string_view kOpening[] = {
    "(", "[", "{", "<", "\"", "'",
    "\xE2\x80\x9C", "\xE2\x80\x98", "\xC2\xAB", "\xE2\x80\xB9", // quotes, guillemets
    "\xE3\x80\x8C", "\xE3\x80\x8E", "\xEF\xBC\x88", "\xE3\x80\x90", // CJK brackets
};

// Punctuation that ends a sentence or closes a quotation after an address.
constexpr std::string_view kClosing[] = {
    ".", ",", ";", ":", "!", "?", "\"", "'", ">",
    "\xE2\x80\x9D", "\xE2\x80\x99", "\xC2\xBB", "\xE2\x80\xBA", "\xE2\x80\xA6",
    "\xE3\x80\x8D", "\xE3\x80\x8F", "\xEF\xBC\x89", "\xE3\x80\x91",
    "\xE3\x80\x82", "\xE3\x80\x81", "\xEF\xBC\x8C", "\xEF\xBC\x81", "\xEF\xBC\x9F",
    "\xEF\xBC\x9B", "\xEF\xBC\x9A",
};

// Brackets that close only when the address opened fewer of them.
constexpr std::pair<char, char> kBrackets[] = {{'(', ')'}, {'[', ']'}, {'{', '}'}};

bool stripLeading(std::string_view &text)
{
    for (std::string_view mark : kOpening) {
        if (text.substr(0, mark.size()) == mark) {
            text.remove_prefix(mark.size());
            return true;
        }
    }
    return false;
}

bool stripTrailing(std::string_view &text)
{
    for (std::string_view mark : kClosing) {
        if (text.size() >= mark.size() && text.substr(text.size() - mark.size()) == mark) {
            text.remove_suffix(mark.size());
            return true;
        }
    }
    for (const auto &[open, close] : kBrackets) {
        if (!text.empty() && text.back() == close &&
            std::count(text.begin(), text.end(), open) < std::count(text.begin(), text.end(), close)) {
            text.remove_suffix(1);
            return true;
        }
    }
    return false;
}

// "(www.x.com)," is a sentence's way of naming www.x.com.
std::string_view withoutSurroundingPunctuation(std::string_view text)
{
    while (stripLeading(text) || stripTrailing(text)) {
    }
    return text;
}

} // namespace

std::optional<std::string> webAddressForLink(std::string_view linkText)
{
    std::string_view text = linkText;
    if (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    text = withoutSurroundingPunctuation(text);
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
