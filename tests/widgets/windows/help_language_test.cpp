// The help pages in the player's language.

#include "windows/help_pages.h"
#include "windows/qt/help_form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

// A language whose translation names its help folder and its captions.
class GermanHelp : public QTranslator
{
public:
    GermanHelp() { QCoreApplication::installTranslator(this); }
    ~GermanHelp() override { QCoreApplication::removeTranslator(this); }
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QLatin1String(context) == "kalvex::Thelp" && QLatin1String(source) == "en")
            return QStringLiteral("de");
        if (QLatin1String(context) == "HelpPage" && QLatin1String(source) == "Game Play")
            return QStringLiteral("Spielablauf");
        return {};
    }
};

int count(const QString &html, const QString &tag)
{
    return int(html.count(QRegularExpression("<" + tag + "[ >]")));
}

TEST(HelpLanguage, EveryPageHasAGermanTextOfTheSameShape)
{
    for (const HelpPage &page : kHelpPages) {
        const QString english = Thelp::pageText(page.number);
        QString german;
        {
            GermanHelp language;
            german = Thelp::pageText(page.number);
        }
        ASSERT_FALSE(german.isEmpty()) << page.number;
        EXPECT_EQ(Thelp::pageText(page.number), english) << "English again once the language goes";
        EXPECT_NE(german, english) << page.number;
        for (const char *tag : {"h2", "h3", "p", "li", "tr", "td", "b"})
            EXPECT_EQ(count(german, tag), count(english, tag)) << page.number << " <" << tag << ">";
    }
}

TEST(HelpLanguage, TheWindowShowsTheTranslatedPageUnderItsTranslatedCaption)
{
    GermanHelp language;
    Thelp help(nullptr);
    help.showPage(3);
    EXPECT_EQ(help.findChild<QLabel *>("label_caption")->text(), "Spielablauf");
    EXPECT_TRUE(Thelp::pageText(3).contains("Die Hinweisstifte"));
}

TEST(HelpLanguage, AnUnknownLanguageFolderFallsBackToEnglish)
{
    class Klingon : public QTranslator
    {
    public:
        bool isEmpty() const override { return false; }
        QString translate(const char *context, const char *source, const char *, int) const override
        {
            return QLatin1String(source) == "en" ? QStringLiteral("tlh") : QString();
        }
    } language;
    const QString english = Thelp::pageText(4);
    QCoreApplication::installTranslator(&language);
    EXPECT_EQ(Thelp::pageText(4), english);
    QCoreApplication::removeTranslator(&language);
}

} // namespace
} // namespace kalvex
