// A text size change with a long transcript lays out only what is shown and
// the rest while idle. Everything the user and assistive technology meet
// must be as if every line had been laid out at once: a pane filled at the
// new size from the start stands for that.

#include "chat/qt/link_opener.h"
#include "chat/qt/transcript_accessible.h"
#include "chat/qt/transcript_pane.h"
#include "recording_opener.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kalvex {
namespace {

constexpr int kLines = 1500;
constexpr int kNewSize = 14;

// Some lines take more rows than their length suggests (wide letters),
// others fewer, so that the estimates err both ways.
const std::array<std::string, 7> kSamples = {
    "4+Wim chats: WWWWW MMMMM WWWWW MMMMM WWWWW MMMMM WWWWW MMMMM WWWWW",
    "0+Round 3 is starting.",
    "2+Ann chats: good luck everyone :)#10 this one is hard and it wraps onto more rows",
    "5+Bob chats: look at www.example.com/rules before the next round please",
    "7+Cy says: Way To Go!",
    "3+Dee chats: averyveryverylongwordwithoutanyblanksthatmustbebrokenacrossrows and more",
    "9+Eve grins :)#12 :)#13 :)#14",
};

void fill(TranscriptPane &pane)
{
    for (int i = 0; i < kLines; ++i)
        pane.addlinetochat(kSamples[i % kSamples.size()] + " " + std::to_string(i),
                           ColourValue(0x00800000 + i % 7));
}

class TextSizeChange : public ::testing::Test
{
protected:
    TextSizeChange()
    {
        for (TranscriptPane *pane : {&changed, &reference}) {
            pane->resize(267, 339);
            pane->keepPlainText();
            pane->show();
        }
        changed.setLinkOpener(&changedOpener);
        reference.setLinkOpener(&referenceOpener);
        // The reference lays out every line as it comes, at the new size.
        reference.chooseTextSize(kNewSize);
        fill(reference);
        fill(changed);
    }

    void SetUp() override
    {
        ASSERT_TRUE(reference.currentLayout().isComplete());
        changed.chooseTextSize(kNewSize);
        // Otherwise nothing here would check the lazy layout.
        ASSERT_FALSE(changed.currentLayout().isComplete());
    }

    static QImage picture(QWidget *widget) { return widget->grab().toImage(); }
    static QScrollBar *bar(TranscriptPane &pane) { return pane.verticalScrollBar(); }

    // Runs the event loop until the idle layout has done its work.
    void settle()
    {
        QElapsedTimer waited;
        waited.start();
        while (!changed.currentLayout().isComplete() && waited.elapsed() < 20000)
            QCoreApplication::processEvents();
        ASSERT_TRUE(changed.currentLayout().isComplete());
    }

    static QAccessibleTextInterface *textOf(TranscriptPane &pane)
    {
        return QAccessible::queryAccessibleInterface(&pane)->textInterface();
    }

    // A character's rectangle relative to the pane's viewport.
    static QRect shownRect(TranscriptPane &pane, int offset)
    {
        const QRect global = textOf(pane)->characterRect(offset);
        return global.translated(-pane.viewport()->mapToGlobal(QPoint(0, 0)));
    }

    TranscriptPane changed;
    TranscriptPane reference;
    RecordingOpener changedOpener;
    RecordingOpener referenceOpener;
};

TEST_F(TextSizeChange, TheEndIsDrawnAtOnceAndTheWholePaneOnceIdle)
{
    EXPECT_EQ(bar(changed)->value(), bar(changed)->maximum()) << "the view follows the end";
    EXPECT_EQ(picture(changed.viewport()), picture(reference.viewport()));
    settle();
    EXPECT_EQ(bar(changed)->maximum(), bar(reference)->maximum());
    EXPECT_EQ(bar(changed)->value(), bar(reference)->value());
    EXPECT_EQ(picture(&changed), picture(&reference)) << "scroll bar included";
}

TEST_F(TextSizeChange, TheTopAndTheEndShowTheirLinesBeforeTheRestIsLaidOut)
{
    bar(changed)->setValue(0);
    bar(reference)->setValue(0);
    EXPECT_EQ(picture(changed.viewport()), picture(reference.viewport()));
    bar(changed)->setValue(bar(changed)->maximum());
    bar(reference)->setValue(bar(reference)->maximum());
    EXPECT_EQ(picture(changed.viewport()), picture(reference.viewport()));
}

TEST_F(TextSizeChange, SelectionAcrossLinesAndCopyTakeTheSameText)
{
    const QPoint from(40, 30);
    const QPoint to(120, 300);
    for (TranscriptPane *pane : {&changed, &reference}) {
        QTest::mousePress(pane->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(pane->viewport(), to);
        QTest::mouseRelease(pane->viewport(), Qt::LeftButton, {}, to);
    }
    const QString selected = reference.selectedText();
    EXPECT_GE(selected.count(QStringLiteral("\r\n")), 2) << selected.toStdString();
    EXPECT_EQ(changed.selectedText(), selected);
    changed.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), selected);
    EXPECT_EQ(picture(changed.viewport()), picture(reference.viewport())) << "selection drawn";
}

