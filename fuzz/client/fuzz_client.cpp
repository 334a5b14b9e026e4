// Feeds hostile server lines, clicks and clock ticks to the client session.
// Lines are separated by newlines; a line starting with "!" is a user action.
#include "chat/transcript.h"
#include "client/game_client.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

struct NullOutput : kalvex::LinkPort, kalvex::SessionPort
{
    void send(const std::string &) override {}
    void loadinifile() override {}
    void gameIsFull() override {}
    void roundClock(bool) override {}
};

void userAction(kalvex::ClientSession &session, std::string_view action)
{
    const int a = action.size() > 1 ? static_cast<unsigned char>(action[1]) : 0;
    const int b = action.size() > 2 ? static_cast<unsigned char>(action[2]) : 0;
    switch (a % 6) {
    case 0:
        session.ballClick(b % 14 - 1, b / 14 % 6);
        break;
    case 1:
        session.checkPress();
        break;
    case 2:
        session.clockTick();
        break;
    case 3:
        session.justWatchClick();
        break;
    case 4:
        session.openSeatMenu(b % 13 - 1);
        session.kickMenuRemove();
        session.kickMenuSetWatching();
        break;
    default:
        session.setHosting(b & 1);
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    NullOutput out;
    kalvex::Transcript transcript;
    kalvex::GameClient client({.link = out, .owner = out}, transcript);
    kalvex::ClientSession &session = client.session();
    session.setPlayername("Ann");
    std::string_view input(reinterpret_cast<const char *>(data), size);
    while (!input.empty()) {
        const auto end = input.find('\n');
        const std::string_view line = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (!line.empty() && line[0] == '!') {
            userAction(session, line);
            continue;
        }
        try {
            session.handleLine(line);
        } catch (const kalvex::ConvertError &) {
        }
    }
    return 0;
}
