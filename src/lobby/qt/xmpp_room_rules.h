#pragma once
// The rules of the internet room that need no connection: what of a room
// line or name is shown and sent, the nickname offered when one is taken,
// how long to wait before trying again, and which servers may go without
// encryption.

#include <QString>

#include <string>
#include <string_view>

namespace kalvex {

// A room chat line as the game's chat shows and sends one: line breaks and
// other control characters become blanks, and the text is cut between
// characters to what a game chat line carries. "+" stays: in the game it
// is plain text too.
std::string roomChatText(std::string_view text);

// A room name (another occupant's nickname) as shown: control characters
// become blanks, and it is cut between characters to a name's length
// bound, with room to spare.
std::string roomNicknameText(std::string_view nickname);

// A nickname to offer when `taken` is in use: "Ann" gives "Ann_2", "Ann_2"
// gives "Ann_3"; within the lobby's name bound.
std::string suggestedNickname(std::string_view taken);

// Seconds to wait before attempt number `failures` + 1: 2, 4, 8, ... 60.
int retryDelaySeconds(int failures);

// A server that may be reached without TLS: the loop-back network
// (127.0.0.0/8, ::1) or "localhost".
bool isLoopbackServer(const QString &server);

} // namespace kalvex
