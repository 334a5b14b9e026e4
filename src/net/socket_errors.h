#pragma once
// Socket error codes in the numbering peers and logs of this game use (the
// Windows Sockets codes), their names, and the texts of socket failures.

#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvex {

// A misuse of a socket endpoint; what() is the text the user sees.
class ESockException : public std::runtime_error
{
public:
    explicit ESockException(std::string_view text) : std::runtime_error(std::string(text)) {}
};

namespace socktext {
inline constexpr std::string_view kSendNotConnected = "Send - Socket Not Connected";
inline constexpr std::string_view kSendOnListener = "Send - Cannot Send On A Listener Socket";
inline constexpr std::string_view kListenInUse = "Listen - Socket Already In Use";
inline constexpr std::string_view kListenBind = "Listen - Error Binding Socket";
inline constexpr std::string_view kListenStart = "Listen - Error Starting Listen";
inline constexpr std::string_view kAcceptNotListening = "Accept - Socket Not In Listening Mode";
inline constexpr std::string_view kHostLookup = "Host Lookup - Could Not Find Host Entry";
inline constexpr std::string_view kPortLookup = "Port Lookup - Could Not Find Service Entry";
inline constexpr std::string_view kReceiveNotConnected = "Receive - Socket Not Connected";
inline constexpr std::string_view kReceiveOnListener =
    "Receive - Cannot Receive On A Listener Socket";
// The socket library of this platform needs no start-up, so this text is
// never raised here; it is kept with its siblings for completeness.
inline constexpr std::string_view kStartup = "WSAStartup - Could Not Initialize WinSock";
inline constexpr std::string_view kInfoHandlerFailed = "Error here";
} // namespace socktext

// Socket error codes used in error infos.
namespace wsa {
inline constexpr int kInterrupted = 10004;
inline constexpr int kAccess = 10013;
inline constexpr int kInvalid = 10022;
inline constexpr int kTooManyFiles = 10024;
inline constexpr int kWouldBlock = 10035;
inline constexpr int kMessageSize = 10040;
inline constexpr int kNotSupported = 10045;
inline constexpr int kAddressInUse = 10048;
inline constexpr int kAddressNotAvailable = 10049;
inline constexpr int kNetworkDown = 10050;
inline constexpr int kNetworkUnreachable = 10051;
inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kNoBuffers = 10055;
inline constexpr int kNotConnected = 10057;
inline constexpr int kTimedOut = 10060;
inline constexpr int kConnectionRefused = 10061;
inline constexpr int kHostUnreachable = 10065;
inline constexpr int kHostNotFound = 11001;
inline constexpr int kTryAgain = 11002;
// A failure with no counterpart; named "UNKNOWN ERROR".
inline constexpr int kUnknown = 10999;
} // namespace wsa

// "WSAECONNREFUSED" for 10061; "UNKNOWN ERROR" for a code without a name.
std::string_view socketErrorName(int code);
// "Error #10061 (WSAECONNREFUSED)".
std::string socketErrorText(int code);

} // namespace kalvex
