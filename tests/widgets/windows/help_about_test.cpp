#include "recording_desktop.h"
#include "windows/help_pages.h"
#include "windows/qt/about_form.h"
#include "windows/qt/help_form.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

using testing::RecordingDesktop;

QString caption(const Thelp &help)
{
    return help.findChild<QLabel *>("label_caption")->text();
}

QString shownText(const Thelp &help)
{
    return help.findChild<QTextBrowser *>("memo_page")->toPlainText();
}

TEST(HelpWindow, OpensOnTheOverview)
{
    Thelp help(nullptr);
    EXPECT_EQ(help.windowTitle(), "Kalvex - Help File");
    EXPECT_EQ(help.currentPage(), 1);
    EXPECT_EQ(caption(help), "Overview");
    EXPECT_FALSE(shownText(help).isEmpty());
}

TEST(HelpWindow, EachButtonShowsItsNumberedPageUnderItsCaption)
{
    Thelp help(nullptr);
    for (const HelpPage &page : kHelpPages) {
        auto *button =
            help.findChild<QPushButton *>(QStringLiteral("button_page%1").arg(page.number));
        ASSERT_NE(button, nullptr) << page.number;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(help.currentPage(), page.number);
        EXPECT_EQ(caption(help), QString::fromLatin1(page.caption));
        EXPECT_EQ(shownText(help),
                  QTextDocumentFragment::fromHtml(Thelp::pageText(page.number)).toPlainText());
        EXPECT_GT(shownText(help).size(), 300) << page.number;
    }
}

TEST(HelpWindow, PagesCarryWhatAPlayerNeedsToKnow)
{
    EXPECT_TRUE(Thelp::pageText(2).contains("7772"));
    EXPECT_TRUE(Thelp::pageText(2).contains("firewall", Qt::CaseInsensitive));
    EXPECT_TRUE(Thelp::pageText(3).contains("yellow", Qt::CaseInsensitive));
    EXPECT_TRUE(Thelp::pageText(4).contains("5 extra points"));
    EXPECT_TRUE(Thelp::pageText(5).contains("History"));
    EXPECT_TRUE(Thelp::pageText(7).isEmpty());
}

TEST(HelpWindow, RemembersTheLastPageAndHidesOnDone)
{
    Thelp help(nullptr);
    help.show();
    QTest::mouseClick(help.findChild<QPushButton *>("button_page5"), Qt::LeftButton);
    EXPECT_EQ(caption(help), "Documentation");
    QTest::mouseClick(help.findChild<QPushButton *>("button_done"), Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    help.show();
    EXPECT_EQ(help.currentPage(), 5);
    help.showPage(9);
    EXPECT_EQ(help.currentPage(), 5);
}

TEST(HelpWindow, AboutButtonAsksForTheAboutWindow)
{
    Thelp help(nullptr);
    QSignalSpy about(&help, &Thelp::aboutRequested);
    QTest::mouseClick(help.findChild<QPushButton *>("button_about"), Qt::LeftButton);
    EXPECT_EQ(about.size(), 1);
}

TEST(HelpWindow, IsResizableWithItsDesignSize)
{
    Thelp help(nullptr);
    EXPECT_EQ(help.size(), QSize(548, 422));
    EXPECT_NE(help.minimumSize(), help.maximumSize());
}

class AboutWindow : public ::testing::Test
{
protected:
    QLabel *label(const char *name) const { return about.findChild<QLabel *>(name); }

    RecordingDesktop desktop;
    Tabout about{nullptr, {}, &desktop};
};

TEST_F(AboutWindow, ShowsTheProtocolVersionFollowedByItsBuild)
{
    EXPECT_EQ(about.windowTitle(), "Kalvex - About");
    EXPECT_EQ(label("label_version")->text(), "1.0.5");
    EXPECT_EQ(label("label_build")->text(), ".6");
    EXPECT_EQ(Tabout::versionText(), "1.0.5");
}

TEST_F(AboutWindow, WebLineOpensTheMakersPageInTheBrowser)
{
    about.show();
    QTest::mouseClick(label("label_web"), Qt::LeftButton);
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened.first(), QUrl("http://www.orbo77.com"));
    EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(AboutWindow, ABrowserThatFailsIsReported)
{
    desktop.browserWorks = false;
    about.openWebPage();
    EXPECT_EQ(desktop.messages, QStringList({"Cannot open Webpage"}));
}

TEST_F(AboutWindow, LogoClickHidesAndDoneCloses)
{
    about.show();
    QTest::mouseClick(label("image_logo"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    about.show();
    QTest::mouseClick(about.findChild<QPushButton *>("button_done"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(desktop.opened.isEmpty());
}

} // namespace
} // namespace kalvex
