#pragma once
// The chat transcript as data: styled text runs and smiley pictures, each
// starting a line or continuing one, the sixteen text styles they are drawn
// with, and the numbered links. Views listen for changes and draw it.

#include "net/colour_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

// The desktop's window-text colour (the system colour "clWindowText").
inline constexpr ColourValue kColourWindowText = 0x80000008;
// The colour of system lines.
inline constexpr ColourValue kSysColour = kColourBlue;

inline constexpr int kStyleCount = 16;
inline constexpr int kSystemStyle = 0;
inline constexpr int kLinkStyle = 4;
inline constexpr int kSmileyCount = 18;
// The line marker of a smiley: ":)#" and two digits, 10 to 27.
inline constexpr std::string_view kSmileyMarker = ":)#";
inline constexpr int kFirstSmileyCode = 10;
inline constexpr int kLastSmileyCode = 27;

// The transcript keeps its newest lines within these bounds, the oldest
// going first, as a terminal's scroll-back does: a long evening's chat
// neither slows the program nor grows it without limit.
inline constexpr std::size_t kMaxTranscriptLines = 10000;
// Bytes of text, each item counted with its own size as well. The newest
// line stays whatever its size.
inline constexpr std::size_t kMaxTranscriptBytes = 16 * 1024 * 1024;

struct TranscriptBounds
{
    std::size_t lines = kMaxTranscriptLines;
    std::size_t bytes = kMaxTranscriptBytes;
};

struct TextStyle
{
    std::string font = "Arial";
    int size = 10;
    ColourValue colour = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct TranscriptItem
{
    enum class Kind : std::uint8_t
    {
        Text,
        Picture
    };

    Kind kind = Kind::Text;
    bool startsLine = false;
    std::uint8_t style = 0;   // text: the style number
    std::uint8_t picture = 0; // picture: smiley 0 to 17
    int link = -1;            // a link run: its link number
    std::string text;         // a text run's bytes (UTF-8)

    bool isLink() const { return link >= 0; }
};

// What a style change means for a view. Colour: only colours changed. Font:
// a style's font changed before any item uses it, so nothing shown moves.
// Layout: sizes changed for everything shown.
enum class StyleChange
{
    Colour,
    Font,
    Layout
};

// Told of every change, so that a view lays out only what it must.
class TranscriptListener
{
public:
    virtual ~TranscriptListener() = default;
    // Items from firstItem to the end were appended (one whole line).
    virtual void itemsAppended(std::size_t firstItem) = 0;
    // The first `count` items (whole lines, the oldest) were dropped: every
    // item index goes down by count. Link numbers stay.
    virtual void itemsDropped(std::size_t count) = 0;
    // A style changed (see StyleChange).
    virtual void stylesChanged(StyleChange change) = 0;
    virtual void transcriptCleared() = 0;
};

class Transcript
{
public:
    explicit Transcript(TranscriptBounds bounds = {});

    // A line "slot+text" in the given colour: the head up to the first ":",
    // then words, links and smilies; a line break in the text shows as a
    // blank. Returns false when the slot part is not a number from 0 to 10
    // (nothing is shown). The oldest lines go when the bounds are passed.
    bool addlinetochat(std::string_view line, ColourValue colour);
    // The fields of a relayed chat or action after its command word:
    // "slot+text|colour text". No "|" or an unreadable colour gives red.
    bool chatrecieved(std::string_view fields);
    // The six lines of "View Quick Instructions", as system lines.
    void viewQuickInstructions();
    // Removes every item and restarts the link numbering. Styles stay.
    void clear();
    // Sets the size of all sixteen styles.
    void setTextSize(int points);
    int textSize() const { return styleTable[0].size; }

    const std::deque<TranscriptItem> &items() const { return itemList; }
    std::size_t lineCount() const { return lines; }
    // The bytes counted against the bound.
    std::size_t storedBytes() const { return bytes; }
    const TextStyle &style(int number) const { return styleTable.at(number); }
    static int styleForSlot(int slot) { return slot == 0 ? kSystemStyle : slot + 5; }

    // Links are numbered from 0 in the order they appear; every one keeps
    // its own text (the word with the blank that followed it) and its number
    // while its line is in the transcript.
    // The number of links shown since the last clear, gone ones included.
    std::size_t linkCount() const { return firstLink + linkItems.size(); }
    // The lowest link number still in the transcript.
    int firstLinkNumber() const { return int(firstLink); }
    std::optional<std::string> linkText(int number) const;
    // The item index of a link, or nothing.
    std::optional<std::size_t> linkItem(int number) const;

    void setListener(TranscriptListener *listener) { observer = listener; }

private:
    void addWords(std::string_view piece, int style);
    void appendText(std::string_view text, int style, bool startsLine);
    void appendLink(std::string_view word);
    void appendPicture(int picture);
    void push(TranscriptItem item);
    // Drops the oldest lines while the bounds are passed; the newest stays.
    void dropOldLines();

    TranscriptBounds bounds;
    std::array<TextStyle, kStyleCount> styleTable;
    std::deque<TranscriptItem> itemList;
    std::size_t lines = 0;
    std::size_t bytes = 0;
    // Item indexes of the links, numbered from firstLink.
    std::deque<std::size_t> linkItems;
    std::size_t firstLink = 0;
    TranscriptListener *observer = nullptr;
};

// The six lines of "View Quick Instructions", shown as system lines.
extern const std::array<const char *, 6> kQuickInstructions;

// The text with each line break (CR LF, CR, LF, VT, FF, NEL and Unicode's
// line and paragraph separators) turned into one blank.
std::string lineBreaksAsBlanks(std::string_view text);

// A word is a link when it holds "http://" or "www." anywhere.
bool isLinkWord(std::string_view word);

// The smiley picture for a two-character code: the code less 10 when it is a
// whole number from 10 to 27, otherwise picture 0.
int smileyPictureForCode(std::string_view code);

} // namespace kalvex
