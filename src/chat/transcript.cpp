#include "chat/transcript.h"

#include "chat/utf8_text.h"
#include "net/message.h"
#include "net/shown_text.h"

namespace kalvex {

const std::array<const char *, 6> kQuickInstructions = {
    QT_TRANSLATE_NOOP("Transcript", "Click the balls to change their colors."),
    QT_TRANSLATE_NOOP("Transcript", "Press the button with the Check Mark to enter your guess."),
    QT_TRANSLATE_NOOP("Transcript", "You will receive a clue."),
    QT_TRANSLATE_NOOP("Transcript",
                      "A green peg means you have a correct colored ball in the correct location."),
    QT_TRANSLATE_NOOP("Transcript",
                      "A yellow peg means you have a correct colored ball in the wrong location"),
    QT_TRANSLATE_NOOP(
        "Transcript",
        "An Empty peg means there is a colored ball that will not complete the code."),
};

namespace {

constexpr ColourValue kColourNavyValue = 0x800000;
constexpr ColourValue kColourSilver = 0xC0C0C0;
constexpr ColourValue kColourMaroon = 0x000080;
constexpr ColourValue kColourGreen = 0x008000;

// What one item costs besides its text.
constexpr std::size_t kItemBytes = sizeof(TranscriptItem);

} // namespace

std::string lineBreaksAsBlanks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\r') {
            if (at + 1 < text.size() && text[at + 1] == '\n')
                ++at;
            result += ' ';
        } else if (c == '\n' || c == '\v' || c == '\f') {
            result += ' ';
        } else if (text.substr(at, 2) == "\xC2\x85") {
            result += ' ';
            ++at;
        } else if (text.substr(at, 3) == "\xE2\x80\xA8" || text.substr(at, 3) == "\xE2\x80\xA9") {
            result += ' ';
            at += 2;
        } else {
            result += c;
        }
    }
    return result;
}

bool isLinkWord(std::string_view word)
{
    return word.find("http://") != std::string_view::npos ||
           word.find("www.") != std::string_view::npos;
}

int smileyPictureForCode(std::string_view code)
{
    int value = 0;
    if (!tryStrToInt(code, value) || value < kFirstSmileyCode || value > kLastSmileyCode)
        value = kFirstSmileyCode;
    return value - kFirstSmileyCode;
}

Transcript::Transcript(TranscriptBounds bounds) : bounds(bounds)
{
    styleTable[0] = {"Arial", 10, kColourNavyValue, false, false, false};
    styleTable[1] = {"Arial", 10, kColourNavyValue, true, false, false};
    styleTable[2] = {"Arial", 10, kColourSilver, true, false, false};
    styleTable[3] = {"Arial", 10, kColourMaroon, false, true, false};
    styleTable[4] = {"Arial", 10, kColourGreen, false, false, true};
    styleTable[5] = {"Arial", 10, kColourGreen, false, false, true};
    for (int style = 6; style < kStyleCount; ++style)
        styleTable[style] = {"Arial", 10, kColourWindowText, false, false, false};
}

bool Transcript::addlinetochat(std::string_view line, ColourValue colour)
{
    const std::size_t plus = line.find('+');
    if (plus == std::string_view::npos)
        return false;
    int slot = 0;
    // Styles exist for the system and the ten seats only.
    if (!tryStrToInt(line.substr(0, plus), slot) || slot < 0 || slot > kMaxPlayers)
        return false;
    // The pane draws one line per line; a break inside would glue its
    // halves together.
    const std::string shown = lineBreaksAsBlanks(line.substr(plus + 1));
    std::string_view text = shown;
    const int lineStyle = styleForSlot(slot);

    std::string_view head;
    if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
        head = text.substr(0, colon + 1);
        text.remove_prefix(colon + 1);
    }

    TextStyle &style = styleTable[lineStyle];
    // A slot's style turns bold with its first line and stays bold, so no
    // item shown so far uses a style whose font changes here.
    const bool newFont = !style.bold;
    const bool newColour = style.colour != colour;
    style.colour = colour;
    style.bold = true;
    if (observer && (newFont || newColour))
        observer->stylesChanged(newFont ? StyleChange::Font : StyleChange::Colour);

    const std::size_t firstItem = itemList.size();
    std::string headRun(head);
    headRun += ' ';
    appendText(headRun, lineStyle, true);

    for (std::size_t marker = text.find(kSmileyMarker); marker != std::string_view::npos;
         marker = text.find(kSmileyMarker)) {
        const std::string_view piece = text.substr(0, marker);
        text.remove_prefix(marker + kSmileyMarker.size());
        const std::size_t codeLength = utf8BytesOfCharacters(text, 2);
        const std::string_view code = text.substr(0, codeLength);
        text.remove_prefix(codeLength);
        addWords(piece, lineStyle);
        appendPicture(smileyPictureForCode(code));
    }
    if (!text.empty())
        addWords(text, lineStyle);

    if (observer)
        observer->itemsAppended(firstItem);
    dropOldLines();
    return true;
}

