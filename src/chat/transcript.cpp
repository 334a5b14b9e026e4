#include "chat/transcript.h"

#include "net/message.h"

namespace kalvex {

const std::array<std::string_view, 6> kQuickInstructions = {
    "0+Click the balls to change their colors.",
    "0+Press the button with the Check Mark to enter your guess.",
    "0+You will receive a clue.",
    "0+A green peg means you have a correct colored ball in the correct location.",
    "0+A yellow peg means you have a correct colored ball in the wrong location",
    "0+An Empty peg means there is a colored ball that will not complete the code.",
};

namespace {

constexpr ColourValue kColourNavyValue = 0x800000;
constexpr ColourValue kColourSilver = 0xC0C0C0;
constexpr ColourValue kColourMaroon = 0x000080;
constexpr ColourValue kColourGreen = 0x008000;

// Length in bytes of the UTF-8 character that starts at text[at].
std::size_t characterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    // Only whole, well-formed sequences count as one character; a stray byte
    // of another code page stands for itself.
    if (length > text.size() - at)
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// The byte length of the first `count` characters of text.
std::size_t prefixOfCharacters(std::string_view text, int count)
{
    std::size_t at = 0;
    for (int i = 0; i < count && at < text.size(); ++i)
        at += characterLength(text, at);
    return at;
}

} // namespace

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

Transcript::Transcript()
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
    std::string_view text = line.substr(plus + 1);
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
        const std::size_t codeLength = prefixOfCharacters(text, 2);
        const std::string_view code = text.substr(0, codeLength);
        text.remove_prefix(codeLength);
        addWords(piece, lineStyle);
        appendPicture(smileyPictureForCode(code));
    }
    if (!text.empty())
        addWords(text, lineStyle);

    if (observer)
        observer->itemsAppended(firstItem);
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
    for (std::string_view line : kQuickInstructions)
        addlinetochat(line, kSysColour);
}

void Transcript::clear()
{
    itemList.clear();
    linkItems.clear();
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
    if (number < 0 || static_cast<std::size_t>(number) >= linkItems.size())
        return std::nullopt;
    return linkItems[number];
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
            return;
        }
    }
    TranscriptItem item;
    item.kind = TranscriptItem::Kind::Text;
    item.startsLine = startsLine;
    item.style = static_cast<std::uint8_t>(style);
    item.text = text;
    itemList.push_back(std::move(item));
}

void Transcript::appendLink(std::string_view word)
{
    TranscriptItem item;
    item.kind = TranscriptItem::Kind::Text;
    item.style = kLinkStyle;
    item.link = static_cast<int>(linkItems.size());
    item.text = word;
    linkItems.push_back(itemList.size());
    itemList.push_back(std::move(item));
}

void Transcript::appendPicture(int picture)
{
    TranscriptItem item;
    item.kind = TranscriptItem::Kind::Picture;
    item.picture = static_cast<std::uint8_t>(picture);
    itemList.push_back(std::move(item));
}

} // namespace kalvex
