// What assistive technology reads of the transcript pane: its text, lines,
// selection and places, and the events that keep a screen reader's copy of
// the text in step with the pane.

#include "chat/qt/transcript_accessible.h"
#include "chat/qt/transcript_pane.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace kalvex {
namespace {

struct HeardEvent
{
    QAccessible::Event type = QAccessible::InvalidEvent;
    QObject *object = nullptr;
    int position = -1;
    QString text;
    int cursor = -1;
    int selectionStart = -1;
    int selectionEnd = -1;
};

std::vector<HeardEvent> *heard = nullptr;

void hear(QAccessibleEvent *event)
{
    if (!heard)
        return;
    HeardEvent entry;
    entry.type = event->type();
    entry.object = event->object();
    switch (event->type()) {
    case QAccessible::TextInserted: {
        auto *inserted = static_cast<QAccessibleTextInsertEvent *>(event);
        entry.position = inserted->changePosition();
        entry.text = inserted->textInserted();
        entry.cursor = inserted->cursorPosition();
        break;
    }
    case QAccessible::TextRemoved: {
        auto *removed = static_cast<QAccessibleTextRemoveEvent *>(event);
        entry.position = removed->changePosition();
        entry.text = removed->textRemoved();
        entry.cursor = removed->cursorPosition();
        break;
    }
    case QAccessible::TextSelectionChanged: {
        auto *selected = static_cast<QAccessibleTextSelectionEvent *>(event);
        entry.selectionStart = selected->selectionStart();
        entry.selectionEnd = selected->selectionEnd();
        entry.cursor = selected->cursorPosition();
        break;
    }
    default:
        break;
    }
    heard->push_back(entry);
}

QString withoutCrLf(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A screen reader's side: the pane told that accessibility is on, every
// announcement recorded.
class ScreenReader : public ::testing::Test
{
protected:
    explicit ScreenReader(TranscriptBounds bounds = {}) : pane(nullptr, bounds)
    {
        heard = &events;
        routeAccessibilityUpdates(hear);
        QAccessible::setActive(true);
        pane.resize(267, 339);
        pane.show();
    }
    ~ScreenReader() override
    {
        QAccessible::setActive(false);
        routeAccessibilityUpdates(nullptr);
        heard = nullptr;
    }

    QAccessibleInterface *accessible() { return QAccessible::queryAccessibleInterface(&pane); }
    QAccessibleTextInterface *text() { return accessible()->textInterface(); }
    QString wholeText() { return text()->text(0, text()->characterCount()); }

    std::vector<HeardEvent> paneEvents(QAccessible::Event type) const
    {
        std::vector<HeardEvent> found;
        for (const HeardEvent &event : events) {
            if (event.type == type && event.object == &pane)
                found.push_back(event);
        }
        return found;
    }

    // The text a reader builds from the inserted and removed events alone.
    void follow(QString &copy)
    {
        for (const HeardEvent &event : events) {
            if (event.object != &pane)
                continue;
            if (event.type == QAccessible::TextInserted) {
                ASSERT_LE(event.position, copy.size());
                copy.insert(event.position, event.text);
            } else if (event.type == QAccessible::TextRemoved) {
                ASSERT_EQ(copy.mid(event.position, event.text.size()), event.text)
                    << "a removal names text that is not where it says";
                copy.remove(event.position, event.text.size());
            }
        }
        events.clear();
    }

    std::vector<HeardEvent> events;
    TranscriptPane pane;
};

using TranscriptText = ScreenReader;

TEST_F(TranscriptText, IsAReadOnlyMultiLineTextWithoutTheViewportAsAChild)
{
    QAccessibleInterface *reader = accessible();
    ASSERT_NE(reader, nullptr);
    ASSERT_NE(reader->textInterface(), nullptr);
    EXPECT_EQ(reader->role(), QAccessible::EditableText);
    EXPECT_TRUE(reader->state().readOnly);
    EXPECT_FALSE(reader->state().editable);
    EXPECT_TRUE(reader->state().multiLine);
    EXPECT_TRUE(reader->state().selectableText);
    for (int index = 0; index < reader->childCount(); ++index) {
        QAccessibleInterface *child = reader->child(index);
        ASSERT_NE(child, nullptr);
        EXPECT_NE(child->object(), pane.viewport());
        EXPECT_EQ(reader->indexOfChild(child), index);
    }
}

TEST_F(TranscriptText, IsWhatCopyGivesWithNewlinesBetweenLines)
{
    EXPECT_EQ(text()->characterCount(), 0);
    pane.addlinetochat("0+Welcome", kSysColour);
    pane.chatrecieved("2+Ann chats: hi :)#12 there www.example.com|clRed");
    pane.chatrecieved("5+Ü chats: 😀 ünïcode|clBlue");
    pane.selectAll();
    const QString copied = withoutCrLf(pane.selectedText());
    EXPECT_EQ(copied, QStringLiteral(" Welcome \nAnn chats:  hi   there www.example.com \n"
                                     "Ü chats:  😀 ünïcode "));
    EXPECT_EQ(wholeText(), copied);
    EXPECT_EQ(text()->characterCount(), copied.size());
    EXPECT_EQ(text()->text(3, 12), copied.mid(3, 9));
    // Out of range asks are cut to the text.
    EXPECT_EQ(text()->text(-5, 3), copied.left(3));
    EXPECT_EQ(text()->text(copied.size() - 2, copied.size() + 40), copied.right(2));
}

TEST_F(TranscriptText, LinesAreTheTranscriptsLinesWithTheirNewline)
{
    pane.addlinetochat("0+one", kSysColour);
    pane.addlinetochat("0+two", kSysColour);
    pane.addlinetochat("0+three", kSysColour);
    ASSERT_EQ(wholeText(), QStringLiteral(" one \n two \n three "));
    int start = -1;
    int end = -1;
    const auto at = [&](int offset, QAccessible::TextBoundaryType type) {
        return text()->textAtOffset(offset, type, &start, &end);
    };

    EXPECT_EQ(at(0, QAccessible::LineBoundary), QStringLiteral(" one \n"));
    EXPECT_EQ(std::pair(start, end), std::pair(0, 6));
    EXPECT_EQ(at(5, QAccessible::LineBoundary), QStringLiteral(" one \n")) << "its newline";
    EXPECT_EQ(at(6, QAccessible::LineBoundary), QStringLiteral(" two \n"));
    EXPECT_EQ(std::pair(start, end), std::pair(6, 12));
    EXPECT_EQ(at(19, QAccessible::LineBoundary), QStringLiteral(" three ")) << "the end";
    EXPECT_EQ(std::pair(start, end), std::pair(12, 19));
    EXPECT_EQ(at(-1, QAccessible::LineBoundary), QStringLiteral(" three ")) << "-1 is the end";
    EXPECT_EQ(at(8, QAccessible::ParagraphBoundary), QStringLiteral(" two \n"));
    EXPECT_EQ(at(8, QAccessible::NoBoundary), wholeText());
    EXPECT_EQ(at(20, QAccessible::LineBoundary), QString());
    EXPECT_EQ(std::pair(start, end), std::pair(-1, -1));

    EXPECT_EQ(text()->textBeforeOffset(6, QAccessible::LineBoundary, &start, &end),
              QStringLiteral(" one \n"));
    EXPECT_EQ(std::pair(start, end), std::pair(0, 6));
    EXPECT_EQ(text()->textBeforeOffset(3, QAccessible::LineBoundary, &start, &end), QString());
    EXPECT_EQ(std::pair(start, end), std::pair(-1, -1));
    EXPECT_EQ(text()->textAfterOffset(5, QAccessible::LineBoundary, &start, &end),
              QStringLiteral(" two \n"));
    EXPECT_EQ(text()->textAfterOffset(19, QAccessible::LineBoundary, &start, &end), QString());

    // Words and characters anywhere, the last line's too.
    EXPECT_EQ(at(7, QAccessible::WordBoundary), QStringLiteral("two"));
    EXPECT_EQ(std::pair(start, end), std::pair(7, 10));
    EXPECT_EQ(at(15, QAccessible::WordBoundary), QStringLiteral("three"));
    EXPECT_EQ(std::pair(start, end), std::pair(13, 18));
    EXPECT_EQ(at(13, QAccessible::CharBoundary), QStringLiteral("t"));
    EXPECT_EQ(std::pair(start, end), std::pair(13, 14));
    EXPECT_EQ(text()->textAfterOffset(7, QAccessible::CharBoundary, &start, &end),
              QStringLiteral("w"));
    EXPECT_EQ(std::pair(start, end), std::pair(8, 9));
}

TEST_F(TranscriptText, AnEmptyTranscriptHasOneEmptyLine)
{
    int start = -1;
    int end = -1;
    EXPECT_EQ(text()->textAtOffset(0, QAccessible::LineBoundary, &start, &end), QString());
    EXPECT_EQ(std::pair(start, end), std::pair(0, 0));
    EXPECT_EQ(text()->textBeforeOffset(0, QAccessible::WordBoundary, &start, &end), QString());
    EXPECT_EQ(text()->cursorPosition(), 0);
    EXPECT_EQ(text()->selectionCount(), 0);
    EXPECT_EQ(text()->offsetAtPoint(pane.viewport()->mapToGlobal(QPoint(20, 20))), -1);
    EXPECT_TRUE(text()->characterRect(0).isNull());
}

TEST_F(TranscriptText, SelectionIsThePanesSelectionBothWays)
{
    pane.addlinetochat("0+one", kSysColour);
    pane.addlinetochat("1+Al chats: two :)#11 three", kColourBlack);
    const QString whole = wholeText();
    ASSERT_EQ(whole, QStringLiteral(" one \nAl chats:  two   three "));
    EXPECT_EQ(text()->cursorPosition(), text()->characterCount()) << "the caret waits at the end";

    // The reader selects across the line break: the pane shows and copies it.
    text()->setSelection(0, 2, 8);
    EXPECT_EQ(pane.selectedText(), QStringLiteral("ne \r\nAl"));
    ASSERT_EQ(text()->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text()->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(2, 8));
    EXPECT_EQ(text()->cursorPosition(), 8);

    // Across the smiley, which adds no text.
    const int two = int(whole.indexOf(QStringLiteral("two")));
    const int three = int(whole.indexOf(QStringLiteral("three")));
    text()->setSelection(0, two, three + 2);
    EXPECT_EQ(pane.selectedText(), QStringLiteral("two   th"));
    text()->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(two, three + 2));

    text()->removeSelection(0);
    EXPECT_FALSE(pane.hasSelection());
    EXPECT_EQ(text()->selectionCount(), 0);
    EXPECT_EQ(text()->cursorPosition(), text()->characterCount());

    // The pane's own Select All is what the reader hears and reads.
    events.clear();
    pane.selectAll();
    text()->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, text()->characterCount()));
    const auto selected = paneEvents(QAccessible::TextSelectionChanged);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(std::pair(selected[0].selectionStart, selected[0].selectionEnd),
              std::pair(0, text()->characterCount()));
}

