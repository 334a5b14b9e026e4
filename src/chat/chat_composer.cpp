#include "chat/chat_composer.h"

#include "chat/utf8_text.h"
#include "net/chat_limits.h"
#include "net/message.h"
#include "net/shown_text.h"

#include <algorithm>
#include <cctype>

namespace kalvex {

namespace {

constexpr std::array<const char *, kChatterSoundCount> kChatterCaptions = {
    QT_TRANSLATE_NOOP("ChatterSound", "Doh"),
    QT_TRANSLATE_NOOP("ChatterSound", "Cough"),
    QT_TRANSLATE_NOOP("ChatterSound", "Hello"),
    QT_TRANSLATE_NOOP("ChatterSound", "Thank You"),
    QT_TRANSLATE_NOOP("ChatterSound", "Where have you been?"),
    QT_TRANSLATE_NOOP("ChatterSound", "Snoring"),
    QT_TRANSLATE_NOOP("ChatterSound", "Sneezing"),
    QT_TRANSLATE_NOOP("ChatterSound", "Sorry"),
    QT_TRANSLATE_NOOP("ChatterSound", "Welcome"),
    QT_TRANSLATE_NOOP("ChatterSound", "Yeehaa"),
    QT_TRANSLATE_NOOP("ChatterSound", "Yippee"),
    QT_TRANSLATE_NOOP("ChatterSound", "Oh No"),
    QT_TRANSLATE_NOOP("ChatterSound", "Applause"),
    QT_TRANSLATE_NOOP("ChatterSound", "Honk"),
    QT_TRANSLATE_NOOP("ChatterSound", "Oooh"),
    QT_TRANSLATE_NOOP("ChatterSound", "Razzberry"),
    QT_TRANSLATE_NOOP("ChatterSound", "Cheer"),
    QT_TRANSLATE_NOOP("ChatterSound", "Woman Laughing"),
    QT_TRANSLATE_NOOP("ChatterSound", "Man Laughing"),
    QT_TRANSLATE_NOOP("ChatterSound", "Crying"),
};

constexpr std::array<std::string_view, kPhraseCount> kDefaultPhrases = {
    "Way To Go!", "Good One!", "Nice Try!",         "Excellent!",          "Brilliant!",
    "Wow, WTG!",  "Thanks!",   "Way To Go Teamie!", "Good Game Everyone!",
};

constexpr std::string_view kActionColour = "clBlack";

// The text a chat line or an action carries: no line break (a peer's
// receiving queue may be line based: the rest would arrive as a message of
// its own), no terminator, and no more than the server relays, cut between
// characters.
std::string wireSafe(std::string_view text)
{
    std::string safe;
    safe.reserve(std::min(text.size(), kMaxChatTextBytes));
    for (char c : text) {
        if (c == '\r' || c == '\n')
            safe += ' ';
        else if (c != kTerminator)
            safe += c;
    }
    safe.resize(utf8Prefix(safe, kMaxChatTextBytes).size());
    return safe;
}

} // namespace

std::string chatPlaceholder()
{
    return translate("ChatInput", "<Enter Chat Here>");
}

std::string chatterSoundCaption(int n)
{
    if (n < 1 || n > kChatterSoundCount)
        return {};
    return translate("ChatterSound", kChatterCaptions[n - 1]);
}

std::string_view defaultPhrase(int n)
{
    if (n < 1 || n > kPhraseCount)
        return {};
    return kDefaultPhrases[n - 1];
}

ChatComposer::ChatComposer(ChatHost &host, Transcript &transcript)
    : host(host), transcript(transcript)
{
    for (int n = 1; n <= kPhraseCount; ++n)
        phrases[n - 1] = defaultPhrase(n);
}

bool ChatComposer::sendit(std::string_view typed)
{
    if (!host.loggedin())
        return false;
    if (typed.empty())
        return true;
    if (typed.front() != '/') {
        const std::string text = wireSafe(typed) + "|" + colourToText(colour);
        host.send(Message("CMD_chat").field(host.myslot()).open(text).wire());
    } else if (typed.substr(0, 3) == "/me") {
        sendAction(typed.substr(std::min<std::size_t>(4, typed.size())));
    }
    return true;
}

std::string ChatComposer::afterKeyDown(std::string_view input)
{
    return input == chatPlaceholder() ? std::string() : std::string(input);
}

std::string ChatComposer::withSmiley(std::string_view input, int code)
{
    std::string text = afterKeyDown(input);
    text += kSmileyMarker;
    text += std::to_string(code);
    return text;
}

std::string ChatComposer::withPasted(std::string_view input, std::string_view clipboard)
{
    std::string text(input);
    for (char c : clipboard)
        text += (c == '\r' || c == '\n') ? ' ' : c;
    return text;
}

std::optional<ChatComposer::InputText> ChatComposer::fittedInput(std::string_view beforeCaret,
                                                                 std::string_view afterCaret)
{
    if (beforeCaret.size() + afterCaret.size() <= kMaxChatTextBytes)
        return std::nullopt;
    if (afterCaret.size() >= kMaxChatTextBytes)
        return InputText{{}, std::string(utf8Prefix(afterCaret, kMaxChatTextBytes))};
    return InputText{std::string(utf8Prefix(beforeCaret, kMaxChatTextBytes - afterCaret.size())),
                     std::string(afterCaret)};
}

void ChatComposer::phraseClicked(int n)
{
    if (!ready || n < 1 || n > kPhraseCount)
        return;
    const std::string_view text = phrases[n - 1];
    if (text.substr(0, 4) == "/me ")
        sendAction(text.substr(4));
    else
        sendAction("says: " + std::string(text));
    ready = false;
}

void ChatComposer::tick()
{
    if (!ready)
        ++lockTicks;
    if (lockTicks >= kPhraseLockTicks) {
        ready = true;
        lockTicks = 0;
    }
}

void ChatComposer::setPhrase(int n, std::string_view text)
{
    if (n < 1 || n > kPhraseCount)
        return;
    phrases[n - 1] = text;
    notify();
}

void ChatComposer::chatterSoundChosen(int n)
{
    if (n < 1 || n > kChatterSoundCount)
        return;
    const int slot = host.myslot();
    if (!host.loggedin() || slot > kMaxPlayers)
        return;
    host.send(Message("CMD_playasound").field(slot).field("wave" + std::to_string(n)).wire());
}

void ChatComposer::playasound(std::string_view fields)
{
    const std::size_t plus = fields.find('+');
    if (plus == std::string_view::npos)
        return;
    int slot = 0;
    if (!tryStrToInt(fields.substr(0, plus), slot))
        return;
    std::string_view name = fields.substr(plus + 1);
    name = name.substr(0, name.find('+'));
    const std::optional<int> number = chatterSoundNumber(name);
    if (!number)
        return;
    const int n = *number;
    if (host.chatterSoundsOn()) {
        host.playChatterSound(chatterSoundName(n));
        return;
    }
    const std::optional<std::string> seat =
        slot >= 1 && slot <= kMaxPlayers ? host.seatName(slot) : std::nullopt;
    if (!seat)
        return;
    const std::string line = "0+" + withArgs(translate("ChatComposer", "%1: <Chatter Sound> %2"),
                                             {*seat, chatterSoundCaption(n)});
    transcript.addlinetochat(line, kSysColour);
}

void ChatComposer::setTextColour(ColourValue value)
{
    colour = value;
    notify();
}

void ChatComposer::textColourChosen(ColourValue value)
{
    setTextColour(value);
    host.saveTextColour();
}

void ChatComposer::sendAction(std::string_view text)
{
    const std::string body = wireSafe(text) + "|" + std::string(kActionColour);
    host.send(Message("CMD_action").field(host.myslot()).open(body).wire());
}

void ChatComposer::notify()
{
    if (changed)
        changed();
}

} // namespace kalvex
