#pragma once
// The chat's own pictures, painted in code so they stay crisp at any
// screen scale: the 18 smilies and the icons of the chat buttons.

#include <QIcon>
#include <QPixmap>

class QPainter;
class QRectF;

namespace kalvex {

// Smilies are 17 by 16 (logical pixels).
inline constexpr int kSmileyWidth = 17;
inline constexpr int kSmileyHeight = 16;

// The phrase and chatter-sound buttons' pictures are 19 by 15.
inline constexpr int kButtonIconWidth = 19;
inline constexpr int kButtonIconHeight = 15;

// Paints smiley `index` (0 to 17) into `target`.
void paintSmiley(QPainter &painter, const QRectF &target, int index);
// Smiley `index` at the given device pixel ratio; kept once made.
QPixmap smileyPixmap(int index, qreal devicePixelRatio);
// The icons below are painted afresh for every size and pixel ratio asked of
// them, and kept once made.
QIcon smileyIcon(int index);
// Phrase button n (1 to 9): a speech bubble with its number, painted in the
// button picture's own coordinates (0, 0 to 19, 15).
void paintPhraseBubble(QPainter &painter, int n);
QIcon phraseIcon(int n);
// The chatter-sound button: a loudspeaker, in the same coordinates.
void paintLoudspeaker(QPainter &painter);
QIcon chatterIcon();

} // namespace kalvex
