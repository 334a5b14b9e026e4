#include "app/qt/translations.h"

#include "net/shown_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <string>

namespace kalvex {

namespace {

std::string translateWithQt(const char *context, const char *english)
{
    return QCoreApplication::translate(context, english).toStdString();
}

// "de-DE" -> {"de_DE", "de"}: the most specific translation first.
QStringList candidates(const QString &uiLanguage)
{
    QString name = uiLanguage;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    QStringList names{name};
    while (name.contains(QLatin1Char('_'))) {
        name.truncate(name.lastIndexOf(QLatin1Char('_')));
        names << name;
    }
    return names;
}

bool isEnglish(const QString &uiLanguage)
{
    return uiLanguage == QLatin1String("C") || uiLanguage == QLatin1String("POSIX") ||
           uiLanguage.startsWith(QLatin1String("en"));
}

} // namespace

QString chosenLanguage(const QStringList &languages, const QString &catalogue)
{
    for (const QString &language : languages) {
        if (isEnglish(language))
            return {};
        for (const QString &name : candidates(language)) {
            if (QFile::exists(QStringLiteral("%1/%2_%3.qm")
                                  .arg(QString::fromLatin1(kTranslationsPath), catalogue, name)))
                return name;
        }
    }
    return {};
}

QString installTranslations(QCoreApplication &application, const QString &catalogue)
{
    const QString name = chosenLanguage(QLocale::system().uiLanguages(), catalogue);
    if (name.isEmpty())
        return {};
    auto own = std::make_unique<QTranslator>(&application);
    if (!own->load(catalogue + QLatin1Char('_') + name, QString::fromLatin1(kTranslationsPath)))
        return {};
    QCoreApplication::installTranslator(own.release());
    // Qt's standard dialogs speak the same language when Qt has it.
    auto qt = std::make_unique<QTranslator>(&application);
    if (qt->load(QStringLiteral("qtbase_") + name,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt.release());
    setShownTextTranslator(&translateWithQt);
    return name;
}

} // namespace kalvex
