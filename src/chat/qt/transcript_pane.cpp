#include "chat/qt/transcript_pane.h"

#include "chat/qt/chat_pictures.h"
#include "chat/qt/chat_text.h"
#include "chat/qt/link_opener.h"
#include "chat/qt/transcript_accessible.h"
#include "chat/web_address.h"
#include "net/error_report.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimerEvent>

#include <cmath>
#include <utility>

Q_LOGGING_CATEGORY(lcChat, "kalvex.chat", QtWarningMsg)

namespace kalvex {

namespace {

constexpr int kBottomMargin = 2;
constexpr int kScrollStep = 18;
constexpr int kDragScrollMs = 50;
// Lines laid out per idle turn after a text size or width change: a few
// milliseconds, so that the window answers in between.
constexpr std::size_t kIdleLayoutLines = 100;

// A place after the first `count` items went: the same text, or the start
// when its item went too.
TextPosition afterDrop(TextPosition position, std::size_t count)
{
    if (position.item < count)
        return {};
    return {position.item - count, position.offset};
}

} // namespace

TranscriptPane::TranscriptPane(QWidget *parent, TranscriptBounds bounds)
    : QAbstractScrollArea(parent), model(bounds), layout(model, viewport()), plain(model),
      desktopOpener(std::make_unique<DesktopLinkOpener>()), opener(desktopOpener.get())
{
    setObjectName(QStringLiteral("mainchat"));
    resize(kDesignSize);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab reaches the transcript too: a player who cannot use the mouse
    // (and his screen reader) can read back the chat there.
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(kScrollStep);
    model.setListener(this);
    createActions();
    layout.setWidth(viewport()->width() - 2 * kMargin);
    updateScrollBar();
    installTranscriptAccessibility();
    QAccessible::installActivationObserver(this);
    if (QAccessible::isActive())
        plain.keep();
}

TranscriptPane::~TranscriptPane()
{
    QAccessible::removeActivationObserver(this);
    model.setListener(nullptr);
}

void TranscriptPane::accessibilityActiveChanged(bool active)
{
    // From now on a screen reader may read the text; a removal must then
    // be able to say what went.
    if (active)
        plain.keep();
}

void TranscriptPane::createActions()
{
    selectAllItem = new QAction(tr("Select All"), this);
    // Commands run through the error reporter, like every entry point.
    const auto reported = [this](void (TranscriptPane::*command)()) {
        return [this, command] { guarded(ErrorOrigin::Local, [&] { (this->*command)(); }); };
    };
    connect(selectAllItem, &QAction::triggered, this, reported(&TranscriptPane::selectAll));

    copyItem = new QAction(tr("Copy"), this);
    copyItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    // Shown in the context menu; the keys themselves are handled by the pane.
    connect(copyItem, &QAction::triggered, this, reported(&TranscriptPane::copy));

    clearItem = new QAction(tr("Clear &Main Chat"), this);
    connect(clearItem, &QAction::triggered, this, reported(&TranscriptPane::clearMainChat));

    scrollOffItem = new QAction(tr("Scroll Chat O&ff"), this);
    scrollOffItem->setCheckable(true);
    scrollOffItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addAction(scrollOffItem);

    instructionsItem = new QAction(tr("View &Quick Instructions"), this);
    instructionsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(instructionsItem, &QAction::triggered, this,
            reported(&TranscriptPane::viewQuickInstructions));
    addAction(instructionsItem);

    for (int points : kTextSizes) {
        auto *item = new QAction(QString::number(points), this);
        item->setCheckable(true);
        item->setObjectName(QStringLiteral("textsize%1").arg(points));
        connect(item, &QAction::triggered, this,
                [this, points] { guarded(ErrorOrigin::Local, [&] { chooseTextSize(points); }); });
        sizeItems.append(item);
    }
}

void TranscriptPane::addlinetochat(std::string_view line, ColourValue colour)
{
    model.addlinetochat(line, colour);
}

void TranscriptPane::chatrecieved(std::string_view fields)
{
    model.chatrecieved(fields);
}

void TranscriptPane::viewQuickInstructions()
{
    model.viewQuickInstructions();
}

void TranscriptPane::chooseTextSize(int points)
{
    model.setTextSize(points);
    for (QAction *item : sizeItems)
        item->setChecked(item->text() == QString::number(points));
    emit textSizeChosen(points);
}

void TranscriptPane::applyTextSize(int points)
{
    model.setTextSize(points);
    for (QAction *item : sizeItems) {
        if (item->text() == QString::number(points))
            item->setChecked(true);
    }
}

void TranscriptPane::clearMainChat()
{
    model.clear();
    emit chatCleared();
}

void TranscriptPane::selectAll()
{
    const auto &items = model.items();
    if (items.empty())
        return;
    moveSelection({0, 0}, {items.size() - 1, layout.itemLength(items.size() - 1)});
}

void TranscriptPane::clearSelection()
{
    moveSelection(cursor, cursor);
}

void TranscriptPane::setSelection(TextPosition from, TextPosition to)
{
    moveSelection(from, to);
}

void TranscriptPane::moveSelection(TextPosition newAnchor, TextPosition newCursor)
{
    const bool had = hasSelection();
    const auto before = selection();
    anchor = newAnchor;
    cursor = newCursor;
    viewport()->update();
    if (!had && !hasSelection())
        return;
    if (had != hasSelection() || before != selection()) {
        const auto [from, to] = selection();
        if (plain.isKept())
            announceSelection(this, plain.offsetOf(from), plain.offsetOf(to));
    }
}

int TranscriptPane::caretOffset() const
{
    return hasSelection() ? plain.offsetOf(cursor) : plain.length();
}

void TranscriptPane::announce(const std::optional<TranscriptPlainText::Change> &change)
{
    if (change && !change->text.isEmpty())
        announceTextChange(this, *change, caretOffset());
}

bool TranscriptPane::hasSelection() const
{
    return anchor != cursor;
}

std::pair<TextPosition, TextPosition> TranscriptPane::selection() const
{
    return anchor < cursor ? std::pair(anchor, cursor) : std::pair(cursor, anchor);
}

QString TranscriptPane::selectedText() const
{
    if (!hasSelection())
        return {};
    const auto [from, to] = selection();
    const auto &items = model.items();
    QString text;
    for (std::size_t item = from.item; item <= to.item && item < items.size(); ++item) {
        if (item != from.item && items[item].startsLine)
            text += QStringLiteral("\r\n");
        if (items[item].kind == TranscriptItem::Kind::Picture)
            continue;
        const QString whole = layout.itemText(item);
        const int start = item == from.item ? from.offset : 0;
        const int end = item == to.item ? to.offset : int(whole.size());
        text += whole.mid(start, std::max(0, end - start));
    }
    return text;
}

void TranscriptPane::copy()
{
    if (!hasSelection())
        return;
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(selectedText());
}

bool TranscriptPane::scrollChatOff() const
{
    return scrollOffItem->isChecked();
}

void TranscriptPane::setScrollChatOff(bool on)
{
    scrollOffItem->setChecked(on);
}

void TranscriptPane::setLinkOpener(LinkOpener *linkOpener)
{
    opener = linkOpener ? linkOpener : desktopOpener.get();
}

QUrl TranscriptPane::webAddressOfLink(int number) const
{
    const std::optional<std::string> text = model.linkText(number);
    if (!text || text->empty())
        return {};
    const std::optional<std::string> address = webAddressForLink(*text);
    if (!address)
        return {};
    const QUrl url(QString::fromStdString(*address));
    const bool web =
        url.isValid() && !url.host().isEmpty() &&
        (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    return web ? url : QUrl();
}

void TranscriptPane::mainchatJump(int number)
{
    const QUrl url = webAddressOfLink(number);
    if (url.isEmpty()) {
        qCInfo(lcChat) << "link" << number << "has no web address; not opened";
        opener->cannotOpen(this);
        return;
    }
    opener->openWebAddress(url);
}

QMenu *TranscriptPane::createContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("mainchatMenu"));
    copyItem->setEnabled(hasSelection());
    menu->addAction(selectAllItem);
    menu->addAction(copyItem);
    menu->addAction(clearItem);
    menu->addSeparator();
    menu->addAction(scrollOffItem);
    return menu;
}

