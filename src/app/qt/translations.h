#pragma once
// The player's language: the program's own texts and Qt's (the buttons of
// message boxes, the file and colour dialogs), chosen from the desktop's
// language list (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). Texts sent to other
// programs or stored in files never depend on it.

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace kalvex {

// Where the translations of a catalogue are stored in the program:
// ":/i18n/<catalogue>_<language>.qm".
inline constexpr char kTranslationsPath[] = ":/i18n";

// The first of `languages` (most wanted first, as QLocale::uiLanguages gives
// them: "de-DE", "en") that the program holds a translation of `catalogue`
// for, as its file names it ("de"); empty when an English language comes
// first or none has one.
QString chosenLanguage(const QStringList &languages, const QString &catalogue);

// Installs the translation of `catalogue` ("kalvex") for the first of the
// player's languages that has one, with Qt's own translation for the same
// language, and routes the plain C++ layers' shown texts through them. An
// English language met first, or no translation at all, keeps every text
// English. Call once, before any window is built. Answers the language
// installed ("de"), empty for English.
QString installTranslations(QCoreApplication &application, const QString &catalogue);

} // namespace kalvex
