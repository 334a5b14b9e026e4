#include "net/error_report.h"

#include <cstdio>
#include <utility>

namespace kalvex {

namespace {

ErrorSink &sink()
{
    static ErrorSink current;
    return current;
}

} // namespace

ErrorSink setErrorSink(ErrorSink next)
{
    return std::exchange(sink(), std::move(next));
}

void reportError(ErrorOrigin origin, const std::string &text)
{
    // A sink that throws must not turn a report into a crash.
    try {
        if (sink()) {
            sink()(origin, text);
            return;
        }
    } catch (...) {
    }
    std::fprintf(stderr, "kalvex: %s\n", text.c_str());
}

} // namespace kalvex