void TranscriptPane::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &QMenu::aboutToHide, this, [this] { copyItem->setEnabled(true); });
    menu->popup(event->globalPos());
}

void TranscriptPane::itemsAppended(std::size_t firstItem)
{
    layout.itemsAppended(firstItem);
    updateScrollBar();
    if (!scrollChatOff())
        scrollToEnd();
    viewport()->update();
    announce(plain.itemsAppended(firstItem));
}

void TranscriptPane::itemsDropped(std::size_t count)
{
    // The lines on screen stay where they are unless the view follows the
    // end; the selection keeps its text; a gone link is no longer pressed.
    QScrollBar *bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const int scrolled = bar->value() - int(std::lround(layout.itemsDropped(count)));
    const bool selectionCut = hasSelection() && std::min(anchor, cursor).item < count;
    anchor = afterDrop(anchor, count);
    cursor = afterDrop(cursor, count);
    if (pressedLink >= 0 && pressedLink < model.firstLinkNumber())
        pressedLink = -1;
    if (hoveredLink >= 0 && hoveredLink < model.firstLinkNumber())
        setHoveredLink(-1);
    updateScrollBar();
    bar->setValue(atEnd ? bar->maximum() : std::max(0, scrolled));
    viewport()->update();
    announce(plain.itemsDropped(count));
    if (selectionCut && plain.isKept()) {
        const auto [from, to] = selection();
        announceSelection(this, plain.offsetOf(from), plain.offsetOf(to));
    }
}

