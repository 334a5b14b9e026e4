#include "chat/chat_composer.h"
#include "fake_language.h"
#include "net/chat_limits.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kalvex {
namespace {

class FakeHost : public ChatHost
{
public:
    void send(const std::string &bytes) override { sent.push_back(bytes); }
    bool loggedin() const override { return logged; }
    int myslot() const override { return slot; }
    std::optional<std::string> seatName(int seat) const override
    {
        auto found = seats.find(seat);
        return found == seats.end() ? std::nullopt : std::optional(found->second);
    }
    bool chatterSoundsOn() const override { return chatterSounds; }
    void playChatterSound(std::string_view name) override { played.emplace_back(name); }
    void saveTextColour() override { ++saves; }

    std::vector<std::string> sent;
    std::vector<std::string> played;
    std::map<int, std::string> seats;
    bool logged = true;
    int slot = 3;
    bool chatterSounds = true;
    int saves = 0;
};

using test::wire;

class Composer : public ::testing::Test
{
protected:
    FakeHost host;
    Transcript transcript;
    ChatComposer chat{host, transcript};
};

TEST_F(Composer, ChatLineCarriesTheTextAndTheTextColour)
{
    EXPECT_TRUE(chat.sendit("hello+world"));
    chat.setTextColour(0x123456);
    chat.sendit("again");
    chat.setTextColour(kColourRed);
    chat.sendit("red");
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_chat+3+hello+world|clBlack"),
                                                   wire("CMD_chat+3+again|$00123456"),
                                                   wire("CMD_chat+3+red|clRed")}));
}

TEST_F(Composer, MeTextsAreActionsAndOtherSlashTextsAreDropped)
{
    EXPECT_TRUE(chat.sendit("/me waves"));
    EXPECT_TRUE(chat.sendit("/meow"));
    EXPECT_TRUE(chat.sendit("/me"));
    EXPECT_TRUE(chat.sendit("/kick bob")); // emptied, sent nowhere
    EXPECT_TRUE(chat.sendit("/m"));
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_action+3+waves|clBlack"),
                                                   wire("CMD_action+3+w|clBlack"),
                                                   wire("CMD_action+3+|clBlack")}));
}

TEST_F(Composer, BeforeLoginTheTextStaysAndNothingIsSent)
{
    host.logged = false;
    EXPECT_FALSE(chat.sendit("hello"));
    EXPECT_FALSE(chat.sendit("/me waves"));
    EXPECT_TRUE(host.sent.empty());
    host.logged = true;
    EXPECT_TRUE(chat.sendit(""));
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(Composer, LineBreaksCannotSmuggleASecondMessage)
{
    chat.sendit("hi\nCMD_startgame+Bob+5+120+0+0+\r\nx");
    chat.sendit("/me a\rb");
    EXPECT_EQ(host.sent, (std::vector<std::string>{
                             wire("CMD_chat+3+hi CMD_startgame+Bob+5+120+0+0+  x|clBlack"),
                             wire("CMD_action+3+a b|clBlack")}));
}

std::string repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

// The text a sent chat or action carries: after "CMD_x+slot+", before the
// last "|".
std::string carriedText(const std::string &message)
{
    const std::size_t start = message.find('+', message.find('+') + 1) + 1;
    return message.substr(start, message.rfind('|') - start);
}

constexpr std::string_view kCyrillic = "\xD0\x96";      // two bytes
constexpr std::string_view kCjk = "\xE6\xBC\xA2";       // three bytes
constexpr std::string_view kEmoji = "\xF0\x9F\x98\x80"; // four bytes

TEST_F(Composer, ChatLinesAreCutToTheSizeLimitAtACharacterBoundary)
{
    static_assert(kMaxChatTextBytes % 2 == 0 && kMaxChatTextBytes % 3 == 2);
    struct Case
    {
        std::string typed;
        std::string carried;
    } cases[] = {
        // Exactly at the limit: sent whole.
        {repeated(kCyrillic, kMaxChatTextBytes / 2), repeated(kCyrillic, kMaxChatTextBytes / 2)},
        {std::string(kMaxChatTextBytes, 'a'), std::string(kMaxChatTextBytes, 'a')},
        {"ab" + repeated(kCjk, kMaxChatTextBytes / 3),
         "ab" + repeated(kCjk, kMaxChatTextBytes / 3)},
        // One byte over: the last byte goes.
        {std::string(kMaxChatTextBytes + 1, 'a'), std::string(kMaxChatTextBytes, 'a')},
        // A character straddling the limit goes whole.
        {"a" + repeated(kCyrillic, kMaxChatTextBytes / 2),
         "a" + repeated(kCyrillic, kMaxChatTextBytes / 2 - 1)},
        {repeated(kCjk, kMaxChatTextBytes / 3 + 1), repeated(kCjk, kMaxChatTextBytes / 3)},
        {"abc" + repeated(kEmoji, kMaxChatTextBytes / 4),
         "abc" + repeated(kEmoji, kMaxChatTextBytes / 4 - 1)},
        // Thirty thousand characters of CJK.
        {repeated(kCjk, 30000), repeated(kCjk, kMaxChatTextBytes / 3)},
    };
    for (const Case &c : cases) {
        host.sent.clear();
        ASSERT_TRUE(chat.sendit(c.typed));
        ASSERT_EQ(host.sent.size(), 1u);
        EXPECT_EQ(carriedText(host.sent[0]), c.carried) << c.typed.size() << " bytes typed";
    }
}

TEST_F(Composer, ActionsAndPhrasesAreCutToTheSizeLimitToo)
{
    chat.sendit("/me " + repeated(kCjk, 30000));
    chat.setPhrase(1, repeated(kCyrillic, 30000));
    chat.phraseClicked(1);
    for (int i = 0; i < kPhraseLockTicks; ++i)
        chat.tick();
    chat.setPhrase(2, "/me " + repeated(kCjk, 30000));
    chat.phraseClicked(2);
    ASSERT_EQ(host.sent.size(), 3u);
    EXPECT_EQ(carriedText(host.sent[0]), repeated(kCjk, kMaxChatTextBytes / 3));
    // "says: " counts: six bytes, then whole two-byte characters.
    EXPECT_EQ(carriedText(host.sent[1]),
              "says: " + repeated(kCyrillic, (kMaxChatTextBytes - 6) / 2));
    EXPECT_EQ(carriedText(host.sent[2]), repeated(kCjk, kMaxChatTextBytes / 3));
    for (const std::string &message : host.sent)
        EXPECT_LE(message.size() - message.find('+', message.find('+') + 1) - 2,
                  kMaxChatPayloadBytes);
}

TEST(ComposerInput, AnInsertionThatOverfillsTheInputIsCutAtItsOwnEnd)
{
    const std::string cjk(kCjk);
    // Fits: left alone.
    EXPECT_FALSE(ChatComposer::fittedInput(std::string(kMaxChatTextBytes - 1, 'a'), "b"));
    // Typed before the caret: the end of what was typed goes first.
    const std::string before = "start " + repeated(kCjk, kMaxChatTextBytes / 3);
    const auto fitted = ChatComposer::fittedInput(before, " end");
    ASSERT_TRUE(fitted);
    EXPECT_EQ(fitted->afterCaret, " end");
    EXPECT_EQ(fitted->beforeCaret, "start " + repeated(kCjk, (kMaxChatTextBytes - 10) / 3));
    EXPECT_LE(fitted->beforeCaret.size() + fitted->afterCaret.size(), kMaxChatTextBytes);
    // Text after the caret that alone is too long is cut as well.
    const auto whole = ChatComposer::fittedInput("x", repeated(kCjk, 30000));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->beforeCaret, "");
    EXPECT_EQ(whole->afterCaret, repeated(kCjk, kMaxChatTextBytes / 3));
}

