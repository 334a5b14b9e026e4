#include "net/message.h"

#include <limits>

namespace kalvex {

ConvertError::ConvertError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value"),
      offending(text)
{}

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool tryStrToInt(std::string_view text, int &value)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    // Hexadecimal text may fill all 32 bits (as "$FFFFFFFF"); decimal text
    // must fit a signed 32-bit value.
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? hexDigit(text[i])
                                     : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0)
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    std::int64_t result;
    if (base == 16) {
        result = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        if (negative)
            result = -result;
    } else {
        result =
            negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    }
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(result);
    return true;
}

int strToInt(std::string_view text)
{
    int value = 0;
    if (!tryStrToInt(text, value))
        throw ConvertError(text);
    return value;
}

Message::Message(std::string_view command) : text(command)
{
    text += '+';
}

Message &Message::field(int value)
{
    text += std::to_string(value);
    text += '+';
    return *this;
}

Message &Message::field(std::string_view value)
{
    text += value;
    text += '+';
    return *this;
}

Message &Message::open(std::string_view value)
{
    text += value;
    return *this;
}

Message &Message::open(int value)
{
    text += std::to_string(value);
    return *this;
}

std::string Message::wire() const
{
    return text + kTerminator;
}

CommandLine splitCommand(std::string_view line)
{
    const auto plus = line.find('+');
    if (plus == std::string_view::npos)
        return {{}, line};
    return {line.substr(0, plus), line.substr(plus + 1)};
}

std::string_view FieldReader::text()
{
    const auto plus = left.find('+');
    if (plus == std::string_view::npos)
        return {};
    const auto field = left.substr(0, plus);
    left.remove_prefix(plus + 1);
    return field;
}

int FieldReader::number()
{
    return strToInt(text());
}

} // namespace kalvex
