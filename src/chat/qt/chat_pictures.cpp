#include "chat/qt/chat_pictures.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleOption>

#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace kalvex {

namespace {

const QColor kInk(0x4a, 0x2c, 0x08);
const QColor kMouthRed(0xb8, 0x2a, 0x2a);

struct FaceColours
{
    QColor light, base, rim;
};

FaceColours faceColours(int index)
{
    switch (index) {
    case 7: // angry
        return {QColor(0xff, 0xc0, 0x90), QColor(0xf0, 0x60, 0x30), QColor(0x9a, 0x28, 0x10)};
    case 16: // devil
        return {QColor(0xe0, 0xa8, 0xff), QColor(0x98, 0x48, 0xd0), QColor(0x52, 0x18, 0x80)};
    default:
        return {QColor(0xff, 0xf6, 0xa8), QColor(0xff, 0xc8, 0x20), QColor(0xb8, 0x78, 0x00)};
    }
}

void face(QPainter &p, int index)
{
    const FaceColours colours = faceColours(index);
    const QPointF centre(8.5, 8.5);
    QRadialGradient shade(QPointF(6.5, 5.5), 9.0);
    shade.setColorAt(0.0, colours.light);
    shade.setColorAt(0.55, colours.base);
    shade.setColorAt(1.0, colours.base.darker(118));
    p.setPen(QPen(colours.rim, 0.9));
    p.setBrush(shade);
    p.drawEllipse(centre, 7.0, 7.0);
    // A soft highlight on the upper left gives the face its roundness.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QPointF(6.0, 4.6), 2.6, 1.5);
}

void dotEyes(QPainter &p, qreal y = 6.6, qreal height = 1.5)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(6.0, y), 0.95, height);
    p.drawEllipse(QPointF(11.0, y), 0.95, height);
}

void arc(QPainter &p, qreal x, qreal y, qreal w, qreal h, int startDeg, int spanDeg,
         qreal width = 1.1, const QColor &colour = kInk)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x, y, w, h), startDeg * 16, spanDeg * 16);
}

void smileMouth(QPainter &p)
{
    arc(p, 4.6, 6.2, 7.8, 5.6, 200, 140);
}

void openMouth(QPainter &p, qreal top, qreal depth, bool teeth)
{
    QPainterPath mouth;
    mouth.moveTo(4.4, top);
    mouth.quadTo(8.5, top + 0.6, 12.6, top);
    mouth.quadTo(12.2, top + depth + 1.2, 8.5, top + depth + 1.2);
    mouth.quadTo(4.8, top + depth + 1.2, 4.4, top);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(0x6a, 0x12, 0x12));
    p.drawPath(mouth);
    if (teeth) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.3, top + 0.3, 6.4, 1.1));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe8, 0x6a, 0x6a));
        p.drawEllipse(QPointF(8.5, top + depth + 0.3), 2.0, 0.9);
    }
}

void closedEye(QPainter &p, qreal x, qreal y, bool up)
{
    if (up)
        arc(p, x - 1.5, y - 0.6, 3.0, 2.4, 20, 140, 1.0);
    else
        arc(p, x - 1.5, y - 1.6, 3.0, 2.4, 200, 140, 1.0);
}

