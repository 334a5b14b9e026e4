#pragma once
// Pictures the secondary windows paint themselves, sharp at any pixel ratio.

#include <QPixmap>

namespace kalvex {

// The program's logo: four coloured balls over the word "KALVEX" with a
// row of clue pegs, on a dark rounded plate.
QPixmap kalvexLogo(const QSize &size, qreal devicePixelRatio = 1.0);

} // namespace kalvex
