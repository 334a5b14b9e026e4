#include "chat/qt/transcript_accessible.h"

#include "chat/qt/transcript_pane.h"

#include <QAccessible>
#include <QScrollBar>

#include <algorithm>

namespace kalvex {

namespace {

// A few lines of the text, handed to Qt's own rules for characters, words
// and sentences (QAccessibleTextInterface's textAtOffset and its kin, which
// read nothing but text() and characterCount()). Reading only those lines
// keeps a long transcript from being copied whole for every word asked for.
class TextWindow final : public QAccessibleTextInterface
{
public:
    explicit TextWindow(QString text) : content(std::move(text)) {}

    QString text(int startOffset, int endOffset) const override
    {
        return content.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(content.size()); }

    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = -1;
        return {};
    }

private:
    QString content;
};

AccessibilityUpdate updateTarget = &QAccessible::updateAccessibility;

QAccessibleInterface *transcriptInterface(const QString &key, QObject *object)
{
    if (key != QLatin1String(TranscriptPane::staticMetaObject.className()))
        return nullptr;
    auto *pane = qobject_cast<TranscriptPane *>(object);
    return pane ? new TranscriptAccessible(pane) : nullptr;
}

} // namespace

TranscriptAccessible::TranscriptAccessible(TranscriptPane *pane)
    : QAccessibleWidget(pane, QAccessible::EditableText)
{
    pane->keepPlainText();
}

TranscriptPane *TranscriptAccessible::pane() const
{
    return static_cast<TranscriptPane *>(widget());
}

const TranscriptPlainText &TranscriptAccessible::plain() const
{
    return pane()->plainText();
}

void *TranscriptAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TranscriptAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.editable = false;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QList<QAccessibleInterface *> TranscriptAccessible::shownChildren() const
{
    QList<QAccessibleInterface *> children;
    for (int index = 0; index < QAccessibleWidget::childCount(); ++index) {
        QAccessibleInterface *child = QAccessibleWidget::child(index);
        if (child && child->object() != pane()->viewport())
            children.append(child);
    }
    return children;
}

int TranscriptAccessible::childCount() const
{
    return int(shownChildren().size());
}

QAccessibleInterface *TranscriptAccessible::child(int index) const
{
    return shownChildren().value(index);
}

int TranscriptAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return int(shownChildren().indexOf(const_cast<QAccessibleInterface *>(child)));
}

void TranscriptAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !pane()->hasSelection())
        return;
    const auto [from, to] = pane()->selection();
    *startOffset = plain().offsetOf(from);
    *endOffset = plain().offsetOf(to);
}

int TranscriptAccessible::selectionCount() const
{
    return pane()->hasSelection() ? 1 : 0;
}

void TranscriptAccessible::addSelection(int startOffset, int endOffset)
{
    // The pane has one selection: a new one replaces it.
    setSelection(0, startOffset, endOffset);
}

void TranscriptAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        pane()->clearSelection();
}

void TranscriptAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    const int length = plain().length();
    startOffset = std::clamp(startOffset, 0, length);
    endOffset = std::clamp(endOffset, 0, length);
    pane()->setSelection(plain().positionOf(startOffset), plain().positionOf(endOffset));
}

int TranscriptAccessible::cursorPosition() const
{
    return pane()->caretOffset();
}

void TranscriptAccessible::setCursorPosition(int position)
{
    pane()->clearSelection();
    pane()->scrollToPosition(plain().positionOf(position));
}

QString TranscriptAccessible::text(int startOffset, int endOffset) const
{
    if (endOffset < 0)
        endOffset = plain().length();
    return plain().text(startOffset, endOffset);
}

QString TranscriptAccessible::textBeforeOffset(int offset,
                                               QAccessible::TextBoundaryType boundaryType,
                                               int *startOffset, int *endOffset) const
{
    return textAround(-1, offset, boundaryType, startOffset, endOffset);
}

QString TranscriptAccessible::textAfterOffset(int offset,
                                              QAccessible::TextBoundaryType boundaryType,
                                              int *startOffset, int *endOffset) const
{
    return textAround(1, offset, boundaryType, startOffset, endOffset);
}

QString TranscriptAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int *startOffset, int *endOffset) const
{
    return textAround(0, offset, boundaryType, startOffset, endOffset);
}

