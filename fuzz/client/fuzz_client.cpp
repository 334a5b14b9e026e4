// Feeds hostile server lines, clicks and clock ticks to the client session.
// Lines are separated by newlines; a line starting with "!" is a user action.
#include "client/client_session.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

struct NullOutput : kalvex::ClientOutput
{
    void send(const std::string &) override {}
    void addlinetochat(std::string_view, kalvex::ColourValue) override {}
    void chatrecieved(std::string_view) override {}
    void playasound(std::string_view) override {}
    void playsounds(kalvex::Cue) override {}
    void addtomineincrease(int) override {}
    void addgame(std::string_view) override {}
    void loadinifile() override {}
    void spyEntered(int, std::string_view) override {}
    void spyLeft(int, std::string_view) override {}
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
    kalvex::ClientSession session(out);
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
