#include "chat/qt/link_opener.h"
#include "chat/qt/transcript_pane.h"
#include "recording_opener.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kalvex {
namespace {

// The viewport point a third into item `item`'s first fragment, by a full
// layout of its own.
QPoint centreOfItem(TranscriptPane &pane, std::size_t item)
{
    TranscriptLayout layout(pane.transcript(), pane.viewport());
    layout.setWidth(pane.viewport()->width() - 2 * TranscriptPane::kMargin);
    layout.complete();
    const std::size_t index = layout.lineOfItem(item);
    const auto &line = layout.line(index);
    for (const auto &row : line.rows) {
        for (const auto &fragment : row.fragments) {
            if (fragment.item == item) {
                const qreal y = layout.lineTop(index) + row.top + row.height / 2 +
                                TranscriptPane::kTopMargin - pane.verticalScrollBar()->value();
                return QPoint(int(TranscriptPane::kMargin + fragment.x + fragment.width / 3),
                              int(y));
            }
        }
    }
    ADD_FAILURE() << "item " << item << " is not laid out";
    return {};
}

class Pane : public ::testing::Test
{
protected:
    Pane()
    {
        pane.resize(267, 339);
        pane.setLinkOpener(&opener);
        pane.show();
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
    }

    QPoint pointOfItem(std::size_t item) { return centreOfItem(pane, item); }

    void click(QPoint at) { QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, at); }

    TranscriptPane pane;
    RecordingOpener opener;
};

TEST_F(Pane, IsTheMainChatWithItsScrollBarAlwaysShown)
{
    EXPECT_EQ(pane.objectName(), QStringLiteral("mainchat"));
    EXPECT_EQ(pane.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(pane.verticalScrollBar()->isVisible());
    EXPECT_EQ(pane.size(), QSize(267, 339));
}

TEST_F(Pane, SelectAllAndCopyGivePlainTextWithCrLf)
{
    pane.addlinetochat("0+Welcome", kSysColour);
    pane.chatrecieved("2+Ann chats: hi :)#12 there|clRed");
    pane.copy(); // nothing selected: the clipboard stays
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("untouched"));

    pane.selectAll();
    pane.copy();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral(" Welcome \r\nAnn chats:  hi   there "));
}

TEST_F(Pane, SelectAllOnAnEmptyPaneDoesNothing)
{
    pane.selectAll();
    EXPECT_FALSE(pane.hasSelection());
    pane.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("untouched"));
}

TEST_F(Pane, MouseDragSelectsAcrossLines)
{
    pane.addlinetochat("0+First line", kSysColour);
    pane.addlinetochat("0+Second line", kSysColour);
    const QPoint start(TranscriptPane::kMargin, pointOfItem(0).y());
    const QPoint end = pointOfItem(1);
    QTest::mousePress(pane.viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(pane.viewport(), end);
    QTest::mouseRelease(pane.viewport(), Qt::LeftButton, {}, end);
    const QString selected = pane.selectedText();
    EXPECT_TRUE(selected.startsWith(QStringLiteral(" First line \r\n"))) << selected.toStdString();
    EXPECT_LT(selected.size(), QStringLiteral(" First line \r\n Second line ").size());
}

TEST_F(Pane, CopyKeysCopyTheSelection)
{
    pane.addlinetochat("0+Copy me", kSysColour);

    pane.selectAll();
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" Copy me "));
    QApplication::clipboard()->setText(QStringLiteral("other"));
    QTest::keyClick(&pane, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral(" Copy me "));

    pane.addlinetochat("0+and me", kSysColour);
    QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(pane.selectedText(), QStringLiteral(" Copy me \r\n and me "));
}

