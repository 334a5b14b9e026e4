#pragma once
// The sending side of the chat: chat lines, "/me" actions, the phrase
// buttons and their lock, chatter sounds (sent and received), smiley codes
// and the text colour. The widgets hold the typed text and call in here.

#include "chat/chat_host.h"
#include "chat/transcript.h"
#include "net/colour_text.h"
#include "net/game_vocabulary.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kalvex {

inline constexpr int kPhraseCount = 9;
// The phrase buttons stay locked for this many dispatch ticks after a use.
inline constexpr int kPhraseLockTicks = 101;

// The text the chat input shows until the player types: never sent.
std::string chatPlaceholder();
// The caption of chatter sound n (1 to 20), as its menu lists it; empty for
// any other number. Only the sound's number travels.
std::string chatterSoundCaption(int n);
// The default phrase of button n (1 to 9). Sent as it stands and stored in
// the settings, so it is the same in every language.
std::string_view defaultPhrase(int n);

class ChatComposer
{
public:
    ChatComposer(ChatHost &host, Transcript &transcript);

    // Enter in the chat input: sends a chat line or a "/me" action; any
    // other "/" text is dropped. Returns true when the input is to be
    // emptied, false when it keeps its text (not logged in).
    bool sendit(std::string_view typed);

    // The input's text after a key went down in it: the placeholder goes.
    static std::string afterKeyDown(std::string_view input);
    // The input's text after choosing smiley code 10 to 26.
    static std::string withSmiley(std::string_view input, int code);
    // The input's text after Paste: the clipboard's text appended at the end
    // (a placeholder still showing stays). Line breaks become blanks.
    static std::string withPasted(std::string_view input, std::string_view clipboard);

    struct InputText
    {
        std::string beforeCaret;
        std::string afterCaret;
    };
    // The input holds no more than one chat line carries. After an edit
    // that made it longer, what stands just before the caret (the end of
    // what was typed, pasted or dropped) is cut back between characters
    // until the whole fits. Nothing when it fits as it is.
    static std::optional<InputText> fittedInput(std::string_view beforeCaret,
                                                std::string_view afterCaret);

    // Phrase button n (1 to 9) clicked.
    void phraseClicked(int n);
    // One tick of the message dispatch timer, after its message.
    void tick();
    bool chatterready() const { return ready; }
    const std::string &phrase(int n) const { return phrases.at(n - 1); }
    void setPhrase(int n, std::string_view text);

    // An entry of the chatter-sound menu chosen (0 is "<Cancel>").
    void chatterSoundChosen(int n);
    // A received "CMD_playasound": the fields after the command word.
    void playasound(std::string_view fields);

    ColourValue textColour() const { return colour; }
    // The settings file gave a colour: no save.
    void setTextColour(ColourValue value);
    // The user picked a colour with "Text Color": it is saved.
    void textColourChosen(ColourValue value);

    // Called after a phrase or the text colour changed, so the widgets show it.
    void setChangeHandler(std::function<void()> handler) { changed = std::move(handler); }

private:
    void sendAction(std::string_view text);
    void notify();

    ChatHost &host;
    Transcript &transcript;
    std::array<std::string, kPhraseCount> phrases;
    bool ready = true;
    int lockTicks = 0;
    ColourValue colour = kColourBlack;
    std::function<void()> changed;
};

} // namespace kalvex
