#pragma once
// Turns the text of a transcript link into the web address the browser is
// given. Only web addresses leave the program: a peer's chat line must not
// make this desktop open a local file or start a program.

#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

// "www.example.com " -> "http://www.example.com"; "http://x.org/a" and
// "https://x.org/a" stay as they are. Brackets and quotes around the
// address and punctuation after it ("(www.x.com),") are not part of it.
// Anything that is not a plain http or https address (another scheme, no
// host, blanks, control bytes, backslashes, user names) gives nothing.
std::optional<std::string> webAddressForLink(std::string_view linkText);

} // namespace kalvex
