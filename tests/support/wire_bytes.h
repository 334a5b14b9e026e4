#pragma once
// The exact bytes of one message on the wire: its text and the terminator.

#include "net/message.h"

#include <string>
#include <string_view>

namespace kalvex::test {

inline std::string wire(std::string_view text)
{
    std::string bytes(text);
    bytes += kTerminator;
    return bytes;
}

} // namespace kalvex::test
