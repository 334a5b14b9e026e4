// Reads any bytes as a game advertisement, in one of two ways chosen by
// the first byte: as XML after a stream's start, parsed by gloox as the
// room's presences are, each element read by the presence extension; or
// as attributes ("name\0value\0..." after the element's name and
// namespace, each ended by "\0") handed to the reader directly. What is
// accepted must pass the advert's rules, and write back into an element
// that reads back equal.
#include "lobby/game_advert.h"
#include "lobby/qt/xmpp_advert_extension.h"

#include <gloox/parser.h>
#include <gloox/tag.h>
#include <gloox/taghandler.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

using namespace kalvex;

namespace {

// An accepted advert must survive the trip out and back through XML text.
void checkRoundTrip(const GameAdvert &advert)
{
    if (advertProblem(advert))
        std::abort();
    const XmppAdvertExtension extension(advert);
    const std::unique_ptr<gloox::Tag> element(extension.tag());
    if (!element)
        std::abort();
    if (XmppAdvertExtension::readTag(element.get()) != advert)
        std::abort();
    const std::optional<XmlAttributes> attributes = advertAttributes(advert);
    if (!attributes || readAdvert(kAdvertElement, kAdvertNamespace, *attributes) != advert)
        std::abort();
}

class AdvertReader : public gloox::TagHandler
{
public:
    void handleTag(gloox::Tag *tag) override
    {
        if (!tag)
            return;
        read(tag);
        for (const gloox::Tag *child : tag->children())
            read(child);
    }

private:
    static void read(const gloox::Tag *tag)
    {
        if (const std::optional<GameAdvert> advert = XmppAdvertExtension::readTag(tag))
            checkRoundTrip(*advert);
    }
};

void readXml(std::string_view bytes)
{
    AdvertReader reader;
    gloox::Parser parser(&reader);
    std::string stream = "<stream:stream xmlns='jabber:client' "
                         "xmlns:stream='http://etherx.jabber.org/streams'>";
    stream.append(bytes);
    parser.feed(stream);
}

void readAttributes(std::string_view bytes)
{
    auto next = [&bytes]() -> std::optional<std::string> {
        const std::size_t end = bytes.find('\0');
        if (end == std::string_view::npos)
            return std::nullopt;
        std::string piece(bytes.substr(0, end));
        bytes.remove_prefix(end + 1);
        return piece;
    };
    const std::optional<std::string> element = next();
    const std::optional<std::string> xmlNamespace = next();
    if (!element || !xmlNamespace)
        return;
    XmlAttributes attributes;
    while (std::optional<std::string> name = next()) {
        std::optional<std::string> value = next();
        if (!value)
            break;
        attributes.emplace_back(std::move(*name), std::move(*value));
    }
    if (const std::optional<GameAdvert> advert = readAdvert(*element, *xmlNamespace, attributes))
        checkRoundTrip(*advert);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char *>(data + 1), size - 1);
    if (data[0] & 1)
        readXml(bytes);
    else
        readAttributes(bytes);
    return 0;
}
