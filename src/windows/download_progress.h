#pragma once
// What the lobby download window shows while it fetches the installer: the
// status texts, the button states and the aborted flag, driven by the HTTP
// client's events.

#include "net/shown_text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvex {

// The installer's file name: the address after its last "/".
std::string installerFileName(std::string_view address);
// A server answer that makes the download fail.
inline bool isFailureStatus(int status)
{
    return status >= 400;
}

// Whether a program fetched from this address may be started: only one that
// came over HTTPS (whose certificate the transport has checked), or over
// plain HTTP from this computer itself (a loop-back host). `host` is the
// address's host as a URL gives it: a name, an IPv4 address, or an IPv6
// address without brackets.
bool mayStartProgramFrom(std::string_view scheme, std::string_view host);

// The installer runs silently, without icons or the welcome page.
inline constexpr std::string_view kInstallerParameters = "/SP- /silent /noicons";

class DownloadProgress
{
public:
    enum class Flag
    {
        Idle = 0,
        Running = 1,
        Aborted = 2
    };

    // A download is asked for: flag running, the installer's file name kept.
    // Nothing else changes until the request is made.
    void prepare(std::string_view address);
    // The request is under way: "Loading", only "Stop Download" usable.
    void started();
    void headerLine() { infolabelText += '.'; }
    void docBegin()
    {
        infolabel3Text =
            withArgs(translate("DownloadProgress", "Downloading: %1"), {infolabel2Text});
    }
    void docData(std::int64_t received) { infolabelText = std::to_string(received) + " bytes"; }
    // The request ended. Answers whether the installer should be started.
    bool end(bool succeeded, std::int64_t fileSize);
    // The request ended with an error other than a failure of the download
    // itself (the file could not be written): the buttons return to idle.
    void endWithError();
    // "Stop Download", running or not.
    void stop();

    const std::string &infolabel() const { return infolabelText; }
    const std::string &infolabel2() const { return infolabel2Text; }
    const std::string &infolabel3() const { return infolabel3Text; }
    Flag flag() const { return abortedFlag; }
    bool running() const { return isRunning; }
    bool getEnabled() const { return getButton; }
    bool abortEnabled() const { return abortButton; }

private:
    void idle();

    std::string infolabelText;
    std::string infolabel2Text;
    std::string infolabel3Text;
    Flag abortedFlag = Flag::Idle;
    bool isRunning = false;
    bool getButton = true;
    bool abortButton = true;
};

} // namespace kalvex
