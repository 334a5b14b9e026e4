#include "chat/transcript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalvex {
namespace {

using Kind = TranscriptItem::Kind;

// The transcript's lines as text: pictures as "[n]", links as "<text>".
std::vector<std::string> shownLines(const Transcript &transcript)
{
    std::vector<std::string> lines;
    for (const TranscriptItem &item : transcript.items()) {
        if (item.startsLine)
            lines.emplace_back();
        if (item.kind == Kind::Picture)
            lines.back() += "[" + std::to_string(item.picture) + "]";
        else if (item.isLink())
            lines.back() += "<" + item.text + ">";
        else
            lines.back() += item.text;
    }
    return lines;
}

TEST(TranscriptLines, SystemLineWithoutColonIsOneBoldBlueLineStartingWithABlank)
{
    Transcript transcript;
    ASSERT_TRUE(transcript.addlinetochat("0+Loading Solo Game..Please wait.", kSysColour));
    ASSERT_EQ(transcript.items().size(), 1u);
    const TranscriptItem &item = transcript.items()[0];
    EXPECT_TRUE(item.startsLine);
    EXPECT_EQ(item.style, kSystemStyle);
    EXPECT_EQ(item.text, " Loading Solo Game..Please wait. ");
    EXPECT_EQ(transcript.style(kSystemStyle).colour, kColourBlue);
    EXPECT_TRUE(transcript.style(kSystemStyle).bold);
}

TEST(TranscriptLines, HeadRunsToTheFirstColonAndEachLineStartsANewOne)
{
    Transcript transcript;
    transcript.addlinetochat("2+Ann chats: time: 10", kColourBlack);
    transcript.addlinetochat("2+Ann waves", kColourBlack);
    EXPECT_EQ(shownLines(transcript),
              (std::vector<std::string>{"Ann chats:  time: 10 ", " Ann waves "}));
    for (const TranscriptItem &item : transcript.items())
        EXPECT_EQ(item.style, 7);
}

TEST(TranscriptLines, SlotSelectsTheStyleAndBadSlotsShowNothing)
{
    Transcript transcript;
    transcript.addlinetochat("10+Zed chats: hi", kColourBlack);
    EXPECT_EQ(transcript.items().back().style, 15);
    transcript.addlinetochat("1+Al chats: hi", kColourBlack);
    EXPECT_EQ(transcript.items().back().style, 6);

    const std::size_t before = transcript.items().size();
    EXPECT_FALSE(transcript.addlinetochat("x+Bad chats: hi", kColourBlack));
    EXPECT_FALSE(transcript.addlinetochat("no plus at all", kColourBlack));
    EXPECT_FALSE(transcript.addlinetochat("11+Beyond the seats", kColourBlack));
    EXPECT_FALSE(transcript.addlinetochat("-1+Negative", kColourBlack));
    EXPECT_FALSE(transcript.addlinetochat("+Empty slot", kColourBlack));
    EXPECT_EQ(transcript.items().size(), before);
}

TEST(TranscriptStyles, AColourChangeRecoloursEveryLineOfThatSlot)
{
    Transcript transcript;
    transcript.addlinetochat("3+Ann chats: first", kColourBlack);
    EXPECT_EQ(transcript.style(8).colour, kColourBlack);
    transcript.chatrecieved("3+Ann chats: second|clRed");
    // Both lines are drawn in style 8, which is now red and bold.
    EXPECT_EQ(transcript.items()[0].style, 8);
    EXPECT_EQ(transcript.style(8).colour, kColourRed);
    EXPECT_TRUE(transcript.style(8).bold);
    // Other slots keep their own colour.
    EXPECT_EQ(transcript.style(7).colour, kColourWindowText);
    EXPECT_FALSE(transcript.style(7).bold);
}

TEST(TranscriptStyles, TextSizeAppliesToAllSixteenStyles)
{
    Transcript transcript;
    EXPECT_EQ(transcript.textSize(), 10);
    transcript.setTextSize(14);
    for (int style = 0; style < kStyleCount; ++style)
        EXPECT_EQ(transcript.style(style).size, 14);
    EXPECT_TRUE(transcript.style(kLinkStyle).underline);
    EXPECT_TRUE(transcript.style(3).italic);
}

TEST(ChatReceived, ColourAfterTheBarOrRed)
{
    Transcript transcript;
    transcript.chatrecieved("4+Bo chats: hi|clblue");
    EXPECT_EQ(transcript.style(9).colour, kColourBlue);
    transcript.chatrecieved("4+Bo chats: no bar at all");
    EXPECT_EQ(transcript.style(9).colour, kColourRed);
    transcript.chatrecieved("4+Bo chats: hi|$00123456");
    EXPECT_EQ(transcript.style(9).colour, 0x123456u);
    transcript.chatrecieved("4+Bo chats: hi|notacolour");
    EXPECT_EQ(transcript.style(9).colour, kColourRed);
    // Only the text before the first bar is shown.
    transcript.chatrecieved("4+Bo chats: a|b|clBlue");
    EXPECT_EQ(shownLines(transcript).back(), "Bo chats:  a ");
    EXPECT_EQ(transcript.style(9).colour, kColourRed);
}

TEST(Smilies, CodeBecomesAPictureBetweenBlankRuns)
{
    Transcript transcript;
    transcript.chatrecieved("3+Ann chats: word :)#12 other|clBlack");
    EXPECT_EQ(shownLines(transcript), (std::vector<std::string>{"Ann chats:  word  [2] other "}));
    const auto &items = transcript.items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].kind, Kind::Picture);
    EXPECT_FALSE(items[1].startsLine);
    EXPECT_FALSE(items[2].startsLine);
}