TEST_F(TranscriptText, AMouseSelectionIsAnnouncedWithItsOffsets)
{
    pane.addlinetochat("0+First line", kSysColour);
    pane.addlinetochat("0+Second line", kSysColour);
    const QRect first = text()->characterRect(2);
    const QRect later = text()->characterRect(16);
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(later.isEmpty());
    QWidget *viewport = pane.viewport();
    events.clear();
    QTest::mousePress(viewport, Qt::LeftButton, {}, viewport->mapFromGlobal(first.center()));
    QTest::mouseMove(viewport, viewport->mapFromGlobal(later.center()));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, viewport->mapFromGlobal(later.center()));

    ASSERT_TRUE(pane.hasSelection());
    const auto selected = paneEvents(QAccessible::TextSelectionChanged);
    ASSERT_FALSE(selected.empty());
    const HeardEvent &last = selected.back();
    int start = -1;
    int end = -1;
    text()->selection(0, &start, &end);
    EXPECT_EQ(std::pair(last.selectionStart, last.selectionEnd), std::pair(start, end));
    EXPECT_EQ(text()->text(start, end), withoutCrLf(pane.selectedText()));
    EXPECT_TRUE(text()->text(start, end).contains(QLatin1Char('\n')));

    // A click elsewhere gives the selection up, and says so.
    events.clear();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->mapFromGlobal(first.center()));
    const auto cleared = paneEvents(QAccessible::TextSelectionChanged);
    ASSERT_EQ(cleared.size(), 1u);
    EXPECT_EQ(cleared[0].selectionStart, -1);
    EXPECT_EQ(cleared[0].cursor, text()->characterCount());
}