bool Transcript::chatrecieved(std::string_view fields)
{
    const std::size_t bar = fields.find('|');
    if (bar == std::string_view::npos)
        return addlinetochat(fields, kColourRed);
    const std::optional<ColourValue> colour = textToColour(fields.substr(bar + 1));
    return addlinetochat(fields.substr(0, bar), colour.value_or(kColourRed));
}

void Transcript::viewQuickInstructions()
{
    for (const char *line : kQuickInstructions)
        addlinetochat("0+" + translate("Transcript", line), kSysColour);
}

void Transcript::clear()
{
    itemList.clear();
    linkItems.clear();
    firstLink = 0;
    lines = 0;
    bytes = 0;
    if (observer)
        observer->transcriptCleared();
}

void Transcript::setTextSize(int points)
{
    for (TextStyle &style : styleTable)
        style.size = points;
    if (observer)
        observer->stylesChanged(StyleChange::Layout);
}

std::optional<std::size_t> Transcript::linkItem(int number) const
{
    if (number < 0 || static_cast<std::size_t>(number) < firstLink)
        return std::nullopt;
    const std::size_t index = static_cast<std::size_t>(number) - firstLink;
    if (index >= linkItems.size())
        return std::nullopt;
    return linkItems[index];
}

std::optional<std::string> Transcript::linkText(int number) const
{
    const std::optional<std::size_t> item = linkItem(number);
    if (!item)
        return std::nullopt;
    return itemList[*item].text;
}

void Transcript::addWords(std::string_view piece, int style)
{
    std::string words(piece);
    words += ' ';
    std::string_view left = words;
    while (!left.empty()) {
        const std::size_t blank = left.find(' ');
        const std::string_view word = left.substr(0, blank + 1);
        left.remove_prefix(word.size());
        if (isLinkWord(word))
            appendLink(word);
        else
            appendText(word, style, false);
    }
}

void Transcript::appendText(std::string_view text, int style, bool startsLine)
{
    // Neighbouring words of one style share a run: they look the same and
    // wrap the same, and the transcript stays small over long sessions.
    if (!startsLine && !itemList.empty()) {
        TranscriptItem &last = itemList.back();
        if (last.kind == TranscriptItem::Kind::Text && !last.isLink() && last.style == style) {
            last.text += text;
            bytes += text.size();
            return;
        }
    }
    TranscriptItem item;
    item.kind = TranscriptItem::Kind::Text;
    item.startsLine = startsLine;
    item.style = static_cast<std::uint8_t>(style);
    item.text = text;
    push(std::move(item));
}

void Transcript::appendLink(std::string_view word)
{
    TranscriptItem item;
    item.kind = TranscriptItem::Kind::Text;
    item.style = kLinkStyle;
    item.link = static_cast<int>(linkCount());
    item.text = word;
    linkItems.push_back(itemList.size());
    push(std::move(item));
}

void Transcript::appendPicture(int picture)
{
    TranscriptItem item;
    item.kind = TranscriptItem::Kind::Picture;
    item.picture = static_cast<std::uint8_t>(picture);
    push(std::move(item));
}

void Transcript::push(TranscriptItem item)
{
    lines += item.startsLine ? 1 : 0;
    bytes += item.text.size() + kItemBytes;
    itemList.push_back(std::move(item));
}

void Transcript::dropOldLines()
{
    std::size_t dropped = 0;
    while (lines > 1 && (lines > bounds.lines || bytes > bounds.bytes)) {
        // One whole line: its first item and those that continue it.
        do {
            const TranscriptItem &item = itemList.front();
            bytes -= item.text.size() + kItemBytes;
            itemList.pop_front();
            ++dropped;
        } while (!itemList.empty() && !itemList.front().startsLine);
        --lines;
    }
    if (dropped == 0)
        return;
    while (!linkItems.empty() && linkItems.front() < dropped) {
        linkItems.pop_front();
        ++firstLink;
    }
    for (std::size_t &item : linkItems)
        item -= dropped;
    if (observer)
        observer->itemsDropped(dropped);
}

} // namespace kalvex
