#pragma once
// TranscriptPane (object name "mainchat"): the scrolling chat transcript.
// It owns the Transcript model and draws it: lines wrapped inside 5-pixel
// margins on white, smilies, links that open in the browser, mouse
// selection, Copy, Select All, Clear Main Chat, Scroll Chat Off and the text
// size. The main window puts its actions into its own menus. Screen readers
// read it as a read-only text and hear each new line (TranscriptAccessible).

#include "chat/qt/transcript_layout.h"
#include "chat/qt/transcript_plain_text.h"
#include "chat/transcript.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QBasicTimer>
#include <QList>
#include <QRect>
#include <QSize>
#include <QUrl>

#include <functional>
#include <memory>
#include <string_view>

class QAction;
class QMenu;

namespace kalvex {

class LinkOpener;

class TranscriptPane : public QAbstractScrollArea,
                       private TranscriptListener,
                       private QAccessible::ActivationObserver
{
    Q_OBJECT

public:
    // The pane's size at the main window's design size; whoever holds the
    // pane places it.
    static constexpr QSize kDesignSize{267, 339};
    static constexpr int kMargin = 5;
    static constexpr int kTopMargin = 2;
    // The entries of the "Text Size" menu.
    static constexpr int kTextSizes[] = {8, 10, 12, 14};

    explicit TranscriptPane(QWidget *parent = nullptr, TranscriptBounds bounds = {});
    ~TranscriptPane() override;

    Transcript &transcript() { return model; }
    // How the transcript is laid out now (for tests and tools).
    TranscriptLayout &currentLayout() { return layout; }

    // A line "slot+text" ("0+..." for the system, in syscolour).
    void addlinetochat(std::string_view line, ColourValue colour);
    // The fields of a relayed "CMD_chat" or "CMD_action" after the command word.
    void chatrecieved(std::string_view fields);
    void viewQuickInstructions();

    // A "Text Size" entry chosen: all styles take the size, only that entry
    // is marked, and textSizeChosen() asks for the settings to be saved.
    void chooseTextSize(int points);
    // The settings file gave a size: the entry of that number (if any) is
    // marked, the others keep their marks, nothing is saved.
    void applyTextSize(int points);
    int textSize() const { return model.textSize(); }

    void clearMainChat();
    void selectAll();
    // Puts the selection on the clipboard as plain text (CR LF line breaks).
    void copy();
    bool hasSelection() const;
    QString selectedText() const;
    // The selection's ends in order; equal when nothing is selected.
    std::pair<TextPosition, TextPosition> selection() const;
    // Selects as a drag from `from` to `to` would.
    void setSelection(TextPosition from, TextPosition to);
    void clearSelection();

    // The text as assistive technology reads it. Kept from the moment
    // accessibility is active (or keepPlainText() is called).
    const TranscriptPlainText &plainText() const { return plain; }
    void keepPlainText() { plain.keep(); }
    // The caret in the plain text: the moving end of the selection while
    // there is one, otherwise the end. Needs the plain text kept.
    int caretOffset() const;
    // Where the character at a place is drawn, in viewport coordinates (no
    // width at the end of an item); empty when nothing is shown.
    QRect characterRect(TextPosition position);
    // The place nearest to a point of the viewport.
    TextPosition positionAt(QPoint viewportPoint);
    // Scrolls the place into view.
    void scrollToPosition(TextPosition position);
    // Lays out every line whose height is still an estimate (after a text
    // size or width change the lines out of view are laid out a batch at a
    // time while the program is idle), keeping the view on its lines.
    void finishLayout();
    // The colour text of a style is drawn in.
    QColor styleColour(int style) const;

    bool scrollChatOff() const;
    void setScrollChatOff(bool on);

    // The link opener used for clicks; nullptr restores the desktop's.
    // Not owned.
    void setLinkOpener(LinkOpener *opener);
    // A click on link `number`.
    void mainchatJump(int number);

    QAction *clearAction() const { return clearItem; }
    // Checkable, Ctrl+S; one switch for the Options menu and the context menu.
    QAction *scrollChatOffAction() const { return scrollOffItem; }
    // Ctrl+I; for a hidden entry of the View menu.
    QAction *quickInstructionsAction() const { return instructionsItem; }
    // Checkable "8", "10", "12", "14" for the "Text Size" submenu.
    const QList<QAction *> &textSizeActions() const { return sizeItems; }

    // The context menu: "Select All", "Copy", "Clear Main Chat", a
    // separator, "Scroll Chat Off". The caller owns it.
    QMenu *createContextMenu(QWidget *parent);

signals:
    // The user chose a text size: save the settings.
    void textSizeChosen(int points);
    // "Clear Main Chat" ran: the chat input takes the keyboard focus.
    void chatCleared();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Where the view is: at the end, or on a line and so far into it.
    struct ViewAnchor
    {
        bool atEnd = true;
        std::size_t line = 0;
        qreal offset = 0;
        qreal lineHeight = 0;
    };

    void itemsAppended(std::size_t firstItem) override;
    void itemsDropped(std::size_t count) override;
    void stylesChanged(StyleChange change) override;
    void transcriptCleared() override;
    void accessibilityActiveChanged(bool active) override;

    void createActions();
    // Moves the selection's ends and tells assistive technology.
    void moveSelection(TextPosition newAnchor, TextPosition newCursor);
    void announce(const std::optional<TranscriptPlainText::Change> &change);
    void updateScrollBar();
    void scrollToEnd();
    ViewAnchor viewAnchor();
    // Puts the view back on the anchor's place after heights changed.
    void restoreView(const ViewAnchor &anchor);
    // Lays out the lines in view whose height is an estimate, until the
    // view rests, and keeps laying out the others while idle.
    void settleView();
    // The layout changed for every line: estimates now, the view laid out.
    void relayOut(const std::function<void()> &change);
    QPointF toContent(QPointF viewportPoint) const;
    int linkAt(QPointF viewportPoint);
    void setHoveredLink(int link);
    void extendSelection();
    // The http or https address a click on the link opens; empty if none.
    QUrl webAddressOfLink(int number) const;
    void paintLine(QPainter &painter, std::size_t index, qreal top);

    Transcript model;
    TranscriptLayout layout;
    TranscriptPlainText plain;
    std::unique_ptr<LinkOpener> desktopOpener;
    LinkOpener *opener = nullptr;

    TextPosition anchor;
    TextPosition cursor;
    bool selecting = false;
    int pressedLink = -1;
    int hoveredLink = -1;
    QPointF dragPoint;
    QBasicTimer dragScroll;
    QBasicTimer idleLayout;
    bool settling = false;

    QAction *selectAllItem = nullptr;
    QAction *copyItem = nullptr;
    QAction *clearItem = nullptr;
    QAction *scrollOffItem = nullptr;
    QAction *instructionsItem = nullptr;
    QList<QAction *> sizeItems;
};

} // namespace kalvex
