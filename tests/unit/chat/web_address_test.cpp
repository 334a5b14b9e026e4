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

TEST(WebAddress, PunctuationAroundAnAddressIsNotPartOfIt)
{
    EXPECT_EQ(webAddressForLink("(www.x.com) "), "http://www.x.com");
    EXPECT_EQ(webAddressForLink("www.example.com, "), "http://www.example.com");
    EXPECT_EQ(webAddressForLink("www.x.com! "), "http://www.x.com");
    EXPECT_EQ(webAddressForLink("www.x.com?! "), "http://www.x.com");
    EXPECT_EQ(webAddressForLink("\"http://x.org/a.html.\" "), "http://x.org/a.html");
    EXPECT_EQ(webAddressForLink("<https://x.org/a>; "), "https://x.org/a");
    EXPECT_EQ(webAddressForLink("[www.x.com/b]: "), "http://www.x.com/b");
    EXPECT_EQ(webAddressForLink("'www.x.com'... "), "http://www.x.com");
    // Typographic and full-width marks of other scripts go as well.
    EXPECT_EQ(webAddressForLink("\xC2\xABwww.x.com\xC2\xBB "), "http://www.x.com");
    EXPECT_EQ(webAddressForLink("www.x.com\xE3\x80\x82 "), "http://www.x.com");
    EXPECT_EQ(webAddressForLink("\xE2\x80\x9Cwww.x.com\xE2\x80\x9D\xE2\x80\xA6 "),
              "http://www.x.com");
    // A closing bracket that closes one inside the address belongs to it.
    EXPECT_EQ(webAddressForLink("http://en.wikipedia.org/wiki/Pi_(letter) "),
              "http://en.wikipedia.org/wiki/Pi_(letter)");
    EXPECT_EQ(webAddressForLink("(http://en.wikipedia.org/wiki/Pi_(letter)). "),
              "http://en.wikipedia.org/wiki/Pi_(letter)");
}

TEST(WebAddress, PunctuationDoesNotLetOtherSchemesThrough)
{
    for (const char *text : {"(file:///www.x) ", "(javascript:www.x) ", "\"mailto:www.x@y\" ",
                             "(\\\\server\\www.share) ", "() ", "(((. "}) {
        EXPECT_FALSE(webAddressForLink(text).has_value()) << text;
    }
}

} // namespace
} // namespace kalvex