TEST_F(Pane, ContextMenuHoldsTheTranscriptCommandsInOrder)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            pane.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(pane.viewport(), &event);
    auto *menu = pane.findChild<QMenu *>(QStringLiteral("mainchatMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction *action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts,
              (QStringList{"Select All", "Copy", "Clear &Main Chat", "-", "Scroll Chat O&ff"}));
    EXPECT_TRUE(pane.scrollChatOffAction()->isCheckable());
    EXPECT_EQ(pane.scrollChatOffAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(pane.quickInstructionsAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    menu->close();
}

TEST_F(Pane, ClickingALinkOpensItsWebAddress)
{
    pane.chatrecieved("3+Bo chats: see www.example.com/page now|clBlack");
    pane.chatrecieved("3+Bo chats: http://www.example.org/x|clBlack");
    click(pointOfItem(*pane.transcript().linkItem(0)));
    click(pointOfItem(*pane.transcript().linkItem(1)));
    EXPECT_EQ(opener.opened,
              (QStringList{"http://www.example.com/page", "http://www.example.org/x"}));
    // A click on plain text opens nothing.
    click(pointOfItem(0));
    EXPECT_EQ(opener.opened.size(), 2);
}

TEST_F(Pane, LinksBeyondAHundredOpenTheirOwnText)
{
    for (int i = 0; i < 120; ++i)
        pane.addlinetochat("1+Al chats: www.site" + std::to_string(i) + ".org", kColourBlack);
    click(pointOfItem(*pane.transcript().linkItem(119)));
    EXPECT_EQ(opener.opened, (QStringList{"http://www.site119.org"}));
    EXPECT_EQ(opener.refused, 0);
}

TEST_F(Pane, LinksThatAreNoWebAddressAreNotOpened)
{
    pane.chatrecieved("3+Mal chats: file:///home/www.secret|clBlack");
    pane.chatrecieved("3+Mal chats: \\\\host\\www.share\\run.exe|clBlack");
    click(pointOfItem(*pane.transcript().linkItem(0)));
    click(pointOfItem(*pane.transcript().linkItem(1)));
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_EQ(opener.refused, 2);
    pane.mainchatJump(7); // no such link
    EXPECT_EQ(opener.refused, 3);
}

TEST_F(Pane, AfterClearTheFirstLinkIsNumberZeroAgain)
{
    pane.chatrecieved("3+Bo chats: www.old.com|clBlack");
    QSignalSpy cleared(&pane, &TranscriptPane::chatCleared);
    pane.clearAction()->trigger();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_TRUE(pane.transcript().items().empty());
    pane.chatrecieved("3+Bo chats: www.new.com|clBlack");
    click(pointOfItem(*pane.transcript().linkItem(0)));
    EXPECT_EQ(opener.opened, (QStringList{"http://www.new.com"}));
}

TEST_F(Pane, NewLinesScrollToTheEndUnlessScrollChatIsOff)
{
    for (int i = 0; i < 60; ++i)
        pane.addlinetochat("0+Line " + std::to_string(i), kSysColour);
    QScrollBar *bar = pane.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    pane.scrollChatOffAction()->trigger();
    EXPECT_TRUE(pane.scrollChatOff());
    bar->setValue(10);
    const int maximum = bar->maximum();
    pane.addlinetochat("0+One more", kSysColour);
    EXPECT_GT(bar->maximum(), maximum);
    EXPECT_EQ(bar->value(), 10);
}

TEST_F(Pane, TextSizeEntriesMarkTheChosenSize)
{
    QSignalSpy chosen(&pane, &TranscriptPane::textSizeChosen);
    QStringList texts;
    for (QAction *action : pane.textSizeActions())
        texts.append(action->text());
    EXPECT_EQ(texts, (QStringList{"8", "10", "12", "14"}));

    pane.textSizeActions()[2]->trigger();
    EXPECT_EQ(pane.textSize(), 12);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 12);
    pane.chooseTextSize(8);
    EXPECT_TRUE(pane.textSizeActions()[0]->isChecked());
    EXPECT_FALSE(pane.textSizeActions()[2]->isChecked());

    // From the settings file: no entry is unmarked, no save is asked for.
    pane.applyTextSize(14);
    pane.applyTextSize(9);
    EXPECT_EQ(pane.textSize(), 9);
    EXPECT_TRUE(pane.textSizeActions()[0]->isChecked());
    EXPECT_TRUE(pane.textSizeActions()[3]->isChecked());
    EXPECT_EQ(chosen.count(), 2);
}

TEST_F(Pane, ASlotsFirstLineIsMeasuredInItsBoldFont)
{
    pane.addlinetochat("0+settled", kSysColour);
    pane.currentLayout().height(); // everything laid out at the pane's width
    pane.chatrecieved("7+Bo chats: WWWW|clBlack");
    TranscriptLayout &layout = pane.currentLayout();
    const auto &line = layout.line(layout.lineCount() - 1);
    const auto &fragment = line.rows.front().fragments.front();
    QFont bold(QStringLiteral("Arial"));
    bold.setPointSize(10);
    bold.setBold(true);
    const QFontMetricsF metrics(bold, pane.viewport());
    EXPECT_DOUBLE_EQ(fragment.width, metrics.horizontalAdvance(QStringLiteral("Bo chats:  WWWW ")));
}

TEST_F(Pane, BiggerTextMakesTheSameLinesTaller)
{
    for (int i = 0; i < 40; ++i)
        pane.addlinetochat(
            "0+A line of text that wraps at the edge of the pane " + std::to_string(i), kSysColour);
    const int small = pane.verticalScrollBar()->maximum();
    pane.chooseTextSize(14);
    EXPECT_GT(pane.verticalScrollBar()->maximum(), small);
    EXPECT_EQ(pane.verticalScrollBar()->value(), pane.verticalScrollBar()->maximum());
}

int colouredPixels(const QImage &image, const QRect &area, QRgb wanted)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == wanted;
    return count;
}

