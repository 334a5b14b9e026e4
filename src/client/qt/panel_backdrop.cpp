#include "client/qt/panel_backdrop.h"

#include "client/qt/board_art.h"

#include <QPainter>

#include <cmath>

namespace kalvex {

namespace {

QRect deviceRect(const QRect &logical, qreal ratio)
{
    return QRectF(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio)
        .toAlignedRect();
}

} // namespace

PanelBackdrop::PanelBackdrop(QSize pictureSize, Painter painter)
    : size(pictureSize), paint(std::move(painter))
{}

QSize PanelBackdrop::pixels() const
{
    return {int(std::ceil(size.width() * keptRatio)), int(std::ceil(size.height() * keptRatio))};
}

void PanelBackdrop::keep(qreal ratio, const QPoint &tileOrigin)
{
    if (ratio == keptRatio && tileOrigin == keptOrigin)
        return;
    keptRatio = ratio;
    keptOrigin = tileOrigin;
    base = QPixmap();
    bands.clear();
}

QPixmap PanelBackdrop::paintPart(int litRow, const QRect &part) const
{
    // Painted where the window paints it (the panel's place in the window is
    // where the felt's tiles begin), on a surface as large as the panel's
    // reach in the window, so that every shape and gradient falls on the
    // same device pixels as there (a smaller surface or an offset shifts the
    // last bit of a few); and only on the rows of `part`, across the whole
    // width, as a gradient is worked out along each row.
    const QPoint place = -keptOrigin;
    const QPoint placed(qRound(place.x() * keptRatio), qRound(place.y() * keptRatio));
    const QRect target = part.translated(placed);
    QPixmap surface(QSize(placed.x(), placed.y()) + pixels());
    surface.setDevicePixelRatio(keptRatio);
    {
        QPainter p(&surface);
        p.setClipRect(QRectF(0, target.top() / keptRatio, surface.width() / keptRatio,
                             target.height() / keptRatio));
        p.translate(place);
        paint(p, keptOrigin, litRow);
    }
    QPixmap cut = surface.copy(target);
    cut.setDevicePixelRatio(keptRatio);
    return cut;
}

void PanelBackdrop::draw(QPainter &p, const QPoint &tileOrigin, int litRow, const QRect &bandRect)
{
    keep(boardart::paintedPixelRatio(p), tileOrigin);
    if (base.isNull()) {
        base = paintPart(0, QRect(QPoint(0, 0), pixels()));
        ++made;
    }
    p.drawPixmap(QPointF(0, 0), base);
    if (litRow == 0)
        return;
    const Band &lit = band(litRow, bandRect);
    p.drawPixmap(QPointF(lit.offset) / keptRatio, lit.pixmap);
}

const PanelBackdrop::Band &PanelBackdrop::band(int litRow, const QRect &bandRect)
{
    auto found = bands.find(litRow);
    if (found == bands.end()) {
        const QRect part =
            deviceRect(bandRect, keptRatio).intersected(QRect(QPoint(0, 0), base.size()));
        found = bands.emplace(litRow, Band{part.topLeft(), paintPart(litRow, part)}).first;
        ++made;
    }
    return found->second;
}

bool PanelBackdrop::makeNextBand(int rows, const std::function<QRect(int row)> &bandOf)
{
    if (base.isNull())
        return false;
    for (int row = 1; row <= rows; ++row) {
        if (bands.count(row) == 0) {
            band(row, bandOf(row));
            return row < rows;
        }
    }
    return false;
}

} // namespace kalvex
