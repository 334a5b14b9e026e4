#include "windows/download_progress.h"

#include "net/ascii_text.h"
#include "net/shown_text.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace kalvex {

namespace {

bool isLoopbackHost(std::string_view host)
{
    if (equalsIgnoringAsciiCase(host, "localhost"))
        return true;
    const std::string text(host);
    in_addr v4{};
    if (::inet_pton(AF_INET, text.c_str(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    if (::inet_pton(AF_INET6, text.c_str(), &v6) == 1) {
        if (IN6_IS_ADDR_LOOPBACK(&v6))
            return true;
        return IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127;
    }
    return false;
}

} // namespace

bool mayStartProgramFrom(std::string_view scheme, std::string_view host)
{
    if (equalsIgnoringAsciiCase(scheme, "https"))
        return !host.empty();
    return equalsIgnoringAsciiCase(scheme, "http") && isLoopbackHost(host);
}

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
    infolabelText = translate("DownloadProgress", "Loading");
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
        infolabelText = withArgs(translate("DownloadProgress", "Received %1 bytes"),
                                 {std::to_string(fileSize)});
    } else {
        infolabelText = translate("DownloadProgress", "Download Aborted");
        abortedFlag = Flag::Aborted;
    }
    idle();
    if (abortedFlag == Flag::Aborted)
        return false;
    infolabel3Text = translate("DownloadProgress", "Installing");
    return true;
}

void DownloadProgress::endWithError()
{
    infolabelText = translate("DownloadProgress", "Download Aborted");
    abortedFlag = Flag::Aborted;
    idle();
}

void DownloadProgress::stop()
{
    infolabelText = translate("DownloadProgress", "Download has been aborted.");
    abortedFlag = Flag::Aborted;
    infolabel3Text = translate("DownloadProgress", "Download Aborted");
}

} // namespace kalvex
