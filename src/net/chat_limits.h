#pragma once
// Size limits of chat that the sender, the server's relay and every receiver
// agree on, so that whatever one program sends the others relay and show.

#include "net/line_framer.h"

#include <cstddef>

namespace kalvex {

// The most bytes (UTF-8) of text that a chat line, an action or a phrase
// carries as this program sends it; longer input is cut at a character
// boundary before it is sent.
inline constexpr std::size_t kMaxChatTextBytes = 8000;

// The most bytes the server relays after the sender's slot field of a chat or
// an action: the text, "|" and a colour text, with room to spare. A longer one
// is dropped and logged.
inline constexpr std::size_t kMaxChatPayloadBytes = 8192;

// The longest line a client accepts: a relayed chat carries the sender's name
// (at most one whole message of the server's size) besides the payload.
inline constexpr std::size_t kMaxReceivedLineBytes = 2 * LineFramer::kDefaultMaxTail;

} // namespace kalvex
