#include "chat/web_address.h"

#include <gtest/gtest.h>

namespace kalvex {
namespace {

TEST(WebAddress, WebLinksBecomeHttpOrHttpsAddresses)
{
    EXPECT_EQ(webAddressForLink("www.example.com "), "http://www.example.com");
    EXPECT_EQ(webAddressForLink("http://www.example.com/a?b=1#c "),
              "http://www.example.com/a?b=1#c");
    EXPECT_EQ(webAddressForLink("HTTP://Example.org"), "http://Example.org");
    EXPECT_EQ(webAddressForLink("https://www.example.com/"), "https://www.example.com/");
    EXPECT_EQ(webAddressForLink("www.example.com:8080/x "), "http://www.example.com:8080/x");
    // Only the one blank that followed the word goes.
    EXPECT_FALSE(webAddressForLink("www.example.com  ").has_value());
}

TEST(WebAddress, AnythingElseIsNotOpened)
{
    for (const char *text :
         {"file:///etc/www.passwd ", "javascript:alert('www.') ", "xhttp://evil.com ",
          "\\\\server\\www.share ", "user@www.example.com ", "http:// ", "http://",
          "www.example.com:abc ", "mailto:www.x@y ", "http://www.a.com/\x01 ", "http://-www.x.com ",
          "ftp://www.example.com ", "C:\\www.exe ", "http://http://www.x.com "}) {
        EXPECT_FALSE(webAddressForLink(text).has_value()) << text;
    }
}

} // namespace
} // namespace kalvex
