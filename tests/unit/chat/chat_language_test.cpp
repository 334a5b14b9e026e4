// The chat in another language: what the player sees is translated, what
// goes to the other players is not.

#include "chat/chat_composer.h"
#include "fake_language.h"
#include "wire_bytes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kalvex {
namespace {

class RecordingHost : public ChatHost
{
public:
    void send(const std::string &bytes) override { sent.push_back(bytes); }
    bool loggedin() const override { return true; }
    int myslot() const override { return 3; }
    std::optional<std::string> seatName(int) const override { return "Bob"; }
    bool chatterSoundsOn() const override { return false; }
    void playChatterSound(std::string_view) override {}
    void saveTextColour() override {}

    std::vector<std::string> sent;
};

using test::wire;

class ChatInAnotherLanguage : public ::testing::Test
{
protected:
    // Sends phrase 1, a typed line, an action and chatter sound 5.
    std::vector<std::string> sentBytes()
    {
        RecordingHost host;
        Transcript transcript;
        ChatComposer chat(host, transcript);
        chat.phraseClicked(1);
        chat.sendit("hello");
        chat.sendit("/me waves");
        chat.chatterSoundChosen(5);
        return host.sent;
    }
};

TEST_F(ChatInAnotherLanguage, SendsTheSameBytesAsInEnglish)
{
    const std::vector<std::string> english = sentBytes();
    ASSERT_EQ(english, (std::vector<std::string>{wire("CMD_action+3+says: Way To Go!|clBlack"),
                                                 wire("CMD_chat+3+hello|clBlack"),
                                                 wire("CMD_action+3+waves|clBlack"),
                                                 wire("CMD_playasound+3+wave5+")}));
    test::BracketLanguage other;
    EXPECT_EQ(sentBytes(), english);
    EXPECT_EQ(defaultPhrase(1), "Way To Go!") << "the phrases are what is sent and stored";
}

TEST_F(ChatInAnotherLanguage, ShowsTheChatterSoundLineAndCaptionsTranslated)
{
    test::BracketLanguage other;
    RecordingHost host;
    Transcript transcript;
    ChatComposer chat(host, transcript);
    chat.playasound("2+wave13");
    ASSERT_EQ(transcript.items().size(), 1u);
    const std::string &shown = transcript.items().front().text;
    EXPECT_EQ(shown.rfind("[Bob:", 0), 0u) << shown;
    EXPECT_NE(shown.find("[Applause]"), std::string::npos) << shown;
    EXPECT_EQ(chatterSoundCaption(13), "[Applause]");
}

TEST_F(ChatInAnotherLanguage, OnlyTheShownPlaceholderIsDroppedFromTheInput)
{
    test::BracketLanguage other;
    EXPECT_EQ(chatPlaceholder(), "[<Enter Chat Here>]");
    EXPECT_EQ(ChatComposer::withSmiley("[<Enter Chat Here>]", 15), ":)#15");
    EXPECT_EQ(ChatComposer::withSmiley("<Enter Chat Here>", 15), "<Enter Chat Here>:)#15");
}

} // namespace
} // namespace kalvex