TEST(Smilies, CodesOutsideTenToTwentySevenDrawPictureZero)
{
    EXPECT_EQ(smileyPictureForCode("10"), 0);
    EXPECT_EQ(smileyPictureForCode("26"), 16);
    EXPECT_EQ(smileyPictureForCode("27"), 17);
    EXPECT_EQ(smileyPictureForCode("28"), 0);
    EXPECT_EQ(smileyPictureForCode("99"), 0);
    EXPECT_EQ(smileyPictureForCode("a1"), 0);
    EXPECT_EQ(smileyPictureForCode("09"), 0);
    EXPECT_EQ(smileyPictureForCode(""), 0);

    Transcript transcript;
    transcript.addlinetochat("0+Test: :)#99 :)#a1x :)#27:)#", kSysColour);
    EXPECT_EQ(shownLines(transcript).back(), "Test:   [0]  [0]x  [17] [0]");
}

TEST(Smilies, ActionWithoutColonHasItsHeadEndInsideTheMarker)
{
    Transcript transcript;
    transcript.chatrecieved("2+Ann grins :)#12|clBlack");
    EXPECT_EQ(shownLines(transcript), (std::vector<std::string>{"Ann grins : )#12 "}));
}

TEST(Smilies, CodeTakesWholeCharactersOfMultiByteText)
{
    Transcript transcript;
    transcript.addlinetochat("0+T: :)#\xC3\xA9\xC3\xA9ok", kSysColour);
    // Both two-byte characters are the code; nothing of them is left behind.
    EXPECT_EQ(shownLines(transcript).back(), "T:   [0]ok ");
}

TEST(Links, WordsHoldingWwwOrHttpBecomeNumberedLinks)
{
    Transcript transcript;
    transcript.chatrecieved("5+Cy chats: see www.example.com now|clBlack");
    transcript.chatrecieved("5+Cy chats: or xhttp://a.b and mywww.c|clBlack");
    EXPECT_EQ(shownLines(transcript),
              (std::vector<std::string>{"Cy chats:  see <www.example.com >now ",
                                        "Cy chats:  or <xhttp://a.b >and <mywww.c >"}));
    ASSERT_EQ(transcript.linkCount(), 3u);
    EXPECT_EQ(transcript.linkText(0), "www.example.com ");
    EXPECT_EQ(transcript.linkText(2), "mywww.c ");
    EXPECT_EQ(transcript.items()[1].style, kLinkStyle);
    EXPECT_FALSE(transcript.linkText(3).has_value());
    EXPECT_FALSE(transcript.linkText(-1).has_value());
    // Letter case counts as written.
    EXPECT_FALSE(isLinkWord("WWW.EXAMPLE.COM"));
    EXPECT_TRUE(isLinkWord("(www.x)"));
}

