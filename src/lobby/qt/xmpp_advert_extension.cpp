#include "lobby/qt/xmpp_advert_extension.h"

#include <gloox/tag.h>

namespace kalvex {

XmppAdvertExtension::XmppAdvertExtension(std::optional<GameAdvert> advert)
    : gloox::StanzaExtension(kType), carried(std::move(advert))
{}

const std::string &XmppAdvertExtension::filterString() const
{
    static const std::string filter = "/presence/" + std::string(kAdvertElement) + "[@xmlns='" +
                                      std::string(kAdvertNamespace) + "']";
    return filter;
}

gloox::StanzaExtension *XmppAdvertExtension::newInstance(const gloox::Tag *tag) const
{
    return new XmppAdvertExtension(readTag(tag));
}

gloox::Tag *XmppAdvertExtension::tag() const
{
    if (!carried)
        return nullptr;
    const std::optional<XmlAttributes> attributes = advertAttributes(*carried);
    if (!attributes)
        return nullptr;
    auto *element = new gloox::Tag(std::string(kAdvertElement));
    element->setXmlns(std::string(kAdvertNamespace));
    for (const auto &[name, value] : *attributes)
        element->addAttribute(name, value);
    return element;
}

gloox::StanzaExtension *XmppAdvertExtension::clone() const
{
    return new XmppAdvertExtension(carried);
}

std::optional<GameAdvert> XmppAdvertExtension::readTag(const gloox::Tag *tag)
{
    if (!tag)
        return std::nullopt;
    XmlAttributes attributes;
    for (const gloox::Tag::Attribute *attribute : tag->attributes()) {
        if (attributes.size() > kMaxAdvertAttributes)
            return std::nullopt;
        attributes.emplace_back(attribute->name(), attribute->value());
    }
    return readAdvert(tag->name(), tag->xmlns(), attributes);
}

} // namespace kalvex
