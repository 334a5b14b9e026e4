// Feeds what remote peers send to the chat transcript: relayed chat and
// action fields (heads, colours, smilies, links, line breaks), and checks
// after every line that the transcript stays whole within its bounds and
// that every numbered link opens its own text or nothing but a web address.
// Records are separated by the byte 0xFF, which no message carries. A record
// starting with 0x01 is a system line, 0x02 clears, 0x03 sets the text size.
#include "chat/chat_composer.h"
#include "chat/transcript.h"
#include "chat/utf8_text.h"
#include "chat/web_address.h"
#include "net/chat_limits.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Small bounds, so that old lines go often.
constexpr kalvex::TranscriptBounds kBounds{12, 6000};

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkAddress(const std::string &address)
{
    check(address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0);
    for (char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        check(byte > 0x20 && byte != 0x7F && byte != 0xFF && c != '\\');
    }
}

void checkTranscript(const kalvex::Transcript &transcript)
{
    const auto &items = transcript.items();
    check(transcript.lineCount() <= kBounds.lines || transcript.lineCount() == 1);
    check(items.empty() || items.front().startsLine);
    std::size_t lines = 0;
    std::size_t text = 0;
    for (const kalvex::TranscriptItem &item : items) {
        lines += item.startsLine;
        text += item.text.size();
        check(item.text.find_first_of("\r\n") == std::string::npos);
        if (item.kind == kalvex::TranscriptItem::Kind::Picture)
            check(item.picture < kalvex::kSmileyCount && item.text.empty());
        else
            check(item.style < kalvex::kStyleCount);
    }
    check(lines == transcript.lineCount());
    check(text <= transcript.storedBytes());
    check(lines <= 1 || transcript.storedBytes() <= kBounds.bytes);
    check(!transcript.linkText(transcript.firstLinkNumber() - 1));
    for (int number = transcript.firstLinkNumber(); number < int(transcript.linkCount());
         ++number) {
        const auto item = transcript.linkItem(number);
        check(item && *item < items.size() && items[*item].link == number);
        const auto linkText = transcript.linkText(number);
        check(linkText && *linkText == items[*item].text);
        if (const auto address = kalvex::webAddressForLink(*linkText))
            checkAddress(*address);
    }
    check(!transcript.linkText(int(transcript.linkCount())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    kalvex::Transcript transcript(kBounds);
    std::string_view input(reinterpret_cast<const char *>(data), size);
    while (!input.empty()) {
        const std::size_t end = input.find('\xFF');
        std::string_view record = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        const char op = record.empty() ? 0 : record.front();
        if (op == '\x01') {
            record.remove_prefix(1);
            transcript.addlinetochat(record, kalvex::kSysColour);
        } else if (op == '\x02') {
            transcript.clear();
        } else if (op == '\x03') {
            transcript.setTextSize(record.size() > 1 ? static_cast<unsigned char>(record[1]) : 8);
        } else {
            transcript.chatrecieved(record);
            // The same text typed into the input is cut between characters.
            const auto fitted = kalvex::ChatComposer::fittedInput(record, record);
            if (fitted) {
                check(fitted->beforeCaret.size() + fitted->afterCaret.size() <=
                      kalvex::kMaxChatTextBytes);
                check(kalvex::utf8Prefix(record, fitted->beforeCaret.size()).size() ==
                      fitted->beforeCaret.size());
            }
        }
        checkTranscript(transcript);
    }
    return 0;
}
