#include "chat/web_address.h"

#include <algorithm>
#include <array>
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

// Marks, separated by blanks, that open a quotation or a bracket before an
// address, and that end a sentence or close a quotation after it (UTF-8).
constexpr std::string_view kOpening = "( [ { < \" ' “ ‘ « ‹ 「 『 （ 【";
constexpr std::string_view kClosing =
    ". , ; : ! ? \" ' > ” ’ » › … 」 』 ） 】 。 、 ， ！ ？ ； ：";

// Calls found(mark) for each mark of a blank-separated list until it is true.
template <typename Found> bool anyMark(std::string_view marks, Found found)
{
    while (!marks.empty()) {
        const std::size_t blank = marks.find(' ');
        if (found(marks.substr(0, blank)))
            return true;
        marks.remove_prefix(blank == std::string_view::npos ? marks.size() : blank + 1);
    }
    return false;
}

// Brackets that close only when the address opened fewer of them.
constexpr std::string_view kOpenBrackets = "([{";
constexpr std::string_view kCloseBrackets = ")]}";

// "(www.x.com)," is a sentence's way of naming www.x.com. Linear in the
// text's length, however many marks a peer piles up.
std::string_view withoutSurroundingPunctuation(std::string_view text)
{
    std::array<std::ptrdiff_t, 3> open{};
    std::array<std::ptrdiff_t, 3> close{};
    for (std::size_t kind = 0; kind < open.size(); ++kind) {
        open[kind] = std::count(text.begin(), text.end(), kOpenBrackets[kind]);
        close[kind] = std::count(text.begin(), text.end(), kCloseBrackets[kind]);
    }
    const auto stripLeading = [&] {
        return anyMark(kOpening, [&](std::string_view mark) {
            if (text.substr(0, mark.size()) != mark)
                return false;
            if (const std::size_t kind = kOpenBrackets.find(mark); kind != std::string_view::npos)
                --open[kind];
            text.remove_prefix(mark.size());
            return true;
        });
    };
    const auto stripTrailing = [&] {
        const bool closed = anyMark(kClosing, [&](std::string_view mark) {
            if (text.size() < mark.size() || text.substr(text.size() - mark.size()) != mark)
                return false;
            text.remove_suffix(mark.size());
            return true;
        });
        if (closed || text.empty())
            return closed;
        const std::size_t kind = kCloseBrackets.find(text.back());
        if (kind == std::string_view::npos || open[kind] >= close[kind])
            return false;
        --close[kind];
        text.remove_suffix(1);
        return true;
    };
    while (stripLeading() || stripTrailing()) {
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