void heart(QPainter &p, QPointF at, qreal size, const QColor &colour)
{
    QPainterPath path;
    const qreal s = size;
    path.moveTo(at.x(), at.y() + s * 0.9);
    path.cubicTo(at.x() - s * 1.3, at.y() + s * 0.1, at.x() - s * 0.7, at.y() - s * 0.9, at.x(),
                 at.y() - s * 0.25);
    path.cubicTo(at.x() + s * 0.7, at.y() - s * 0.9, at.x() + s * 1.3, at.y() + s * 0.1, at.x(),
                 at.y() + s * 0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void drawFeatures(QPainter &p, int index)
{
    switch (index) {
    case 0: // smile
        dotEyes(p);
        smileMouth(p);
        break;
    case 1: // big grin
        dotEyes(p, 6.2);
        openMouth(p, 9.3, 2.4, true);
        break;
    case 2: // wink
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(6.0, 6.6), 0.95, 1.5);
        closedEye(p, 11.0, 6.8, true);
        arc(p, 5.0, 6.6, 7.6, 5.0, 200, 130);
        break;
    case 3: // sad
        dotEyes(p);
        arc(p, 5.0, 10.4, 7.0, 4.6, 25, 130);
        break;
    case 4: { // tongue out
        dotEyes(p);
        p.setPen(QPen(kInk, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.0, 10.4), QPointF(12.0, 10.4));
        p.setPen(QPen(kMouthRed.darker(120), 0.7));
        p.setBrush(QColor(0xf0, 0x60, 0x70));
        QPainterPath tongue;
        tongue.moveTo(7.0, 10.4);
        tongue.lineTo(7.0, 12.2);
        tongue.quadTo(8.6, 14.6, 10.2, 12.2);
        tongue.lineTo(10.2, 10.4);
        p.drawPath(tongue);
        break;
    }
    case 5: // surprised
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.0, 6.3), 1.6, 1.9);
        p.drawEllipse(QPointF(11.0, 6.3), 1.6, 1.9);
        dotEyes(p, 6.5, 0.9);
        p.setPen(QPen(kInk, 0.9));
        p.setBrush(QColor(0x6a, 0x12, 0x12));
        p.drawEllipse(QPointF(8.5, 11.4), 1.5, 1.9);
        break;
    case 6: { // sunglasses
        p.setPen(QPen(QColor(0x10, 0x10, 0x18), 0.9));
        p.drawLine(QPointF(2.0, 6.0), QPointF(15.0, 6.0));
        QLinearGradient glass(0, 5, 0, 9);
        glass.setColorAt(0, QColor(0x50, 0x58, 0x70));
        glass.setColorAt(1, QColor(0x08, 0x08, 0x10));
        p.setBrush(glass);
        p.drawRoundedRect(QRectF(3.3, 5.2, 4.6, 3.4), 1.4, 1.4);
        p.drawRoundedRect(QRectF(9.1, 5.2, 4.6, 3.4), 1.4, 1.4);
        arc(p, 5.0, 7.0, 7.6, 5.0, 210, 120);
        break;
    }
    case 7: // angry
        p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.2, 4.6), QPointF(7.4, 6.0));
        p.drawLine(QPointF(12.8, 4.6), QPointF(9.6, 6.0));
        dotEyes(p, 7.3, 1.1);
        arc(p, 5.4, 10.8, 6.2, 3.6, 30, 120);
        break;
    case 8: // laughing
        closedEye(p, 6.0, 6.4, true);
        closedEye(p, 11.0, 6.4, true);
        openMouth(p, 9.0, 3.0, false);
        break;
    case 9: { // crying
        closedEye(p, 6.0, 6.6, false);
        closedEye(p, 11.0, 6.6, false);
        arc(p, 5.4, 10.8, 6.2, 3.8, 25, 130);
        QPainterPath tear;
        tear.moveTo(4.6, 7.6);
        tear.quadTo(3.2, 10.4, 4.6, 11.0);
        tear.quadTo(6.0, 10.4, 4.6, 7.6);
        p.setPen(QPen(QColor(0x20, 0x70, 0xd0), 0.5));
        p.setBrush(QColor(0x6c, 0xb8, 0xff));
        p.drawPath(tear);
        break;
    }
    case 10: { // confused
        dotEyes(p);
        QPainterPath mouth;
        mouth.moveTo(5.0, 11.4);
        mouth.cubicTo(6.5, 9.8, 7.5, 12.6, 8.6, 11.2);
        mouth.cubicTo(9.7, 9.8, 10.8, 12.4, 12.0, 10.6);
        p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(mouth);
        break;
    }
    case 11: // in love
        heart(p, QPointF(5.9, 6.4), 2.0, QColor(0xe0, 0x20, 0x40));
        heart(p, QPointF(11.1, 6.4), 2.0, QColor(0xe0, 0x20, 0x40));
        smileMouth(p);
        break;
    case 12: { // sleepy
        p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.6, 7.2), QPointF(7.4, 7.2));
        p.drawLine(QPointF(9.6, 7.2), QPointF(12.4, 7.2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x6a, 0x12, 0x12));
        p.drawEllipse(QPointF(8.5, 11.3), 1.1, 0.9);
        QFont font;
        font.setPixelSize(5);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0x20, 0x50, 0xb0));
        p.drawText(QPointF(12.2, 4.2), QStringLiteral("z"));
        break;
    }
    case 13: // kiss
        dotEyes(p);
        p.setPen(QPen(kMouthRed, 1.0));
        p.setBrush(QColor(0xe0, 0x40, 0x50));
        p.drawEllipse(QPointF(8.5, 11.2), 1.1, 1.1);
        heart(p, QPointF(13.4, 11.6), 1.4, QColor(0xe0, 0x20, 0x40));
        break;
    case 14: // blushing
        closedEye(p, 6.0, 6.6, true);
        closedEye(p, 11.0, 6.6, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0x70, 0x80, 150));
        p.drawEllipse(QPointF(4.4, 9.4), 1.7, 1.0);
        p.drawEllipse(QPointF(12.6, 9.4), 1.7, 1.0);
        arc(p, 6.0, 8.6, 5.0, 3.4, 200, 140);
        break;
    case 15: // glasses
        p.setPen(QPen(QColor(0x30, 0x30, 0x40), 0.8));
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QPointF(6.0, 6.8), 2.0, 2.0);
        p.drawEllipse(QPointF(11.0, 6.8), 2.0, 2.0);
        p.drawLine(QPointF(8.0, 6.6), QPointF(9.0, 6.6));
        dotEyes(p, 6.9, 0.9);
        arc(p, 6.0, 8.6, 5.0, 3.4, 200, 140);
        break;
    case 16: { // devil
        QPainterPath horns;
        horns.moveTo(3.2, 4.2);
        horns.lineTo(2.6, 0.6);
        horns.lineTo(5.6, 2.4);
        horns.moveTo(13.8, 4.2);
        horns.lineTo(14.4, 0.6);
        horns.lineTo(11.4, 2.4);
        p.setPen(QPen(QColor(0x52, 0x18, 0x80), 0.6));
        p.setBrush(QColor(0xc8, 0x20, 0x30));
        p.drawPath(horns);
        p.setPen(QPen(kInk, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.4, 5.0), QPointF(7.2, 6.2));
        p.drawLine(QPointF(12.6, 5.0), QPointF(9.8, 6.2));
        dotEyes(p, 7.4, 1.0);
        arc(p, 4.6, 6.4, 7.8, 5.6, 200, 140);
        break;
    }
    case 17: // angel
        dotEyes(p);
        smileMouth(p);
        p.setPen(QPen(QColor(0xf0, 0xb0, 0x00), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8.5, 1.6), 4.4, 1.2);
        break;
    default:
        dotEyes(p);
        smileMouth(p);
        break;
    }
}

} // namespace

