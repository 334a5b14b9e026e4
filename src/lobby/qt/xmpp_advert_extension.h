#pragma once
// XmppAdvertExtension: the game advertisement as a gloox presence
// extension. Registered with the client it reads every <game/> element in
// a presence (one that breaks the advert's rules reads as no advert);
// added to the client's presence extensions it goes out with every
// presence, the room's included.

#include "lobby/game_advert.h"

#include <gloox/stanzaextension.h>

#include <optional>

namespace kalvex {

class XmppAdvertExtension : public gloox::StanzaExtension
{
public:
    static constexpr int kType = gloox::ExtUser + 0x4B58;

    explicit XmppAdvertExtension(std::optional<GameAdvert> advert = std::nullopt);

    const std::optional<GameAdvert> &advert() const { return carried; }

    const std::string &filterString() const override;
    gloox::StanzaExtension *newInstance(const gloox::Tag *tag) const override;
    // The element; nothing for an extension that carries no advert.
    gloox::Tag *tag() const override;
    gloox::StanzaExtension *clone() const override;

    // The advert an element carries, by the advert's reading rules.
    static std::optional<GameAdvert> readTag(const gloox::Tag *tag);

private:
    std::optional<GameAdvert> carried;
};

} // namespace kalvex