TEST_F(Pane, AColourChangeRedrawsEarlierLinesOfTheSlot)
{
    pane.chatrecieved("4+Ann chats: first line|clBlue");
    pane.chatrecieved("5+Bob chats: other slot|clBlack");
    const QRect firstLine(0, 0, pane.viewport()->width(), pointOfItem(1).y() - 6);
    QImage before = pane.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(colouredPixels(before, firstLine, qRgb(0, 0, 255)), 20);
    pane.chatrecieved("4+Ann chats: now red|clRed");
    QImage after = pane.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(colouredPixels(after, firstLine, qRgb(0, 0, 255)), 0);
    EXPECT_GT(colouredPixels(after, firstLine, qRgb(255, 0, 0)), 20);
}

TEST_F(Pane, AHoveredLinkStaysVisibleUnderThePointer)
{
    pane.chatrecieved("3+Bo chats: www.example.com|clBlack");
    const QPoint at = pointOfItem(*pane.transcript().linkItem(0));
    QTest::mouseMove(pane.viewport(), at);
    EXPECT_EQ(pane.viewport()->cursor().shape(), Qt::PointingHandCursor);
    // The tip names the address a click opens.
    EXPECT_EQ(pane.viewport()->toolTip(), QStringLiteral("http://www.example.com"));
    QImage image = pane.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect around(at.x() - 20, at.y() - 5, 60, 10);
    int ink = 0;
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 160;
    EXPECT_GT(ink, 20);
}

TEST_F(Pane, WideWordsWrapInsideTheMargins)
{
    // A word somewhat wider than the pane, and one far longer.
    for (int length : {60, 3000}) {
        pane.clearMainChat();
        pane.addlinetochat("0+" + std::string(length, 'W') + " end", kSysColour);
        pane.verticalScrollBar()->setValue(0);
        const QImage image =
            pane.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int right = pane.viewport()->width() - TranscriptPane::kMargin;
        int outside = 0;
        int inside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool ink = image.pixel(x, y) != qRgb(255, 255, 255);
                (x >= right || x < TranscriptPane::kMargin ? outside : inside) += ink;
            }
        }
        EXPECT_EQ(outside, 0) << length;
        EXPECT_GT(inside, 1000) << length;
        pane.selectAll();
        EXPECT_EQ(pane.selectedText().size(), length + 6) << length;
    }
}

TEST_F(Pane, ClickPositionsSelectWholeCharacters)
{
    pane.addlinetochat("0+abcdefghij", kSysColour);
    const QPoint inside = pointOfItem(0);
    const QPoint start(TranscriptPane::kMargin + 1, inside.y());
    QTest::mousePress(pane.viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(pane.viewport(), inside);
    QTest::mouseRelease(pane.viewport(), Qt::LeftButton, {}, inside);
    const QString selected = pane.selectedText();
    EXPECT_FALSE(selected.isEmpty());
    EXPECT_TRUE(QStringLiteral(" abcdefghij ").startsWith(selected)) << selected.toStdString();
    // A double click selects the word under the pointer.
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, inside);
    EXPECT_EQ(pane.selectedText(), QStringLiteral("abcdefghij"));
}

TEST_F(Pane, PunctuationAroundALinkDoesNotStopItOpening)
{
    pane.chatrecieved("3+Bo chats: look (www.x.com), www.example.com, and www.x.com!|clBlack");
    for (int number = 0; number < 3; ++number)
        click(pointOfItem(*pane.transcript().linkItem(number)));
    EXPECT_EQ(opener.opened,
              (QStringList{"http://www.x.com", "http://www.example.com", "http://www.x.com"}));
    EXPECT_EQ(opener.refused, 0);
}