void TranscriptPane::stylesChanged(StyleChange change)
{
    if (change == StyleChange::Font)
        layout.refreshFonts();
    if (change == StyleChange::Layout)
        relayOut([this] { layout.invalidate(); });
    viewport()->update();
    if (plain.isKept())
        announceAttributesChanged(this);
}

void TranscriptPane::transcriptCleared()
{
    layout.clear();
    idleLayout.stop();
    anchor = cursor = {};
    selecting = false;
    pressedLink = hoveredLink = -1;
    updateScrollBar();
    viewport()->update();
    announce(plain.cleared());
}

void TranscriptPane::updateScrollBar()
{
    const int content = int(std::ceil(kTopMargin + layout.height() + kBottomMargin));
    const int page = viewport()->height();
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setRange(0, std::max(0, content - page));
}

void TranscriptPane::scrollToEnd()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TranscriptPane::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayOut([this] { layout.setWidth(viewport()->width() - 2 * kMargin); });
}

void TranscriptPane::relayOut(const std::function<void()> &change)
{
    // The view keeps its place: the end, or the line at its top.
    const ViewAnchor anchor = viewAnchor();
    change();
    restoreView(anchor);
    settleView();
}

TranscriptPane::ViewAnchor TranscriptPane::viewAnchor()
{
    QScrollBar *bar = verticalScrollBar();
    ViewAnchor anchor;
    anchor.atEnd = bar->value() == bar->maximum();
    if (model.items().empty())
        return anchor;
    const qreal viewTop = std::max<qreal>(0, bar->value() - kTopMargin);
    anchor.line = layout.lineAt(viewTop);
    anchor.offset = viewTop - layout.lineTop(anchor.line);
    anchor.lineHeight = layout.lineCount() ? layout.line(anchor.line).height : 0;
    return anchor;
}

void TranscriptPane::restoreView(const ViewAnchor &anchor)
{
    const bool wasSettling = std::exchange(settling, true);
    updateScrollBar();
    QScrollBar *bar = verticalScrollBar();
    if (anchor.atEnd || model.items().empty() || anchor.line >= layout.lineCount()) {
        if (anchor.atEnd)
            scrollToEnd();
    } else {
        const qreal height = layout.line(anchor.line).height;
        // The same point of the line; as far into it in proportion when it
        // changed height.
        const qreal offset = height == anchor.lineHeight || anchor.lineHeight <= 0
                                 ? anchor.offset
                                 : anchor.offset * height / anchor.lineHeight;
        const qreal top = layout.lineTop(anchor.line) + offset;
        bar->setValue(top <= 0 ? 0 : int(std::lround(top + kTopMargin)));
    }
    settling = wasSettling;
}

