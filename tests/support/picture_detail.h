#pragma once
// Measures of how much detail a rendered picture carries, for the tests that
// tell a picture painted at a device pixel ratio from one painted at ratio 1
// and blown up.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace kalvex::testing {

// The widget as it looks on a screen of the given pixel ratio.
inline QImage renderAt(QWidget &widget, qreal ratio)
{
    QPixmap pixmap(widget.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    widget.render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren);
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

inline int distinctColours(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QSet<QRgb> seen;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            seen.insert(line[x]);
    }
    return int(seen.size());
}

// `small` blown up to `large`'s size, as a bitmap drawn at ratio 1 is shown
// on a denser screen.
inline QImage blownUp(const QImage &small, const QImage &large,
                      Qt::TransformationMode mode = Qt::SmoothTransformation)
{
    return small.scaled(large.size(), Qt::IgnoreAspectRatio, mode)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Calls `visit` with each pair of pixels at one place in two pictures of one
// size; false when the sizes differ.
template <typename Visit> bool forEachPixelPair(const QImage &a, const QImage &b, Visit visit)
{
    if (a.size() != b.size() || a.isNull())
        return false;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < left.height(); ++y) {
        const auto *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const auto *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x)
            visit(l[x], r[x]);
    }
    return true;
}

// The largest difference of one colour channel between two pixels.
inline int channelDistance(QRgb l, QRgb r)
{
    return std::max({std::abs(qRed(l) - qRed(r)), std::abs(qGreen(l) - qGreen(r)),
                     std::abs(qBlue(l) - qBlue(r)), std::abs(qAlpha(l) - qAlpha(r))});
}

// The mean difference per colour channel (0 to 255) of two pictures of one
// size; 255 when the sizes differ.
inline double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    const bool sameSize = forEachPixelPair(a, b, [&sum](QRgb l, QRgb r) {
        sum += std::abs(qRed(l) - qRed(r)) + std::abs(qGreen(l) - qGreen(r)) +
               std::abs(qBlue(l) - qBlue(r)) + std::abs(qAlpha(l) - qAlpha(r));
    });
    return sameSize ? sum / (4.0 * a.width() * a.height()) : 255;
}

// The number of pixels whose colours differ by more than `tolerance` in any
// channel; -1 when the sizes differ.
inline int differingPixels(const QImage &a, const QImage &b, int tolerance = 0)
{
    int count = 0;
    const bool sameSize = forEachPixelPair(a, b, [&count, tolerance](QRgb l, QRgb r) {
        if (channelDistance(l, r) > tolerance)
            ++count;
    });
    return sameSize ? count : -1;
}

} // namespace kalvex::testing
