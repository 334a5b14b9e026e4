#include "windows/download_progress.h"

namespace kalvex {

std::string installerFileName(std::string_view address)
{
    const auto slash = address.rfind('/');
    return std::string(slash == std::string_view::npos ? address : address.substr(slash + 1));
}

void DownloadProgress::prepare(std::string_view address)
{
    abortedFlag = Flag::Running;
    infolabel2Text = installerFileName(address);
}

void DownloadProgress::started()
{
    getButton = false;
    abortButton = true;
    infolabelText = "Loading";
    isRunning = true;
}

void DownloadProgress::idle()
{
    isRunning = false;
    getButton = true;
    abortButton = false;
}

bool DownloadProgress::end(bool succeeded, std::int64_t fileSize)
{
    if (succeeded) {
        infolabelText = "Received " + std::to_string(fileSize) + " bytes";
    } else {
        infolabelText = "Download Aborted";
        abortedFlag = Flag::Aborted;
    }
    idle();
    if (abortedFlag == Flag::Aborted)
        return false;
    infolabel3Text = "Installing";
    return true;
}

void DownloadProgress::endWithError()
{
    infolabelText = "Download Aborted";
    abortedFlag = Flag::Aborted;
    idle();
}

void DownloadProgress::stop()
{
    infolabelText = "Download has been aborted.";
    abortedFlag = Flag::Aborted;
    infolabel3Text = "Download Aborted";
}

} // namespace kalvex
