#pragma once
// A made-up language for the plain C++ layers' shown texts: every text comes
// out as "[" + English + "]", so that a test sees which texts were looked up
// and which bytes stayed as they were. Installed for one scope.

#include "net/shown_text.h"

#include <string>

namespace kalvex::test {

class BracketLanguage
{
public:
    BracketLanguage() { setShownTextTranslator(&bracketed); }
    ~BracketLanguage() { setShownTextTranslator(nullptr); }
    BracketLanguage(const BracketLanguage &) = delete;
    BracketLanguage &operator=(const BracketLanguage &) = delete;

private:
    static std::string bracketed(const char *, const char *english)
    {
        return "[" + std::string(english) + "]";
    }
};

} // namespace kalvex::test