TEST(ComposerInput, PlaceholderRules)
{
    EXPECT_EQ(ChatComposer::afterKeyDown("<Enter Chat Here>"), "");
    EXPECT_EQ(ChatComposer::afterKeyDown("<Enter Chat Here> "), "<Enter Chat Here> ");
    EXPECT_EQ(ChatComposer::withSmiley("<Enter Chat Here>", 15), ":)#15");
    EXPECT_EQ(ChatComposer::withSmiley("hi ", 26), "hi :)#26");
    EXPECT_EQ(ChatComposer::withPasted("<Enter Chat Here>", "abc"), "<Enter Chat Here>abc");
    EXPECT_EQ(ChatComposer::withPasted("x", "two\r\nlines"), "xtwo  lines");
}

TEST_F(Composer, PhrasesAreSaysActionsOrMeActions)
{
    chat.phraseClicked(1);
    for (int i = 0; i < kPhraseLockTicks; ++i)
        chat.tick();
    chat.setPhrase(2, "/me dances");
    chat.phraseClicked(2);
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_action+3+says: Way To Go!|clBlack"),
                                                   wire("CMD_action+3+dances|clBlack")}));
    EXPECT_EQ(chat.phrase(9), "Good Game Everyone!");
}

TEST_F(Composer, PhraseButtonsLockForOneHundredAndOneTicks)
{
    host.logged = false; // phrases do not look at the login
    chat.phraseClicked(3);
    EXPECT_FALSE(chat.chatterready());
    for (int i = 0; i < kPhraseLockTicks - 1; ++i)
        chat.tick();
    chat.phraseClicked(4);
    EXPECT_EQ(host.sent.size(), 1u);
    EXPECT_FALSE(chat.chatterready());
    chat.tick();
    EXPECT_TRUE(chat.chatterready());
    chat.phraseClicked(4);
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_action+3+says: Nice Try!|clBlack"),
                                                   wire("CMD_action+3+says: Excellent!|clBlack")}));
    // Ticks while unlocked do not count towards the next lock.
    for (int i = 0; i < 500; ++i)
        chat.tick();
    chat.phraseClicked(5);
    chat.tick();
    chat.phraseClicked(5);
    EXPECT_EQ(host.sent.size(), 3u);
}

