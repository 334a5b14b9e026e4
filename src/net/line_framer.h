#pragma once
// Cuts the byte stream of one connection into messages at the terminator,
// keeping the bytes after the last terminator for that connection's next read.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvex {

class LineFramer
{
public:
    // The longest unterminated tail kept: far above any message this program
    // sends, chat lines included.
    static constexpr std::size_t kDefaultMaxTail = 64 * 1024;

    explicit LineFramer(std::size_t tailCap = kDefaultMaxTail) : maxTail(tailCap) {}

    // Calls onLine(std::string&&) once per complete message, in order, without
    // its terminator. Returns false when the unterminated tail grew past the
    // cap: the tail is then discarded, and so is everything up to the next
    // terminator, so that the rest of the oversized message never becomes a
    // line of its own.
    template <typename OnLine> bool cut(std::string_view bytes, OnLine &&onLine);

private:
    std::string tail;
    std::size_t maxTail;
    bool discarding = false;
};

template <typename OnLine> bool LineFramer::cut(std::string_view bytes, OnLine &&onLine)
{
    constexpr char terminator = '\xFF';
    bool withinCap = true;
    while (!bytes.empty()) {
        const auto end = bytes.find(terminator);
        if (end == std::string_view::npos) {
            if (!discarding) {
                if (tail.size() + bytes.size() > maxTail) {
                    tail.clear();
                    tail.shrink_to_fit();
                    discarding = true;
                    withinCap = false;
                } else {
                    tail.append(bytes);
                }
            }
            break;
        }
        if (discarding) {
            discarding = false;
        } else if (tail.size() + end > maxTail) {
            tail.clear();
            withinCap = false;
        } else {
            tail.append(bytes.substr(0, end));
            std::string line;
            line.swap(tail);
            onLine(std::move(line));
        }
        bytes.remove_prefix(end + 1);
    }
    return withinCap;
}

} // namespace kalvex
