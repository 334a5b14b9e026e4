#include "lobby/qt/xmpp_room_rules.h"

#include "chat/transcript.h"
#include "chat/utf8_text.h"
#include "lobby/player_name.h"
#include "net/chat_limits.h"

#include <QHostAddress>

#include <algorithm>

namespace kalvex {

namespace {

// Names of other programs in the room may be longer than ours; past this
// they are cut.
constexpr std::size_t kMaxShownNicknameBytes = 4 * kMaxPlayerNameBytes;
constexpr int kLongestRetrySeconds = 60;

std::string controlsAsBlanks(std::string_view text)
{
    std::string shown = lineBreaksAsBlanks(text);
    shown.erase(std::remove(shown.begin(), shown.end(), '\xFF'), shown.end());
    for (char &c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return shown;
}

} // namespace

std::string roomChatText(std::string_view text)
{
    std::string shown = controlsAsBlanks(text);
    shown.resize(utf8Prefix(shown, kMaxChatTextBytes).size());
    return shown;
}

std::string roomNicknameText(std::string_view nickname)
{
    std::string shown = controlsAsBlanks(nickname);
    shown.resize(utf8Prefix(shown, kMaxShownNicknameBytes).size());
    return shown;
}

std::string suggestedNickname(std::string_view taken)
{
    std::string_view base = taken;
    int number = 2;
    if (const std::size_t underscore = taken.rfind('_'); underscore != std::string_view::npos) {
        const std::string_view digits = taken.substr(underscore + 1);
        const bool counted =
            !digits.empty() && digits.size() <= 4 && digits.front() != '0' &&
            std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (counted && underscore > 0) {
            base = taken.substr(0, underscore);
            number = std::stoi(std::string(digits)) + 1;
        }
    }
    const std::string suffix = "_" + std::to_string(number);
    const std::size_t room =
        kMaxPlayerNameBytes > suffix.size() ? kMaxPlayerNameBytes - suffix.size() : 0;
    std::string suggestion(utf8Prefix(base, room));
    while (!suggestion.empty() && suggestion.back() == ' ')
        suggestion.pop_back();
    return suggestion + suffix;
}

int retryDelaySeconds(int failures)
{
    int seconds = 2;
    for (int i = 1; i < failures && seconds < kLongestRetrySeconds; ++i)
        seconds *= 2;
    return std::min(seconds, kLongestRetrySeconds);
}

bool isLoopbackServer(const QString &server)
{
    QString host = server.trimmed();
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace kalvex
