#pragma once
// The board's pictures, painted as shapes so that they stay sharp at any
// pixel ratio: the wooden board, the roster plate, balls, clue pegs, value
// markers, badges, buttons, markers, the clock bar and the window tile.

#include "client/board.h"

#include <QColor>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace kalvex::boardart {

// The device pixel ratio a painter really paints at: that of the surface
// under it (the screen's backing store, or the pixmap a widget is rendered
// into), which may differ from the ratio of the widget it was opened on.
qreal paintedPixelRatio(const QPainter &p);

// The colour of ball 1..6 (yellow, green, blue, red, magenta, cyan).
QColor ballColour(int colour);

// A shaded sphere of ball colour 1..6 with its shadow, inside `box`.
void paintBall(QPainter &p, const QRectF &box, int colour);
// The ball's colour number on it, for players who tell colours apart
// poorly: dark on light balls, white on dark ones. Nothing for 0.
void paintBallNumber(QPainter &p, const QRectF &box, int colour);
// The ring around the hole the keyboard works on; `box` is the ring's outer
// bound, a little larger than the hole.
void paintSelectionRing(QPainter &p, const QRectF &box);
// The name of ball colour 1..6 ("yellow"), for screen readers; "empty" for 0.
QString ballColourName(int colour);
// An empty, recessed hole.
void paintHole(QPainter &p, const QRectF &box);
// One clue peg (11 by 11); Peg::None paints an empty dimple.
void paintPeg(QPainter &p, const QRectF &box, Peg peg);
// The socket in which a row's clue box sits (22 by 22).
void paintClueSocket(QPainter &p, const QRectF &box);
// The points a row is worth, on a brass tag.
void paintValueMarker(QPainter &p, const QRectF &box, int value);

// The walnut board: `box` is its full 164 by 365 area; the holes, code holes,
// clue sockets and value marker places are given in the same coordinates.
struct BoardGeometry
{
    QRectF board;
    QRectF holes[kBoardRows][kRowHoles];
    QRectF codeHoles[kRowHoles];
    QRectF clueBoxes[kBoardRows];
    QRectF markers[kBoardRows];
};
void paintBoard(QPainter &p, const BoardGeometry &geometry, int highlightedRow);
// The dark glass plate behind the roster and its clock frame.
void paintRosterPlate(QPainter &p, const QRectF &box);
void paintClockFrame(QPainter &p, const QRectF &box);
// The frame around the chat side of the window.
void paintChatFrame(QPainter &p, const QRectF &box);
// One seat line's soft stripe in its colour.
void paintSeatStripe(QPainter &p, const QRectF &box, const QColor &colour, bool emphasised);

enum class Badge
{
    Eyes,
    Solved,
    Failed
};
void paintBadge(QPainter &p, const QRectF &box, Badge badge);
// The check button (32 by 23) and the start button (99 by 27).
void paintCheckButton(QPainter &p, const QRectF &box, bool hovered, bool pressed);
void paintStartButton(QPainter &p, const QRectF &box, bool hovered, bool pressed);
// The time bonus badge beside the clock.
void paintBonusBadge(QPainter &p, const QRectF &box);
// The small stopwatch beside the seat that got the time bonus.
void paintTimeBonusMarker(QPainter &p, const QRectF &box);
// The golden frame and crown over the winner's seat line.
void paintWinnerMarker(QPainter &p, const QRectF &box);
// The clock bar; its width is the seconds left.
void paintClockBar(QPainter &p, const QRectF &box, bool hurry);

// The main window's tiled background (deep blue felt), one tile of
// kBackgroundTileSize logical pixels at a device pixel ratio; kept once made.
inline constexpr int kBackgroundTileSize = 96;
QPixmap backgroundTile(qreal devicePixelRatio);
// The tile at the highest pixel ratio among the screens. The other windows
// copy it.
QPixmap backgroundTile();

} // namespace kalvex::boardart
