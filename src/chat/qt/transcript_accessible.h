#pragma once
// TranscriptAccessible: what assistive technology (a screen reader through
// AT-SPI) sees of the transcript pane: a read-only multi-line text with the
// transcript's plain text, its lines, the pane's selection and a caret at
// the end. The pane announces each change (announceTextChange).
//
// Read-only text (AT-SPI's "text" role without "editable") rather than a
// label or a document: screen readers read a text by lines, say it all from
// the caret, review it line by line and speak what is inserted into it, and
// chat logs elsewhere on the desktop are read-only texts too; a label is read
// as one long name, a document frame is browsed as a web page.

#include "chat/qt/transcript_plain_text.h"

#include <QAccessibleWidget>

namespace kalvex {

class TranscriptPane;

class TranscriptAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TranscriptAccessible(TranscriptPane *pane);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    // The scroll bars; the viewport is the text itself, not a child of it.
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    // The end of the selection while there is one, otherwise the text's end.
    int cursorPosition() const override;
    // There is no caret to type at: the place is scrolled into view and the
    // selection given up, so that the caret is where the reader went.
    void setCursorPosition(int position) override;
    QString text(QAccessible::Text type) const override { return QAccessibleWidget::text(type); }
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    // The run's font, size, weight, slant, underline and colour.
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    TranscriptPane *pane() const;
    const TranscriptPlainText &plain() const;
    // -1 before, 0 at, 1 after the offset.
    QString textAround(int direction, int offset, QAccessible::TextBoundaryType boundaryType,
                       int *startOffset, int *endOffset) const;
    QList<QAccessibleInterface *> shownChildren() const;
};

// Makes Qt's accessibility ask for TranscriptAccessible for every pane.
// Safe to call more than once.
void installTranscriptAccessibility();

// Tells assistive technology that the pane's text styles changed.
void announceAttributesChanged(TranscriptPane *pane);
// Tells assistive technology what went into or out of the pane's text; the
// caret is reported at `caret`.
void announceTextChange(TranscriptPane *pane, const TranscriptPlainText::Change &change, int caret);
// Tells assistive technology the pane's selection (from == to: none).
void announceSelection(TranscriptPane *pane, int from, int to);

// Where the announcements go: Qt's accessibility (which passes them on only
// while a screen reader is about), or a test's listener; nullptr restores
// Qt's.
using AccessibilityUpdate = void (*)(QAccessibleEvent *event);
void routeAccessibilityUpdates(AccessibilityUpdate update);

} // namespace kalvex