void TranscriptPane::settleView()
{
    if (settling)
        return;
    settling = true;
    QScrollBar *bar = verticalScrollBar();
    // Each round lays out what the view shows; that may move the end, and a
    // view at the end follows it, showing further lines.
    for (bool changed = true; changed && !model.items().empty();) {
        changed = false;
        const bool atEnd = bar->value() == bar->maximum();
        const qreal viewTop = bar->value() - kTopMargin;
        const qreal viewBottom = viewTop + viewport()->height();
        const std::size_t count = layout.lineCount();
        for (std::size_t index = layout.lineAt(viewTop);
             index < count && layout.lineTop(index) < viewBottom; ++index) {
            if (!layout.isExact(index)) {
                layout.line(index);
                changed = true;
            }
        }
        if (changed) {
            updateScrollBar();
            if (atEnd)
                scrollToEnd();
        }
    }
    settling = false;
    if (!layout.isComplete() && !idleLayout.isActive())
        idleLayout.start(0, this);
}

void TranscriptPane::finishLayout()
{
    idleLayout.stop();
    if (layout.isComplete())
        return;
    const ViewAnchor anchor = viewAnchor();
    layout.complete();
    restoreView(anchor);
    viewport()->update();
}

void TranscriptPane::scrollContentsBy(int dx, int dy)
{
    // While the view is being put back on its lines after heights changed
    // above them, what it shows stays the same: nothing to redraw.
    if (settling)
        return;
    QAbstractScrollArea::scrollContentsBy(dx, dy);
    settleView();
}

TextPosition TranscriptPane::positionAt(QPoint viewportPoint)
{
    return layout.positionAt(toContent(viewportPoint));
}

QRect TranscriptPane::characterRect(TextPosition position)
{
    if (position.item >= model.items().size())
        return {};
    std::size_t index = layout.lineOfItem(position.item);
    {
        // A line out of view has its place right only when every line above
        // it is laid out.
        const qreal viewTop = verticalScrollBar()->value() - kTopMargin;
        const qreal top = layout.lineTop(index);
        if (top >= viewTop + viewport()->height() || top + layout.line(index).height <= viewTop)
            finishLayout();
    }
    const TranscriptLayout::Line &line = layout.line(index);
    // The fragment that holds the character, or failing that the one it ends.
    const TranscriptLayout::Row *foundRow = nullptr;
    const TranscriptLayout::Fragment *found = nullptr;
    bool inside = false;
    for (const TranscriptLayout::Row &row : line.rows) {
        for (const TranscriptLayout::Fragment &fragment : row.fragments) {
            if (fragment.item != position.item || inside)
                continue;
            const int end = fragment.start + fragment.length;
            if (position.offset >= fragment.start && position.offset <= end) {
                foundRow = &row;
                found = &fragment;
                inside = position.offset < end;
            }
        }
    }
    if (!found)
        return {};
    const qreal left = layout.offsetX(line, *found, position.offset);
    const qreal right = inside ? layout.offsetX(line, *found, position.offset + 1) : left;
    const qreal top =
        layout.lineTop(index) + foundRow->top + kTopMargin - verticalScrollBar()->value();
    return QRectF(kMargin + left, top, right - left, foundRow->height).toAlignedRect();
}

void TranscriptPane::scrollToPosition(TextPosition position)
{
    const QRect shown = characterRect(position);
    if (shown.isNull())
        return;
    QScrollBar *bar = verticalScrollBar();
    if (shown.top() < 0)
        bar->setValue(bar->value() + shown.top());
    else if (shown.bottom() >= viewport()->height())
        bar->setValue(bar->value() + shown.bottom() - viewport()->height() + 1);
}

QPointF TranscriptPane::toContent(QPointF point) const
{
    return {point.x() - kMargin, point.y() + verticalScrollBar()->value() - kTopMargin};
}