TEST(Links, EveryLinkKeepsItsOwnTextBeyondAHundred)
{
    Transcript transcript;
    for (int i = 0; i < 150; ++i)
        transcript.addlinetochat("1+Al chats: www.site" + std::to_string(i) + ".org", kColourBlack);
    ASSERT_EQ(transcript.linkCount(), 150u);
    EXPECT_EQ(transcript.linkText(100), "www.site100.org ");
    EXPECT_EQ(transcript.linkText(101), "www.site101.org ");
    EXPECT_EQ(transcript.linkText(149), "www.site149.org ");
}

TEST(Links, ClearRestartsTheNumberingButKeepsStyles)
{
    Transcript transcript;
    transcript.chatrecieved("2+Ann chats: www.first.com|clRed");
    transcript.clear();
    EXPECT_TRUE(transcript.items().empty());
    EXPECT_EQ(transcript.linkCount(), 0u);
    EXPECT_EQ(transcript.style(7).colour, kColourRed);
    transcript.chatrecieved("2+Ann chats: www.second.com|clRed");
    EXPECT_EQ(transcript.linkText(0), "www.second.com ");
    EXPECT_EQ(transcript.items()[*transcript.linkItem(0)].link, 0);
}

TEST(QuickInstructions, SixSystemLinesInOrder)
{
    Transcript transcript;
    transcript.viewQuickInstructions();
    const auto lines = shownLines(transcript);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], " Click the balls to change their colors. ");
    EXPECT_EQ(lines[5],
              " An Empty peg means there is a colored ball that will not complete the code. ");
    EXPECT_EQ(transcript.style(kSystemStyle).colour, kSysColour);
}

TEST(TranscriptLines, ALineBreakInsideALineShowsAsOneBlank)
{
    Transcript transcript;
    transcript.chatrecieved("2+Ann chats: first\nsecond|clRed");
    transcript.chatrecieved("2+Ann chats: a\r\nb\rc\n\nd|clRed");
    // Unicode's own line and paragraph separators and NEL count as breaks too.
    transcript.chatrecieved("2+Ann chats: x\xE2\x80\xA8y\xE2\x80\xA9z\xC2\x85w|clRed");
    // A break ends a link word like a blank does.
    transcript.chatrecieved("2+Ann chats: www.x.com\nnext|clRed");
    EXPECT_EQ(shownLines(transcript),
              (std::vector<std::string>{"Ann chats:  first second ", "Ann chats:  a b c  d ",
                                        "Ann chats:  x y z w ", "Ann chats:  <www.x.com >next "}));
    EXPECT_EQ(transcript.linkText(0), "www.x.com ");
    // A break before the first colon does not hide the head.
    transcript.addlinetochat("0+two\nparts: here", kSysColour);
    EXPECT_EQ(shownLines(transcript).back(), "two parts:  here ");
}

// Adds `count` numbered system lines, every tenth with a link.
void addNumberedLines(Transcript &transcript, int first, int count)
{
    for (int n = first; n < first + count; ++n) {
        const std::string number = std::to_string(n);
        transcript.addlinetochat(n % 10 == 0 ? "0+line " + number + " www.site" + number + ".org"
                                             : "0+line " + number,
                                 kSysColour);
    }
}

TEST(TranscriptBound, KeepsTheNewestLinesLikeAScrollBack)
{
    Transcript transcript;
    const int extra = 25;
    addNumberedLines(transcript, 0, int(kMaxTranscriptLines) + extra);
    const auto lines = shownLines(transcript);
    ASSERT_EQ(lines.size(), kMaxTranscriptLines);
    EXPECT_EQ(lines.front(), " line " + std::to_string(extra) + " ");
    EXPECT_EQ(lines.back(), " line " + std::to_string(kMaxTranscriptLines + extra - 1) + " ");
    EXPECT_TRUE(transcript.items().front().startsLine);
}

TEST(TranscriptBound, KeepsItsSizeWithinTheByteBoundWhateverTheLinesHold)
{
    Transcript transcript;
    const std::string big(8000, 'x');
    const std::size_t count = kMaxTranscriptBytes / big.size() + 100;
    for (std::size_t n = 0; n < count; ++n)
        transcript.addlinetochat("1+Al chats: " + std::to_string(n) + " " + big, kColourBlack);
    std::size_t bytes = 0;
    for (const TranscriptItem &item : transcript.items())
        bytes += item.text.size();
    EXPECT_LE(bytes, kMaxTranscriptBytes);
    EXPECT_LT(shownLines(transcript).size(), count);
    // The newest line is there, whole.
    EXPECT_EQ(shownLines(transcript).back(),
              "Al chats:  " + std::to_string(count - 1) + " " + big + " ");
}