QString TranscriptAccessible::textAround(int direction, int offset,
                                         QAccessible::TextBoundaryType boundaryType,
                                         int *startOffset, int *endOffset) const
{
    const TranscriptPlainText &whole = plain();
    const int length = whole.length();
    *startOffset = *endOffset = -1;
    if (offset == -1)
        offset = length;
    else if (offset == -2)
        offset = cursorPosition();
    if (offset < 0 || offset > length)
        return {};
    if (whole.lineCount() == 0) {
        if (direction == 0 && boundaryType != QAccessible::CharBoundary)
            *startOffset = *endOffset = 0;
        return {};
    }

    switch (boundaryType) {
    case QAccessible::NoBoundary:
        if (direction != 0)
            return {};
        *startOffset = 0;
        *endOffset = length;
        return whole.text(0, length);
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary: {
        // A transcript line is a line and a paragraph, with its "\n"; the end
        // belongs to the last line.
        const int line =
            whole.lineOf(direction > 0 ? std::min(offset, length - 1) : offset) + direction;
        if (line < 0 || line >= whole.lineCount())
            return {};
        *startOffset = whole.lineStart(line);
        *endOffset = whole.lineEnd(line);
        return whole.text(*startOffset, *endOffset);
    }
    case QAccessible::CharBoundary:
    case QAccessible::WordBoundary:
    case QAccessible::SentenceBoundary:
        break;
    }
    // Characters, words and sentences end at a line's "\n": the line and its
    // neighbours hold every answer.
    const int line = whole.lineOf(offset);
    const int from = whole.lineStart(std::max(0, line - 1));
    const int to = whole.lineEnd(std::min(whole.lineCount() - 1, line + 1));
    const TextWindow window(whole.text(from, to));
    const int local = offset - from;
    const QString found =
        direction < 0   ? window.textBeforeOffset(local, boundaryType, startOffset, endOffset)
        : direction > 0 ? window.textAfterOffset(local, boundaryType, startOffset, endOffset)
                        : window.textAtOffset(local, boundaryType, startOffset, endOffset);
    if (*startOffset >= 0) {
        *startOffset += from;
        *endOffset += from;
    }
    return found;
}

int TranscriptAccessible::characterCount() const
{
    return plain().length();
}

QRect TranscriptAccessible::characterRect(int offset) const
{
    if (offset < 0 || offset > plain().length() || plain().lineCount() == 0)
        return {};
    const QRect shown = pane()->characterRect(plain().positionOf(offset));
    if (shown.isNull())
        return {};
    return {pane()->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
}

int TranscriptAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = pane()->viewport()->mapFromGlobal(point);
    if (!pane()->viewport()->rect().contains(local) || plain().lineCount() == 0)
        return -1;
    return plain().offsetOf(pane()->positionAt(local));
}

void TranscriptAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    if (plain().lineCount() == 0)
        return;
    pane()->scrollToPosition(plain().positionOf(std::clamp(startIndex, 0, plain().length())));
}

QString TranscriptAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    const int length = plain().length();
    if (offset == -1)
        offset = length;
    if (offset < 0 || offset > length)
        return {};
    const std::optional<TranscriptPlainText::Run> run = plain().runAt(offset);
    if (!run) {
        // A line's "\n" or the end: no run of its own.
        *startOffset = offset;
        *endOffset = std::min(offset + 1, length);
        return {};
    }
    *startOffset = run->start;
    *endOffset = run->end;
    TranscriptPane *view = pane();
    const TranscriptItem &item = view->transcript().items()[run->item];
    const QFont &font = view->currentLayout().font(item.style);
    const QColor colour = view->styleColour(item.style);
    QString text = QStringLiteral("font-family:\"%1\";font-size:%2pt;font-weight:%3;"
                                  "font-style:%4;color:rgb(%5,%6,%7);"
                                  "background-color:rgb(255,255,255);")
                       .arg(font.family())
                       .arg(font.pointSizeF())
                       .arg(font.bold() ? 700 : 400)
                       .arg(font.italic() ? QStringLiteral("italic") : QStringLiteral("normal"))
                       .arg(colour.red())
                       .arg(colour.green())
                       .arg(colour.blue());
    if (font.underline())
        text += QStringLiteral("text-underline-style:solid;text-underline-type:single;");
    return text;
}

void installTranscriptAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(transcriptInterface);
        return true;
    }();
    (void)installed;
}

void routeAccessibilityUpdates(AccessibilityUpdate update)
{
    updateTarget = update ? update : &QAccessible::updateAccessibility;
}

void announceAttributesChanged(TranscriptPane *pane)
{
    QAccessibleEvent event(pane, QAccessible::TextAttributeChanged);
    updateTarget(&event);
}

void announceTextChange(TranscriptPane *pane, const TranscriptPlainText::Change &change, int caret)
{
    if (change.kind == TranscriptPlainText::Change::Kind::Inserted) {
        QAccessibleTextInsertEvent event(pane, change.position, change.text);
        event.setCursorPosition(caret);
        updateTarget(&event);
    } else {
        QAccessibleTextRemoveEvent event(pane, change.position, change.text);
        event.setCursorPosition(caret);
        updateTarget(&event);
    }
}

void announceSelection(TranscriptPane *pane, int from, int to)
{
    QAccessibleTextSelectionEvent event(pane, from == to ? -1 : from, from == to ? -1 : to);
    event.setCursorPosition(pane->caretOffset());
    updateTarget(&event);
}

} // namespace kalvex