TEST_F(TranscriptText, PlacesOnScreenLeadBackToTheirCharacters)
{
    pane.addlinetochat("0+Welcome to the game", kSysColour);
    pane.chatrecieved("2+Ann chats: a line long enough to wrap onto a second row of the pane "
                      "and perhaps a third|clRed");
    const QRect shown(pane.viewport()->mapToGlobal(QPoint(0, 0)), pane.viewport()->size());
    for (int offset : {1, 4, 30, 60, 80}) {
        const QRect box = text()->characterRect(offset);
        ASSERT_FALSE(box.isEmpty()) << offset;
        EXPECT_TRUE(shown.contains(box)) << offset;
        EXPECT_EQ(text()->offsetAtPoint(box.center()), offset) << offset;
    }
    // Later characters stand further right on a row, or lower.
    EXPECT_GT(text()->characterRect(4).left(), text()->characterRect(1).left());
    EXPECT_GT(text()->characterRect(80).top(), text()->characterRect(30).top());
    EXPECT_EQ(text()->offsetAtPoint(shown.topLeft() - QPoint(5, 5)), -1);
}

TEST_F(TranscriptText, ScrollingToASubstringBringsItIntoView)
{
    for (int i = 0; i < 80; ++i)
        pane.addlinetochat("0+Line " + std::to_string(i), kSysColour);
    QScrollBar *bar = pane.verticalScrollBar();
    ASSERT_EQ(bar->value(), bar->maximum());
    const QRect shown(pane.viewport()->mapToGlobal(QPoint(0, 0)), pane.viewport()->size());
    EXPECT_FALSE(shown.contains(text()->characterRect(2)));
    text()->scrollToSubstring(2, 4);
    EXPECT_LT(bar->value(), bar->maximum());
    EXPECT_TRUE(shown.contains(text()->characterRect(2)));
}