TEST_F(Composer, ChatterSoundsAreSentOnlyWhenLoggedInOnASeat)
{
    chat.chatterSoundChosen(13);
    chat.chatterSoundChosen(0); // <Cancel>
    host.slot = 11;
    chat.chatterSoundChosen(1);
    host.slot = 10;
    host.logged = false;
    chat.chatterSoundChosen(1);
    EXPECT_EQ(host.sent, (std::vector<std::string>{wire("CMD_playasound+3+wave13+")}));
    EXPECT_EQ(chatterSoundCaption(13), "Applause");
    EXPECT_EQ(chatterSoundCaption(5), "Where have you been?");
    EXPECT_EQ(chatterSoundCaption(21), "");
}

TEST_F(Composer, ReceivedChatterSoundPlaysWhenSwitchedOn)
{
    chat.playasound("4+wave3+");
    chat.playasound("4+WAVE20+");
    chat.playasound("4+wave21+");
    chat.playasound("4+../../etc/passwd+");
    chat.playasound("x+wave3+");
    // No stored sound is called "wave03": the sender never writes a leading zero.
    chat.playasound("4+wave03+");
    EXPECT_EQ(host.played, (std::vector<std::string>{"wave3", "wave20"}));
    EXPECT_TRUE(transcript.items().empty());
}

TEST_F(Composer, AChatterSoundWithALeadingZeroIsNeitherPlayedNorShown)
{
    host.chatterSounds = false;
    host.seats[4] = "Ann";
    chat.playasound("4+wave03+");
    EXPECT_TRUE(host.played.empty());
    EXPECT_TRUE(transcript.items().empty());
}

TEST_F(Composer, ReceivedChatterSoundBecomesASystemLineWhenSwitchedOff)
{
    host.chatterSounds = false;
    host.seats[4] = "Ann";
    chat.playasound("4+wave13+");
    chat.playasound("5+wave13+");  // no seat line
    chat.playasound("4+wave0+");   // no such sound
    chat.playasound("11+wave13+"); // beyond the seats
    EXPECT_TRUE(host.played.empty());
    ASSERT_EQ(transcript.items().size(), 1u);
    EXPECT_EQ(transcript.items()[0].text, "Ann:  <Chatter Sound> Applause ");
    EXPECT_EQ(transcript.items()[0].style, kSystemStyle);
    EXPECT_EQ(transcript.style(kSystemStyle).colour, kSysColour);
}

TEST_F(Composer, OnlyAChosenTextColourIsSavedAndChangesAreAnnounced)
{
    int changes = 0;
    chat.setChangeHandler([&] { ++changes; });
    chat.setTextColour(kColourBlue);
    EXPECT_EQ(host.saves, 0);
    chat.textColourChosen(0x00AA00);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(chat.textColour(), 0x00AA00u);
    chat.setPhrase(1, "Hi all");
    chat.setPhrase(10, "ignored");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(chat.phrase(1), "Hi all");
}

// In another language what the player sees is translated, what goes to the
// other players is not.
std::vector<std::string> bytesOfPhraseLineActionAndSound()
{
    FakeHost host;
    Transcript transcript;
    ChatComposer chat(host, transcript);
    chat.phraseClicked(1);
    chat.sendit("hello");
    chat.sendit("/me waves");
    chat.chatterSoundChosen(5);
    return host.sent;
}

TEST(ChatInAnotherLanguage, SendsTheSameBytesAsInEnglish)
{
    const std::vector<std::string> english = bytesOfPhraseLineActionAndSound();
    ASSERT_EQ(english, (std::vector<std::string>{wire("CMD_action+3+says: Way To Go!|clBlack"),
                                                 wire("CMD_chat+3+hello|clBlack"),
                                                 wire("CMD_action+3+waves|clBlack"),
                                                 wire("CMD_playasound+3+wave5+")}));
    test::BracketLanguage other;
    EXPECT_EQ(bytesOfPhraseLineActionAndSound(), english);
    EXPECT_EQ(defaultPhrase(1), "Way To Go!") << "the phrases are what is sent and stored";
}

TEST_F(Composer, InAnotherLanguageTheChatterSoundLineAndCaptionsAreTranslated)
{
    test::BracketLanguage other;
    host.chatterSounds = false;
    host.seats[2] = "Bob";
    chat.playasound("2+wave13+");
    ASSERT_EQ(transcript.items().size(), 1u);
    const std::string &shown = transcript.items().front().text;
    EXPECT_EQ(shown.rfind("[Bob:", 0), 0u) << shown;
    EXPECT_NE(shown.find("[Applause]"), std::string::npos) << shown;
    EXPECT_EQ(chatterSoundCaption(13), "[Applause]");
}

TEST(ComposerInput, InAnotherLanguageOnlyTheShownPlaceholderIsDropped)
{
    test::BracketLanguage other;
    EXPECT_EQ(chatPlaceholder(), "[<Enter Chat Here>]");
    EXPECT_EQ(ChatComposer::withSmiley("[<Enter Chat Here>]", 15), ":)#15");
    EXPECT_EQ(ChatComposer::withSmiley("<Enter Chat Here>", 15), "<Enter Chat Here>:)#15");
}

} // namespace
} // namespace kalvex
