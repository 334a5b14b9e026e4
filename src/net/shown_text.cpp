#include "net/shown_text.h"

namespace kalvex {

namespace {

ShownTextTranslator installedTranslator = nullptr;

} // namespace

void setShownTextTranslator(ShownTextTranslator translator)
{
    installedTranslator = translator;
}

std::string translate(const char *context, const char *english)
{
    return installedTranslator != nullptr ? installedTranslator(context, english)
                                          : std::string(english);
}

std::string withArgs(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            out += *(args.begin() + index);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace kalvex
