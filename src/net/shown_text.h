#pragma once
// Texts that the plain C++ layers compose for the player's own screen
// (status lines, the system's lines in the chat, captions). They are written
// in English and marked for the translation tools; the program installs a
// translator that looks them up in the player's language. Nothing that is
// sent to another program or stored in a file goes through here: those
// bytes must stay the same whatever the language.

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text for the translation tools where it cannot be looked up yet
// (a table); translate() looks it up later under the same context. The
// same definition as Qt's, so that either header may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace kalvex {

// Looks up `english` in the player's language; answers it unchanged when
// there is no translation.
using ShownTextTranslator = std::string (*)(const char *context, const char *english);

// Installed once at start-up, before any window exists; none means English.
void setShownTextTranslator(ShownTextTranslator translator);

// The shown text in the player's language, or `english` itself.
std::string translate(const char *context, const char *english);

// Puts args[0] where the pattern says %1, args[1] for %2, ... up to %9, in
// one pass: a name that itself contains "%2" stays as it is.
std::string withArgs(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace kalvex