TEST(TranscriptBound, ALineLargerThanTheBoundIsStillShown)
{
    Transcript transcript(TranscriptBounds{10, 1000});
    transcript.addlinetochat("0+small", kSysColour);
    transcript.addlinetochat("0+" + std::string(5000, 'y'), kSysColour);
    ASSERT_EQ(shownLines(transcript).size(), 1u);
    EXPECT_EQ(shownLines(transcript).back().size(), 5002u);
}

TEST(TranscriptBound, LinksKeepTheirNumbersAndOpenTheirOwnTextWhenOldLinesGo)
{
    Transcript transcript(TranscriptBounds{50, kMaxTranscriptBytes});
    addNumberedLines(transcript, 0, 120);
    // Lines 70 to 119 are left, with the links of lines 70, 80, ... 110: the
    // links numbered 7 to 11.
    EXPECT_FALSE(transcript.linkText(6).has_value());
    EXPECT_FALSE(transcript.linkItem(6).has_value());
    for (int number = 7; number <= 11; ++number) {
        EXPECT_EQ(transcript.linkText(number), "www.site" + std::to_string(number * 10) + ".org ");
        const std::optional<std::size_t> item = transcript.linkItem(number);
        ASSERT_TRUE(item.has_value()) << number;
        EXPECT_EQ(transcript.items()[*item].link, number);
    }
    EXPECT_FALSE(transcript.linkText(12).has_value());
    transcript.addlinetochat("0+new www.new.org", kSysColour);
    EXPECT_EQ(transcript.linkText(12), "www.new.org ");
    // Clearing starts the numbering at 0 again.
    transcript.clear();
    transcript.addlinetochat("0+www.again.org", kSysColour);
    EXPECT_EQ(transcript.linkText(0), "www.again.org ");
    EXPECT_EQ(transcript.items()[*transcript.linkItem(0)].link, 0);
}

class RecordingListener : public TranscriptListener
{
public:
    void itemsAppended(std::size_t firstItem) override
    {
        events.push_back("add" + std::to_string(firstItem));
    }
    void stylesChanged(StyleChange change) override
    {
        events.push_back(change == StyleChange::Layout ? "layout"
                         : change == StyleChange::Font ? "font"
                                                       : "colour");
    }
    void itemsDropped(std::size_t count) override
    {
        events.push_back("drop" + std::to_string(count));
    }
    void transcriptCleared() override { events.push_back("clear"); }
    std::vector<std::string> events;
};

TEST(TranscriptListening, ViewsLearnWhatChangedSoTheyRelayOutOnlyWhenNeeded)
{
    Transcript transcript;
    RecordingListener listener;
    transcript.setListener(&listener);
    transcript.addlinetochat("1+A chats: x", kColourBlack); // style 6 turns bold
    transcript.addlinetochat("1+A chats: y", kColourBlack); // nothing changes
    transcript.addlinetochat("1+A chats: z", kColourRed);   // colour only
    transcript.setTextSize(12);
    transcript.clear();
    EXPECT_EQ(listener.events, (std::vector<std::string>{"font", "add0", "add1", "colour", "add2",
                                                         "layout", "clear"}));
}

TEST(TranscriptListening, ViewsLearnOfDroppedLinesAfterTheNewOneWasAdded)
{
    Transcript transcript(TranscriptBounds{2, kMaxTranscriptBytes});
    RecordingListener listener;
    transcript.setListener(&listener);
    transcript.addlinetochat("0+one", kSysColour);           // one item
    transcript.addlinetochat("0+two www.x.org", kSysColour); // two items
    transcript.addlinetochat("0+three", kSysColour);
    transcript.addlinetochat("0+four", kSysColour);
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"font", "add0", "add1", "add3", "drop1", "add3", "drop2"}));
    EXPECT_EQ(transcript.lineCount(), 2u);
    EXPECT_EQ(transcript.linkCount(), 1u);
    EXPECT_EQ(transcript.firstLinkNumber(), 1);
}

} // namespace
} // namespace kalvex
