#pragma once
// The one place an exception that escaped an event, timer or command
// handler is reported. The program installs a sink that shows an error box
// (one at a time); tests install one that records.

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace kalvex {

enum class ErrorOrigin
{
    // Caused by the local user or the program: shown to the user.
    Local,
    // Caused by what a remote peer sent: logged, never shown in a box.
    Peer,
};

using ErrorSink = std::function<void(ErrorOrigin, const std::string &)>;

// Replaces the sink and returns the previous one. With no sink, reports go
// to standard error.
ErrorSink setErrorSink(ErrorSink sink);
void reportError(ErrorOrigin origin, const std::string &text);

// Runs an entry point and reports whatever it throws. Returns false when it threw.
template <typename Function> bool guarded(ErrorOrigin origin, Function &&function)
{
    try {
        function();
        return true;
    } catch (const std::exception &e) {
        reportError(origin, e.what());
    } catch (...) {
        reportError(origin, "Unknown error");
    }
    return false;
}

} // namespace kalvex
