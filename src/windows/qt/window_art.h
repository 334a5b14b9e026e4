#pragma once
// Pictures the secondary windows paint themselves, sharp at any pixel ratio.

#include <QColor>
#include <QPixmap>

class QPainter;
class QRectF;

namespace kalvex {

// A glossy ball of the given colour filling the rectangle.
void paintBall(QPainter &painter, const QRectF &box, const QColor &colour);
// The program's logo: four coloured balls over the word "KALVEX" with a
// row of clue pegs, on a dark rounded plate.
QPixmap kalvexLogo(const QSize &size, qreal devicePixelRatio = 1.0);

} // namespace kalvex