TEST_F(TranscriptText, AttributesDescribeTheRunsStyle)
{
    pane.addlinetochat("0+Round over", kSysColour);
    pane.chatrecieved("3+Bo chats: see www.example.com now|clRed");
    const QString whole = wholeText();
    int start = -1;
    int end = -1;

    const QString system = text()->attributes(2, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 12)) << "the whole system line is one run";
    EXPECT_TRUE(system.contains(QStringLiteral("color:rgb(0,0,255)"))) << system.toStdString();
    EXPECT_TRUE(system.contains(QStringLiteral("font-weight:700")));
    EXPECT_TRUE(system.contains(QStringLiteral("font-family:\"Arial\"")));

    const int link = int(whole.indexOf(QStringLiteral("www.")));
    const QString linked = text()->attributes(link + 3, &start, &end);
    EXPECT_EQ(text()->text(start, end), QStringLiteral("www.example.com "));
    EXPECT_TRUE(linked.contains(QStringLiteral("text-underline-style:solid")));
    EXPECT_TRUE(linked.contains(QStringLiteral("color:rgb(0,128,0)")));

    const QString head = text()->attributes(14, &start, &end);
    EXPECT_TRUE(head.contains(QStringLiteral("color:rgb(255,0,0)"))) << head.toStdString();
    EXPECT_FALSE(head.contains(QStringLiteral("underline")));

    EXPECT_TRUE(text()->attributes(12, &start, &end).isEmpty()) << "the newline has no run";
    EXPECT_EQ(std::pair(start, end), std::pair(12, 13));
}

TEST_F(TranscriptText, EachNewLineIsAnnouncedWhereItLands)
{
    pane.addlinetochat("0+First", kSysColour);
    pane.chatrecieved("4+Dee chats: hello :)#15 www.kalvex.org|clBlue");
    const auto inserted = paneEvents(QAccessible::TextInserted);
    ASSERT_EQ(inserted.size(), 2u);
    EXPECT_EQ(inserted[0].position, 0);
    EXPECT_EQ(inserted[0].text, QStringLiteral(" First "));
    EXPECT_EQ(inserted[1].position, 7);
    EXPECT_EQ(inserted[1].text, QStringLiteral("\nDee chats:  hello   www.kalvex.org "));
    EXPECT_EQ(inserted[1].cursor, text()->characterCount()) << "the caret stays at the end";
    EXPECT_EQ(text()->text(7, 7 + int(inserted[1].text.size())), inserted[1].text);
}

TEST_F(TranscriptText, ClearMainChatAnnouncesTheWholeTextGone)
{
    pane.addlinetochat("0+one", kSysColour);
    pane.addlinetochat("0+two", kSysColour);
    const QString before = wholeText();
    events.clear();
    pane.clearAction()->trigger();
    const auto removed = paneEvents(QAccessible::TextRemoved);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].position, 0);
    EXPECT_EQ(removed[0].text, before);
    EXPECT_EQ(text()->characterCount(), 0);
    pane.addlinetochat("0+three", kSysColour);
    const auto inserted = paneEvents(QAccessible::TextInserted);
    ASSERT_EQ(inserted.size(), 1u);
    EXPECT_EQ(inserted[0].text, QStringLiteral(" three ")) << "no newline before the first line";
}

class BoundedTranscriptText : public ScreenReader
{
protected:
    BoundedTranscriptText() : ScreenReader(TranscriptBounds{4, 2000}) {}
};

