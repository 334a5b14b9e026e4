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

    // Draws the picture with `litRow` lit; `bandRect` holds every pixel that
    // lighting the row changes. Pixmaps are made on first use and kept while
    // the ratio and the tile origin stay.
    void draw(QPainter &p, const QPoint &tileOrigin, int litRow, const QRect &bandRect);

    // Paints the band of one more row of 1..rows that has none yet, for the
    // ratio and tile origin last drawn at; false once every row has its
    // band (or nothing has been drawn yet). `bandOf` gives a row's band.
    bool makeNextBand(int rows, const std::function<QRect(int row)> &bandOf);

    // Whether the picture and the bands of rows 1..rows are all kept.
    bool complete(int rows) const
    {
        return !base.isNull() && bands.size() >= static_cast<std::size_t>(rows);
    }

    // How many pixmaps have been painted so far.
    int pixmapsMade() const { return made; }

private:
    // A lit row's pixels and their place on the picture, in device pixels.
    struct Band
    {
        QPoint offset;
        QPixmap pixmap;
    };

    void keep(qreal ratio, const QPoint &tileOrigin);
    // The picture's size in device pixels at the kept ratio.
    QSize pixels() const;
    const Band &band(int litRow, const QRect &bandRect);
    // The picture's pixels inside `deviceRect`, painted with `litRow` lit.
    QPixmap paintPart(int litRow, const QRect &deviceRect) const;

    QSize size;
    Painter paint;
    qreal keptRatio = 0;
    QPoint keptOrigin;
    QPixmap base;
    std::map<int, Band> bands;
    int made = 0;
};

} // namespace kalvex
