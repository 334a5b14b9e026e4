#pragma once
// Pictures the secondary windows paint themselves, sharp at any pixel ratio.

#include <QPixmap>

class QPainter;

namespace kalvex {

// The program's logo: four coloured balls over the word "KALVEX" with a
// row of clue pegs, on a dark rounded plate filling (0, 0) to `size`.
void paintKalvexLogo(QPainter &painter, const QSize &size);
// The logo at a device pixel ratio; kept once made, per size and ratio.
QPixmap kalvexLogo(const QSize &size, qreal devicePixelRatio = 1.0);

} // namespace kalvex