TEST_F(BoundedTranscriptText, AReaderFollowingTheEventsAlwaysHasThePanesText)
{
    QString copy;
    for (int i = 0; i < 12; ++i) {
        pane.chatrecieved("2+Ann chats: line " + std::to_string(i) + " :)#1" +
                          std::to_string(i % 8) + " www.site" + std::to_string(i) + ".org|clRed");
        follow(copy);
        ASSERT_EQ(copy, wholeText()) << "after line " << i;
    }
    EXPECT_EQ(pane.transcript().lineCount(), 4u) << "the oldest lines went";
    EXPECT_TRUE(wholeText().startsWith(QStringLiteral("Ann chats:  line 8 ")));

    // One long line pushes out several at once.
    pane.addlinetochat("0+" + std::string(1800, 'x'), kSysColour);
    const auto removed = paneEvents(QAccessible::TextRemoved);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].position, 0);
    const std::size_t gone = 4 + 1 - pane.transcript().lineCount();
    EXPECT_GE(gone, 2u);
    EXPECT_EQ(std::size_t(removed[0].text.count(QLatin1Char('\n'))), gone)
        << "whole lines, each with its newline";
    follow(copy);
    EXPECT_EQ(copy, wholeText());

    pane.clearMainChat();
    pane.addlinetochat("0+again", kSysColour);
    follow(copy);
    EXPECT_EQ(copy, QStringLiteral(" again "));
    EXPECT_EQ(copy, wholeText());
}

TEST_F(BoundedTranscriptText, ASelectionCutByDroppedLinesIsAnnouncedAnew)
{
    for (int i = 0; i < 4; ++i)
        pane.addlinetochat("0+line " + std::to_string(i), kSysColour);
    text()->setSelection(0, 2, 12); // from the first line into the second
    events.clear();
    pane.addlinetochat("0+line 4", kSysColour);
    const auto selected = paneEvents(QAccessible::TextSelectionChanged);
    ASSERT_EQ(selected.size(), 1u);
    int start = -1;
    int end = -1;
    text()->selection(0, &start, &end);
    EXPECT_EQ(std::pair(selected[0].selectionStart, selected[0].selectionEnd),
              std::pair(start, end));
    EXPECT_EQ(start, 0) << "what is left of the selection starts the text";
}

TEST(TranscriptAccessibility, TabReachesThePaneWhichThenWearsAFocusFrame)
{
    TranscriptPane pane;
    pane.resize(267, 339);
    pane.show();
    EXPECT_EQ(pane.focusPolicy(), Qt::StrongFocus);
    const auto corner = [&] { return pane.viewport()->grab().toImage().pixelColor(1, 1); };
    EXPECT_EQ(corner(), QColor(Qt::white));
    QApplication::setActiveWindow(&pane);
    pane.setFocus();
    ASSERT_TRUE(pane.hasFocus());
    EXPECT_EQ(corner(), QApplication::palette().color(QPalette::Active, QPalette::Highlight));
    pane.clearFocus();
    EXPECT_EQ(corner(), QColor(Qt::white));
}

TEST(TranscriptAccessibility, NoCopyOfTheTextIsKeptUntilAccessibilityIsActive)
{
    QAccessible::setActive(false);
    TranscriptPane pane;
    pane.addlinetochat("0+Nobody listens", kSysColour);
    EXPECT_FALSE(pane.plainText().isKept());
    QAccessible::setActive(true);
    EXPECT_TRUE(pane.plainText().isKept());
    EXPECT_EQ(pane.plainText().text(0, pane.plainText().length()),
              QStringLiteral(" Nobody listens "));
    QAccessible::setActive(false);
}

TEST(TranscriptPlainTextPlaces, OffsetsAndItemPlacesMapBothWays)
{
    Transcript transcript;
    TranscriptPlainText plain(transcript);
    transcript.addlinetochat("0+plain line", kSysColour);
    transcript.addlinetochat("3+Bo chats: 😀 :)#12 www.x.org ü :)#13", kColourBlack);
    plain.keep();
    for (int offset = 0; offset <= plain.length(); ++offset) {
        const TextPosition place = plain.positionOf(offset);
        EXPECT_EQ(plain.offsetOf(place), offset) << offset;
    }
    // The newline is the end of its line's last item.
    const int newline = plain.lineEnd(0) - 1;
    EXPECT_EQ(plain.text(newline, newline + 1), QStringLiteral("\n"));
    EXPECT_EQ(plain.positionOf(newline), (TextPosition{0, 12}));
    // A line ending in a picture ends after the picture.
    const std::size_t last = transcript.items().size() - 1;
    ASSERT_EQ(transcript.items()[last].kind, TranscriptItem::Kind::Picture);
    EXPECT_EQ(plain.positionOf(plain.length()), (TextPosition{last, 1}));
    EXPECT_EQ(plain.offsetOf({last, 0}), plain.length());
}

} // namespace
} // namespace kalvex
