#pragma once
// The board panel's unchanging picture, kept as pixmaps: painted once per
// pixel ratio and tile origin, with each row's lit band cut from the same
// picture painted with that row lit. Drawing it is then a copy, exact to the
// pixel of painting it afresh.

#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <map>

class QPainter;

namespace kalvex {

class PanelBackdrop
{
public:
    // Paints the whole picture with `litRow` lit (0: none), the felt's tiles
    // starting at `tileOrigin`.
    using Painter = std::function<void(QPainter &, const QPoint &tileOrigin, int litRow)>;

    PanelBackdrop(QSize size, Painter painter);

    // Draws the picture with `litRow` lit; `band` holds every pixel that
    // lighting the row changes. Pixmaps are made on first use and kept while
    // the ratio and the tile origin stay.
    void draw(QPainter &p, const QPoint &tileOrigin, int litRow, const QRect &band);

    // How many pixmaps have been painted so far.
    int pixmapsMade() const { return made; }

private:
    void keep(qreal ratio, const QPoint &tileOrigin);
    // The picture's pixels inside `deviceRect`, painted with `litRow` lit.
    QPixmap paintPart(int litRow, const QRect &deviceRect) const;

    QSize size;
    Painter paint;
    qreal keptRatio = 0;
    QPoint keptOrigin;
    QPixmap base;
    std::map<int, QPixmap> bands;
    int made = 0;
};

} // namespace kalvex
