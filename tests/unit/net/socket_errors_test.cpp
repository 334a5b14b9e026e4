#include "net/error_report.h"
#include "net/socket_errors.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace kalvex;

TEST(SocketErrors, ErrorTextNamesTheCode)
{
    EXPECT_EQ(socketErrorText(10061), "Error #10061 (WSAECONNREFUSED)");
    EXPECT_EQ(socketErrorText(10004), "Error #10004 (WSAEINTR)");
    EXPECT_EQ(socketErrorText(10071), "Error #10071 (WSAEREMOTE)");
    EXPECT_EQ(socketErrorText(10091), "Error #10091 (WSASYSNOTREADY)");
    EXPECT_EQ(socketErrorText(10093), "Error #10093 (WSANOTINITIALISED)");
    EXPECT_EQ(socketErrorText(10101), "Error #10101 (WSAEDISCON)");
    EXPECT_EQ(socketErrorText(11001), "Error #11001 (WSAHOST_NOT_FOUND)");
    EXPECT_EQ(socketErrorText(11004), "Error #11004 (WSANO_DATA)");
}

TEST(SocketErrors, CodesWithoutANameAreUnknown)
{
    for (int code : {10000, 10001, 10005, 10072, 10090, 10094, 10100, 11000, 11005, wsa::kUnknown})
        EXPECT_EQ(socketErrorName(code), "UNKNOWN ERROR") << code;
}

TEST(ErrorReport, GuardedReportsWhatEscapesAndTellsTheCaller)
{
    std::vector<std::pair<ErrorOrigin, std::string>> seen;
    const ErrorSink previous = setErrorSink(
        [&](ErrorOrigin origin, const std::string &text) { seen.emplace_back(origin, text); });
    EXPECT_TRUE(guarded(ErrorOrigin::Local, [] {}));
    EXPECT_FALSE(guarded(ErrorOrigin::Peer, [] { throw ESockException("Error here"); }));
    EXPECT_FALSE(guarded(ErrorOrigin::Local, [] { throw 42; }));
    setErrorSink([](ErrorOrigin, const std::string &) { throw std::runtime_error("sink"); });
    EXPECT_FALSE(guarded(ErrorOrigin::Local, [] { throw std::runtime_error("lost"); }))
        << "a failing sink must not let the exception escape";
    setErrorSink(previous);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(ErrorOrigin::Peer, std::string("Error here")));
    EXPECT_EQ(seen[1], std::make_pair(ErrorOrigin::Local, std::string("Unknown error")));
}
