#pragma once
// Wire messages: building them in one piece, and reading their fields.

#include "net/game_vocabulary.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvex {

// Ends every message on the wire.
inline constexpr char kTerminator = '\xFF';
// The version text exchanged at login; equal only when byte for byte equal.
inline constexpr std::string_view kVersion = "1.0.5";

// A numeric field that is not a number. what() is the text the user sees.
class ConvertError : public std::runtime_error
{
public:
    explicit ConvertError(std::string_view text);
    const std::string &offendingText() const { return offending; }

private:
    std::string offending;
};

// Reads an integer as the reference toolchain's StrToInt does: optional
// leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "0x" or "0X". Anything else, or a value outside 32 bits, throws.
int strToInt(std::string_view text);
// The same rules, without throwing.
bool tryStrToInt(std::string_view text, int &value);

// Builds one message: the command word, "+", each field followed by "+"
// (closed tail) or an open last text, then the terminator.
//   Message("CMD_yourresult").field(2).field(5).field(1).field(0).field(3).wire()
//   Message("CMD_chat").field(4).open("Ann chats: hi|clRed").wire()
class Message
{
public:
    explicit Message(std::string_view command);
    Message &field(int value);
    Message &field(std::string_view text);
    // The open last field: free text with no "+" after it.
    Message &open(std::string_view text);
    Message &open(int value);
    // The finished message with its terminator.
    std::string wire() const;

private:
    std::string text;
};

// A line cut into its command word and the remainder after the first "+".
// A line without "+" has an empty command word and is passed over.
struct CommandLine
{
    std::string_view command;
    std::string_view remainder;
};
CommandLine splitCommand(std::string_view line);

// Takes fields from the left of a message remainder: a field is the text
// before the first "+"; when no "+" is left the field is empty and the
// remainder stays as it is, so an open last field is read with rest().
class FieldReader
{
public:
    explicit FieldReader(std::string_view remainder) : left(remainder) {}
    std::string_view text();
    // Throws ConvertError for an empty or non-numeric field.
    int number();
    std::string_view rest() const { return left; }
    bool atEnd() const { return left.empty(); }

private:
    std::string_view left;
};

} // namespace kalvex