void paintSmiley(QPainter &painter, const QRectF &target, int index)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / kSmileyWidth, target.height() / kSmileyHeight);
    // The halo sits above the face: shrink that one face a little.
    if (index == 17) {
        painter.translate(1.0, 2.0);
        painter.scale(15.0 / 17.0, 14.0 / 16.0);
    }
    face(painter, index);
    drawFeatures(painter, index);
    painter.restore();
}

QPixmap smileyPixmap(int index, qreal devicePixelRatio)
{
    static QHash<QPair<int, int>, QPixmap> made;
    const auto key = qMakePair(index, int(std::lround(devicePixelRatio * 100)));
    auto found = made.find(key);
    if (found != made.end())
        return *found;
    QPixmap pixmap(QSize(int(std::ceil(kSmileyWidth * devicePixelRatio)),
                         int(std::ceil(kSmileyHeight * devicePixelRatio))));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintSmiley(painter, QRectF(0, 0, kSmileyWidth, kSmileyHeight), index);
    painter.end();
    made.insert(key, pixmap);
    return pixmap;
}

namespace {

// Paints a picture in its own logical coordinates, (0, 0) to its native size.
using PicturePainter = std::function<void(QPainter &)>;

// An icon drawn by a function at whatever size and pixel ratio a button or
// menu asks for, so it is never a stored bitmap blown up or shrunk. At ratio 1
// it gives what a plain pixmap icon of its native size gives: that picture,
// smoothly shrunk when less room is offered.
class PaintedIconEngine final : public QIconEngine
{
public:
    PaintedIconEngine(const QSize &nativeSize, PicturePainter painter)
        : native(nativeSize), paintPicture(std::move(painter))
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        // The ratio of the surface under the painter, which may be a pixmap
        // the widget is rendered into rather than the widget's own screen.
        const QPaintDevice *surface =
            painter->paintEngine() ? painter->paintEngine()->paintDevice() : painter->device();
        const qreal ratio = surface ? surface->devicePixelRatioF() : 1.0;
        QPixmap picture = scaledPixmap(rect.size() * ratio, mode, state, ratio);
        picture.setDevicePixelRatio(ratio);
        const QSizeF shown = QSizeF(picture.size()) / ratio;
        const QPointF at(rect.x() + (rect.width() - shown.width()) / 2,
                         rect.y() + (rect.height() - shown.height()) / 2);
        painter->drawPixmap(at, picture);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return fitted(native, size);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `size` is in device pixels; `scale` is the ratio it will be shown at.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        if (size.isEmpty() || scale <= 0)
            return {};
        const Key key{size.width(), size.height(), int(std::lround(scale * 100)), int(mode),
                      int(state)};
        if (const auto found = made.find(key); found != made.end())
            return found->second;
        QPixmap picture = scale == 1.0 ? atRatioOne(size) : atRatio(size, scale);
        if (mode != QIcon::Normal) {
            // The style's own look for disabled, active and selected icons.
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            const qreal ratio = picture.devicePixelRatio();
            QPixmap styled = QApplication::style()->generatedIconPixmap(mode, picture, &option);
            if (!styled.isNull()) {
                styled.setDevicePixelRatio(ratio);
                picture = styled;
            }
        }
        made.emplace(key, picture);
        return picture;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {native}; }
    QString key() const override { return QStringLiteral("KalvexPaintedIcon"); }
    QIconEngine *clone() const override { return new PaintedIconEngine(*this); }

private:
    using Key = std::tuple<int, int, int, int, int>;