int TranscriptPane::linkAt(QPointF viewportPoint)
{
    const std::optional<std::size_t> item = layout.itemAt(toContent(viewportPoint));
    return item ? model.items()[*item].link : -1;
}

void TranscriptPane::setHoveredLink(int link)
{
    if (link == hoveredLink)
        return;
    hoveredLink = link;
    viewport()->setCursor(link >= 0 ? Qt::PointingHandCursor : Qt::IBeamCursor);
    // The tip shows where a click would go, whatever the link's text says.
    viewport()->setToolTip(link >= 0 ? webAddressOfLink(link).toDisplayString() : QString());
    viewport()->update();
}

void TranscriptPane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    pressedLink = linkAt(event->position());
    const TextPosition at = layout.positionAt(toContent(event->position()));
    selecting = true;
    moveSelection(event->modifiers() & Qt::ShiftModifier ? anchor : at, at);
}

void TranscriptPane::mouseMoveEvent(QMouseEvent *event)
{
    if (selecting && (event->buttons() & Qt::LeftButton)) {
        dragPoint = event->position();
        const bool outside = dragPoint.y() < 0 || dragPoint.y() > viewport()->height();
        if (outside && !dragScroll.isActive())
            dragScroll.start(kDragScrollMs, this);
        else if (!outside)
            dragScroll.stop();
        extendSelection();
    }
    setHoveredLink(linkAt(event->position()));
}

void TranscriptPane::extendSelection()
{
    const TextPosition moved = layout.positionAt(toContent(dragPoint));
    if (moved != cursor)
        moveSelection(anchor, moved);
}

void TranscriptPane::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == idleLayout.timerId()) {
        const ViewAnchor anchor = viewAnchor();
        if (layout.layOutSome(kIdleLayoutLines))
            restoreView(anchor);
        if (layout.isComplete())
            idleLayout.stop();
        return;
    }
    if (event->timerId() != dragScroll.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    if (!selecting) {
        dragScroll.stop();
        return;
    }
    // Selecting beyond the top or bottom edge scrolls while the button is held.
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->value() + (dragPoint.y() < 0 ? -kScrollStep : kScrollStep));
    extendSelection();
}

void TranscriptPane::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    selecting = false;
    dragScroll.stop();
    const int link = pressedLink;
    pressedLink = -1;
    if (hasSelection() && QApplication::clipboard()->supportsSelection())
        QApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
    if (link >= 0 && !hasSelection() && linkAt(event->position()) == link)
        guarded(ErrorOrigin::Local, [&] { mainchatJump(link); });
}

void TranscriptPane::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || model.items().empty())
        return;
    // Selects the word under the pointer.
    const TextPosition at = layout.positionAt(toContent(event->position()));
    const QString text = layout.itemText(at.item);
    int start = std::clamp(at.offset, 0, int(text.size()));
    int end = start;
    while (start > 0 && !text.at(start - 1).isSpace())
        --start;
    while (end < text.size() && !text.at(end).isSpace())
        ++end;
    selecting = false;
    moveSelection({at.item, start}, {at.item, end});
}