TEST_F(TextSizeChange, ALinkInViewOpensItsOwnAddress)
{
    const int last = int(changed.transcript().linkCount()) - 1;
    const std::size_t item = *reference.transcript().linkItem(last);
    const QPoint at = reference.characterRect({item, 2}).center();
    QTest::mouseClick(changed.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(reference.viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(referenceOpener.opened.size(), 1);
    EXPECT_EQ(changedOpener.opened, referenceOpener.opened);
}

TEST_F(TextSizeChange, ScreenReadersFindTheSameTextAndPlaces)
{
    const int length = textOf(reference)->characterCount();
    ASSERT_EQ(textOf(changed)->characterCount(), length);
    EXPECT_EQ(textOf(changed)->text(0, length), textOf(reference)->text(0, length));
    // Places in view, then one near the top that is not laid out yet.
    for (int offset : {length - 1, length - 40, length - 200, 30}) {
        EXPECT_EQ(shownRect(changed, offset), shownRect(reference, offset)) << "offset " << offset;
        ASSERT_FALSE(shownRect(reference, offset).isEmpty()) << "offset " << offset;
    }
    const QPoint inView = changed.viewport()->mapToGlobal(QPoint(60, 200));
    EXPECT_EQ(textOf(changed)->offsetAtPoint(inView),
              textOf(reference)->offsetAtPoint(reference.viewport()->mapToGlobal(QPoint(60, 200))));
    // Scrolling a reader to that early place shows it as the full layout does.
    textOf(changed)->scrollToSubstring(30, 31);
    textOf(reference)->scrollToSubstring(30, 31);
    EXPECT_EQ(bar(changed)->value(), bar(reference)->value());
    EXPECT_EQ(picture(&changed), picture(&reference));
}

// A wider pane is laid out the same way as a new text size.
TEST(WidthChange, TheViewIsDrawnAtOnceAsAFullLayoutDrawsIt)
{
    TranscriptPane changed;
    TranscriptPane reference;
    changed.resize(267, 339);
    reference.resize(340, 339);
    for (TranscriptPane *pane : {&changed, &reference}) {
        pane->show();
        fill(*pane);
    }
    reference.finishLayout();
    changed.resize(340, 339);
    ASSERT_FALSE(changed.currentLayout().isComplete());
    EXPECT_EQ(changed.viewport()->grab().toImage(), reference.viewport()->grab().toImage());
    changed.finishLayout();
    EXPECT_EQ(changed.grab().toImage(), reference.grab().toImage());
}

// Scrolled back into the transcript, the view stays on the line it showed
// at its top while the lines around it are laid out.
TEST(TextSizeChangeInTheMiddle, TheViewKeepsItsLine)
{
    TranscriptPane pane;
    pane.resize(267, 339);
    pane.show();
    fill(pane);
    pane.verticalScrollBar()->setValue(pane.verticalScrollBar()->maximum() / 2);
    const QPoint topLeft(TranscriptPane::kMargin, TranscriptPane::kTopMargin + 1);
    const TextPosition before = pane.positionAt(topLeft);
    pane.chooseTextSize(kNewSize);
    TranscriptLayout &layout = pane.currentLayout();
    EXPECT_EQ(layout.lineOfItem(pane.positionAt(topLeft).item), layout.lineOfItem(before.item));
    pane.finishLayout();
    ASSERT_TRUE(layout.isComplete());
    EXPECT_EQ(layout.lineOfItem(pane.positionAt(topLeft).item), layout.lineOfItem(before.item));
    EXPECT_LT(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->maximum());
}

// Lines that come and go while the rest is laid out in idle turns: the
// oldest dropped at the bound, new ones added at the end.
TEST(TextSizeChangeWhileLinesComeAndGo, TheResultIsAFullLayoutsOnceIdle)
{
    const TranscriptBounds bounds{600, kMaxTranscriptBytes};
    TranscriptPane changed(nullptr, bounds);
    TranscriptPane reference(nullptr, bounds);
    for (TranscriptPane *pane : {&changed, &reference}) {
        pane->resize(267, 339);
        pane->show();
    }
    reference.chooseTextSize(kNewSize);
    fill(reference);
    fill(changed);
    changed.chooseTextSize(kNewSize);
    ASSERT_FALSE(changed.currentLayout().isComplete());
    for (int i = 0; i < 50; ++i) {
        const std::string line = "6+Kit chats: late line " + std::to_string(i);
        changed.addlinetochat(line, ColourValue(0));
        reference.addlinetochat(line, ColourValue(0));
        if (i % 10 == 0)
            QCoreApplication::processEvents();
    }
    ASSERT_EQ(changed.transcript().lineCount(), 600u);
    changed.finishLayout();
    EXPECT_TRUE(changed.currentLayout().isComplete()) << "no idle turns left to run";
    EXPECT_EQ(changed.verticalScrollBar()->maximum(), reference.verticalScrollBar()->maximum());
    changed.verticalScrollBar()->setValue(0);
    reference.verticalScrollBar()->setValue(0);
    EXPECT_EQ(changed.grab().toImage(), reference.grab().toImage());
}

// The last lines take more rows than estimated: laying them out moves the
// end, and the view goes on following it.
TEST(TextSizeChangeAtTheEnd, TheViewFollowsAnEndThatMovesAsItIsLaidOut)
{
    TranscriptPane pane;
    pane.resize(267, 339);
    pane.show();
    fill(pane);
    for (int i = 0; i < 40; ++i)
        pane.addlinetochat(kSamples[0], ColourValue(0));
    pane.chooseTextSize(kNewSize);
    QScrollBar *bar = pane.verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    const std::size_t lastItem = pane.transcript().items().size() - 1;
    const QRect last = pane.characterRect({lastItem, 0});
    EXPECT_TRUE(pane.viewport()->rect().contains(last)) << "the last line is shown";
}

} // namespace
} // namespace kalvex