    static QSize fitted(const QSize &picture, const QSize &room)
    {
        if (picture.width() <= room.width() && picture.height() <= room.height())
            return picture;
        return picture.scaled(room, Qt::KeepAspectRatio);
    }

    QPixmap canvas(const QSize &device, qreal ratio) const
    {
        QPixmap pixmap(device);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const QSizeF logical = QSizeF(device) / ratio;
        if (logical != QSizeF(native))
            p.scale(logical.width() / native.width(), logical.height() / native.height());
        paintPicture(p);
        return pixmap;
    }

    QPixmap atRatioOne(const QSize &room) const
    {
        QPixmap picture = canvas(native, 1.0);
        const QSize shown = fitted(native, room);
        if (shown != native)
            picture = picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return picture;
    }

    QPixmap atRatio(const QSize &room, qreal ratio) const
    {
        return canvas(fitted((QSizeF(native) * ratio).toSize(), room), ratio);
    }

    QSize native;
    PicturePainter paintPicture;
    std::map<Key, QPixmap> made;
};

QIcon paintedIcon(const QSize &nativeSize, PicturePainter painter)
{
    return QIcon(new PaintedIconEngine(nativeSize, std::move(painter)));
}

constexpr QSize kButtonIconSize(kButtonIconWidth, kButtonIconHeight);

} // namespace

void paintPhraseBubble(QPainter &p, int n)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(0.8, 0.8, 17.4, 10.4), 3.6, 3.6);
    QPainterPath tail;
    tail.moveTo(4.0, 10.6);
    tail.lineTo(3.2, 14.2);
    tail.lineTo(8.0, 10.6);
    bubble = bubble.united(tail);
    QLinearGradient fill(0, 0, 0, 12);
    fill.setColorAt(0, QColor(0x7c, 0xc4, 0xff));
    fill.setColorAt(1, QColor(0x2a, 0x7c, 0xd8));
    p.setPen(QPen(QColor(0x16, 0x4c, 0x96), 0.9));
    p.setBrush(fill);
    p.drawPath(bubble);
    QFont font;
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0.8, 0.6, 17.4, 10.4), Qt::AlignCenter, QString::number(n));
}

void paintLoudspeaker(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath speaker;
    speaker.moveTo(2.0, 5.0);
    speaker.lineTo(5.0, 5.0);
    speaker.lineTo(9.0, 1.6);
    speaker.lineTo(9.0, 13.4);
    speaker.lineTo(5.0, 10.0);
    speaker.lineTo(2.0, 10.0);
    speaker.closeSubpath();
    QLinearGradient fill(0, 1, 0, 14);
    fill.setColorAt(0, QColor(0xff, 0xb4, 0x50));
    fill.setColorAt(1, QColor(0xe0, 0x6a, 0x10));
    p.setPen(QPen(QColor(0x8a, 0x3c, 0x00), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x2a, 0x7c, 0xd8), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(7.0, 4.0, 6.0, 7.0), -50 * 16, 100 * 16);
    p.drawArc(QRectF(6.0, 1.5, 10.5, 12.0), -50 * 16, 100 * 16);
}

QIcon smileyIcon(int index)
{
    return paintedIcon(QSize(kSmileyWidth, kSmileyHeight), [index](QPainter &p) {
        paintSmiley(p, QRectF(0, 0, kSmileyWidth, kSmileyHeight), index);
    });
}

QIcon phraseIcon(int n)
{
    return paintedIcon(kButtonIconSize, [n](QPainter &p) { paintPhraseBubble(p, n); });
}

QIcon chatterIcon()
{
    return paintedIcon(kButtonIconSize, paintLoudspeaker);
}

} // namespace kalvex
