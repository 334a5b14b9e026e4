#include "windows/qt/phrases_form.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace kalvex {
namespace {

QLineEdit *field(const Tphrases &window, int n)
{
    return window.findChild<QLineEdit *>(QStringLiteral("phrase%1").arg(n));
}

TEST(PhraseEditor, ShowsTheButtonsPhrasesInNineFields)
{
    Tphrases window(nullptr);
    EXPECT_EQ(window.windowTitle(), "Kalvex - Phrase Buttons ");
    window.showPhrases({"Hello", "gg", "/me waves"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(field(window, 1)->text(), "Hello");
    EXPECT_EQ(field(window, 3)->text(), "/me waves");
    for (int n = 4; n <= 9; ++n)
        EXPECT_TRUE(field(window, n)->text().isEmpty()) << n;
    EXPECT_EQ(field(window, 10), nullptr);
}

TEST(PhraseEditor, FieldsRefuseMoreThanFiftyCharacters)
{
    Tphrases window(nullptr);
    window.showPhrases({});
    QTest::keyClicks(field(window, 2), QString(60, QLatin1Char('x')));
    EXPECT_EQ(field(window, 2)->text(), QString(50, QLatin1Char('x')));
}

TEST(PhraseEditor, DoneHandsOverAllNineTextsIncludingEmptyOnesAndCloses)
{
    Tphrases window(nullptr);
    QSignalSpy confirmed(&window, &Tphrases::phrasesConfirmed);
    window.showPhrases({"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"});
    field(window, 2)->clear();
    QTest::keyClicks(field(window, 5), " more");
    QTest::mouseClick(window.findChild<QPushButton *>("button_done"), Qt::LeftButton);
    ASSERT_EQ(confirmed.size(), 1);
    const QStringList texts = confirmed.first().first().toStringList();
    EXPECT_EQ(texts, QStringList({"one", "", "three", "four", "five more", "six", "seven", "eight",
                                  "nine"}));
    EXPECT_FALSE(window.isVisible());
}

TEST(PhraseEditor, EnterInAFieldConfirms)
{
    Tphrases window(nullptr);
    QSignalSpy confirmed(&window, &Tphrases::phrasesConfirmed);
    window.showPhrases({"a"});
    QTest::keyClick(field(window, 1), Qt::Key_Return);
    EXPECT_EQ(confirmed.size(), 1);
}

TEST(PhraseEditor, CloseBoxDiscardsTheEditsAndTheNextShowRefills)
{
    Tphrases window(nullptr);
    QSignalSpy confirmed(&window, &Tphrases::phrasesConfirmed);
    window.showPhrases({"keep"});
    field(window, 1)->setText("edited");
    window.close();
    EXPECT_TRUE(confirmed.isEmpty());
    window.showPhrases({"keep"});
    EXPECT_EQ(field(window, 1)->text(), "keep");
}

} // namespace
} // namespace kalvex
