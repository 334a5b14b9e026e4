#pragma once
// The board panel of the main window (613 by 393): the roster, the board,
// the round clock and the status texts, drawn from a ClientSession. Clicks
// on balls, the check button and the seat line menu go to the session; the
// start button is reported with startRequested(). The right part of the
// panel (from x = 341) is a framed place for the chat controls, which the
// main window lays over it.

#include "client/qt/panel_backdrop.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QMenu;
class QAction;

namespace kalvex {

class ClientSession;
class PaintedWidget;
class PictureButton;
class ElidedLabel;

class BoardPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 613;
    static constexpr int kHeight = 393;

    explicit BoardPanel(ClientSession &session, QWidget *parent = nullptr);

    // Redraws everything from the session (the main window calls it from
    // BoardView::modelChanged).
    void refresh();

    // The main window's tiled background; other windows copy it.
    static QPixmap backgroundTile();

    // "Show Ball Numbers": each ball and code ball carries its colour number.
    void setShowBallNumbers(bool on);
    bool ballNumbersShown() const { return showNumbers; }

    // Opens the seat line menu (`popup_kick`) for `slot` at a screen position.
    void openSeatMenu(int slot, const QPoint &globalPosition);

    // The panel's own picture under the controls, kept as pixmaps.
    const PanelBackdrop &backdropPixmaps() const { return backdrop; }

    QSize sizeHint() const override { return {kWidth, kHeight}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // `button_start` was clicked: the main window shows the game options, or
    // "You are not connected" before the login.
    void startRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    // Keyboard play: 1 to 6 colour the selected hole, Left and Right move
    // the selection, Enter presses the check button.
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // What the panel itself paints besides its unchanging picture: the lit
    // row, the keyboard's ring and the seat stripes ('-' none, 'N' plain,
    // 'B' emphasised).
    struct Marks
    {
        int litRow = 0;
        int ringHole = 0;
        std::array<char, 10> stripes{};
        bool operator==(const Marks &) const = default;
    };

    struct SeatControls
    {
        ElidedLabel *name = nullptr;
        QLabel *score = nullptr;
        QLabel *points = nullptr;
        PaintedWidget *eyes = nullptr;
        PaintedWidget *complete = nullptr;
        PaintedWidget *imcomplete = nullptr;
    };

    void buildBoard();
    void buildRoster();
    void buildClockAndTexts();
    void buildSeatMenu();
    void refreshBoard();
    void refreshRoster();
    void refreshTexts();
    Marks currentMarks() const;
    // Paints the lit bands of the rows not yet lit, one per idle turn, so
    // that lighting a row the first time costs no more than any other time.
    void makeBandsWhenIdle();
    // Asks for a repaint of what differs between two sets of marks only.
    void updateMarks(const Marks &before, const Marks &after);
    // The row drawn lit: the open row while this client may enter it.
    int litRow() const;
    // The hole that shows the keyboard's selection ring, if any.
    bool ringOn(int row, int position) const;
    void paintHoleContents(QPainter &p, const QRectF &box, int row, int position);
    void describeHole(int row, int position);
    // Runs a click's effect on the session, reports what it throws, redraws.
    void userAction(const std::function<void()> &action);

    ClientSession &session;
    QLabel *labelStatus = nullptr;
    QLabel *labelRoundnum = nullptr;
    QLabel *labelGametype = nullptr;
    QLabel *labelTimer = nullptr;
    PaintedWidget *imageTimer = nullptr;
    PaintedWidget *imageBonus = nullptr;
    PaintedWidget *imageGottime = nullptr;
    PaintedWidget *imageWinner = nullptr;
    PictureButton *buttonStart = nullptr;
    PictureButton *buttonCheck = nullptr;
    std::array<std::array<PaintedWidget *, 4>, 12> holes{};
    std::array<PaintedWidget *, 12> clueBoxes{};
    std::array<PaintedWidget *, 12> valueMarkers{};
    std::array<PaintedWidget *, 4> codeHoles{};
    std::array<SeatControls, 10> seats{};
    QMenu *popupKick = nullptr;
    QAction *actionRemove = nullptr;
    QAction *actionSetWatching = nullptr;
    QAction *actionUnsetWatching = nullptr;
    QAction *actionMute = nullptr;
    bool showNumbers = false;
    Marks painted;
    PanelBackdrop backdrop;
    bool bandsPending = false;
    // Counts refreshes, so that a click the session already redrew for is
    // not refreshed a second time.
    unsigned refreshes = 0;
};

} // namespace kalvex
