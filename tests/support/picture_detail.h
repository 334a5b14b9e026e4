#pragma once
// Measures of how much detail a rendered picture carries, for the tests that
// tell a picture painted at a device pixel ratio from one painted at ratio 1
// and blown up.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QWidget>

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

// The mean difference per colour channel (0 to 255) of two pictures of one
// size; 255 when the sizes differ.
inline double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 255;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const auto *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            sum += std::abs(qRed(l[x]) - qRed(r[x])) + std::abs(qGreen(l[x]) - qGreen(r[x])) +
                   std::abs(qBlue(l[x]) - qBlue(r[x])) + std::abs(qAlpha(l[x]) - qAlpha(r[x]));
        }
    }
    return sum / (4.0 * left.width() * left.height());
}

// The number of pixels whose colours differ by more than `tolerance` in any
// channel; -1 when the sizes differ.
inline int differingPixels(const QImage &a, const QImage &b, int tolerance = 0)
{
    if (a.size() != b.size())
        return -1;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int count = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto *l = reinterpret_cast<const QRgb *>(left.constScanLine(y));
        const auto *r = reinterpret_cast<const QRgb *>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            if (std::abs(qRed(l[x]) - qRed(r[x])) > tolerance ||
                std::abs(qGreen(l[x]) - qGreen(r[x])) > tolerance ||
                std::abs(qBlue(l[x]) - qBlue(r[x])) > tolerance ||
                std::abs(qAlpha(l[x]) - qAlpha(r[x])) > tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace kalvex::testing