void TranscriptPane::keyPressEvent(QKeyEvent *event)
{
    const bool control = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (control && (event->key() == Qt::Key_C || event->key() == Qt::Key_Insert)) {
        guarded(ErrorOrigin::Local, [this] { copy(); });
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TranscriptPane::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TranscriptPane::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

bool TranscriptPane::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        setHoveredLink(-1);
    return QAbstractScrollArea::viewportEvent(event);
}

QColor TranscriptPane::styleColour(int style) const
{
    // The pane is white whatever the desktop's theme, so the window-text
    // colour must be one that shows on white.
    QPalette colours = QApplication::palette();
    if (colours.color(QPalette::Text).lightness() > 140)
        colours.setColor(QPalette::Text, Qt::black);
    return toQColor(model.style(style).colour, colours);
}

void TranscriptPane::paintEvent(QPaintEvent *)
{
    {
        // The view is normally laid out already (every change settles it);
        // should it not be, it is settled without scrolling the viewport in
        // the middle of its drawing, and drawn once more.
        const int before = verticalScrollBar()->value();
        const QSignalBlocker quiet(verticalScrollBar());
        settleView();
        if (verticalScrollBar()->value() != before)
            viewport()->update();
    }
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const qreal scroll = verticalScrollBar()->value();
    const qreal viewTop = scroll - kTopMargin;
    const qreal viewBottom = viewTop + viewport()->height();
    const std::size_t count = model.items().empty() ? 0 : layout.lineCount();
    for (std::size_t index = count ? layout.lineAt(viewTop) : 0; index < count; ++index) {
        const qreal top = layout.lineTop(index);
        if (top >= viewBottom)
            break;
        paintLine(painter, index, top - viewTop);
    }
    if (hasFocus()) {
        // The keyboard is here (reached by Tab): a thin frame in the
        // desktop's highlight colour says so.
        painter.setPen(
            QPen(QApplication::palette().color(QPalette::Active, QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
    }
}

void TranscriptPane::paintLine(QPainter &painter, std::size_t index, qreal top)
{
    const TranscriptLayout::Line &line = layout.line(index);
    const auto [from, to] = selection();
    const bool anySelection = hasSelection();
    const QPalette desktop = QApplication::palette();
    const QColor highlight = desktop.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightText = desktop.color(QPalette::Active, QPalette::HighlightedText);
    const qreal ratio = viewport()->devicePixelRatioF();

    for (const TranscriptLayout::Row &row : line.rows) {
        const qreal rowTop = top + row.top;
        const qreal baseline = rowTop + row.baseline;
        for (const TranscriptLayout::Fragment &fragment : row.fragments) {
            const TranscriptItem &item = model.items()[fragment.item];
            const qreal left = kMargin + fragment.x;

            // The selected part of this fragment, if any.
            qreal selLeft = 0;
            qreal selRight = 0;
            if (anySelection) {
                const TextPosition begin{fragment.item, fragment.start};
                const TextPosition end{fragment.item, fragment.start + fragment.length};
                const TextPosition selFrom = std::max(from, begin);
                const TextPosition selTo = std::min(to, end);
                if (selFrom < selTo && selFrom.item == fragment.item &&
                    selTo.item == fragment.item) {
                    selLeft = kMargin + layout.offsetX(line, fragment, selFrom.offset);
                    selRight = kMargin + layout.offsetX(line, fragment, selTo.offset);
                    selRight = std::min<qreal>(selRight, viewport()->width() - kMargin);
                }
            }
            const QRectF selected(selLeft, rowTop, selRight - selLeft, row.height);

            if (fragment.picture) {
                const qreal y = baseline + TranscriptLayout::kPictureDescent - kSmileyHeight;
                painter.drawPixmap(QPointF(left, y), smileyPixmap(item.picture, ratio));
                if (selRight > selLeft) {
                    QColor wash = highlight;
                    wash.setAlpha(110);
                    painter.fillRect(selected, wash);
                }
                continue;
            }

            QString text =
                line.texts[fragment.item - line.firstItem].mid(fragment.start, fragment.length);
            // Trailing blanks show nothing but would carry a link's underline.
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            QColor colour = styleColour(item.style);
            if (item.isLink() && item.link == hoveredLink) {
                // A hovered link stays readable: a soft tint behind it and a
                // deeper shade of its colour.
                const qreal width = layout.metrics(item.style).horizontalAdvance(text);
                QColor tint = colour;
                tint.setAlpha(40);
                painter.setPen(Qt::NoPen);
                painter.setBrush(tint);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.drawRoundedRect(QRectF(left - 1, rowTop, width + 2, row.height), 2, 2);
                painter.setRenderHint(QPainter::Antialiasing, false);
                colour = colour.darker(140);
            }
            painter.setFont(layout.font(item.style));
            painter.setPen(colour);
            painter.drawText(QPointF(left, baseline), text);
            if (selRight > selLeft) {
                painter.save();
                painter.fillRect(selected, highlight);
                painter.setClipRect(selected);
                painter.setPen(highlightText);
                painter.drawText(QPointF(left, baseline), text);
                painter.restore();
            }
        }
    }
}

} // namespace kalvex