TEST(LinkOpenerBox, CannotOpenWebpageIsTitledLikeEveryOtherBox)
{
    // The program's own name is lower case; its boxes are titled "Kalvex".
    const QString name = QApplication::applicationName();
    QApplication::setApplicationName(QStringLiteral("kalvex"));
    QWidget parent;
    parent.show();
    QString title;
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
        }
    });
    DesktopLinkOpener().cannotOpen(&parent);
    QApplication::setApplicationName(name);
    EXPECT_EQ(title, QStringLiteral("Kalvex"));
    EXPECT_EQ(text, QStringLiteral("Cannot open Webpage"));
}

class BoundedPane : public ::testing::Test
{
protected:
    static constexpr std::size_t kLines = 40;

    BoundedPane()
    {
        pane.resize(267, 339);
        pane.setLinkOpener(&opener);
        pane.show();
    }

    // Lines "line n www.siten.org", each two items: the words and the link.
    void addLines(int first, int count)
    {
        for (int n = first; n < first + count; ++n) {
            const std::string number = std::to_string(n);
            pane.addlinetochat("0+line " + number + " www.site" + number + ".org", kSysColour);
        }
    }

    // The text of the item shown at a point of the viewport.
    std::string itemTextAt(QPoint at)
    {
        const QPointF content(at.x() - TranscriptPane::kMargin,
                              at.y() + pane.verticalScrollBar()->value() -
                                  TranscriptPane::kTopMargin);
        return pane.transcript().items()[pane.currentLayout().positionAt(content).item].text;
    }

    void click(QPoint at) { QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, at); }

    TranscriptPane pane{nullptr, TranscriptBounds{kLines, kMaxTranscriptBytes}};
    RecordingOpener opener;
};

TEST_F(BoundedPane, SelectionFollowsItsTextWhenOldLinesGo)
{
    addLines(0, int(kLines));
    const std::size_t link = *pane.transcript().linkItem(30);
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, centreOfItem(pane, link));
    ASSERT_EQ(pane.selectedText(), QStringLiteral("www.site30.org"));
    addLines(int(kLines), 10);
    EXPECT_EQ(pane.transcript().items().size(), 2 * kLines);
    EXPECT_EQ(pane.selectedText(), QStringLiteral("www.site30.org"));
    pane.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("www.site30.org"));

    // A selection whose start went is kept from the first line still there.
    pane.selectAll();
    addLines(int(kLines) + 10, 5);
    const QString selected = pane.selectedText();
    EXPECT_TRUE(selected.startsWith(QStringLiteral(" line 15 www.site15.org")))
        << selected.toStdString();
    EXPECT_TRUE(selected.endsWith(QStringLiteral(" line 49 www.site49.org ")))
        << selected.toStdString();
    // A selection that went whole is gone.
    addLines(100, int(kLines));
    EXPECT_FALSE(pane.hasSelection());
}

TEST_F(BoundedPane, LinksStillOpenTheirOwnTextWhenOldLinesGo)
{
    addLines(0, int(kLines) + 25);
    pane.verticalScrollBar()->setValue(0);
    // The first line left is line 25, with link number 25.
    ASSERT_FALSE(pane.transcript().linkText(24).has_value());
    click(centreOfItem(pane, *pane.transcript().linkItem(25)));
    pane.verticalScrollBar()->setValue(pane.verticalScrollBar()->maximum());
    click(centreOfItem(pane, *pane.transcript().linkItem(64)));
    EXPECT_EQ(opener.opened, (QStringList{"http://www.site25.org", "http://www.site64.org"}));
    EXPECT_EQ(opener.refused, 0);
}

TEST_F(BoundedPane, TheViewStaysOnItsLinesWhileScrollChatIsOff)
{
    addLines(0, int(kLines));
    pane.setScrollChatOff(true);
    QScrollBar *bar = pane.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const QPoint probe(TranscriptPane::kMargin + 20, pane.viewport()->height() / 2);
    const std::string shown = itemTextAt(probe);
    addLines(int(kLines), 5);
    EXPECT_EQ(itemTextAt(probe), shown);
    // Following the end, the newest line stays in view.
    pane.setScrollChatOff(false);
    addLines(int(kLines) + 5, 5);
    EXPECT_EQ(bar->value(), bar->maximum());
}

} // namespace
} // namespace kalvex
